// The grid as assistive technologies read it through Qt's accessibility,
// and the text of the check counts pane.
#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include "view/CheckCountsText.h"
#include "view/GridAccessible.h"
#include "ViewTestUtil.h"

namespace {

bool Diagonal(int r, int c) {
    return r == c;
}

QAccessibleInterface* Table(ViewFixture& f) {
    return QAccessible::queryAccessibleInterface(f.view.get());
}

struct Seen {
    QAccessible::Event type;
    int child;
    bool checkedChanged;
};
std::vector<Seen> g_events;

void Record(QAccessibleEvent* e) {
    const bool checked = e->type() == QAccessible::StateChanged &&
                         static_cast<QAccessibleStateChangeEvent*>(e)->changedStates().checked;
    g_events.push_back({e->type(), e->child(), checked});
}

CGridAccessibleTracker* Tracker(ViewFixture& f) {
    for (QObject* o : f.view->children())
        if (auto* t = dynamic_cast<CGridAccessibleTracker*>(o))
            return t;
    return nullptr;
}

TEST(GridAccessible, IsATableWithNamedRowsAndColumns) {
    ViewFixture f(3, 4, 480, 320, Diagonal);
    QAccessibleInterface* t = Table(f);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->role(), QAccessible::Table);
    QAccessibleTableInterface* table = t->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(t->childCount(), 12);
    EXPECT_EQ(table->rowDescription(2), QStringLiteral("r2"));
    EXPECT_EQ(table->columnDescription(3), QStringLiteral("c3"));
    EXPECT_EQ(table->cellAt(3, 0), nullptr);
    EXPECT_EQ(table->cellAt(0, 4), nullptr);

    QAccessibleInterface* cell = table->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(t->child(1 * 4 + 2), cell);
    EXPECT_EQ(t->indexOfChild(cell), 6);
    EXPECT_EQ(cell->parent(), t);
    EXPECT_EQ(cell->role(), QAccessible::CheckBox);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("r1 c2"));
    EXPECT_EQ(cell->text(QAccessible::Value), QString::fromUtf8("チェックなし"));
    EXPECT_TRUE(cell->state().checkable);
    EXPECT_FALSE(cell->state().checked);
    ASSERT_NE(cell->tableCellInterface(), nullptr);
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 1);
    EXPECT_EQ(cell->tableCellInterface()->columnIndex(), 2);

    QAccessibleInterface* ticked = table->cellAt(1, 1);
    EXPECT_EQ(ticked->text(QAccessible::Value), QString::fromUtf8("チェックあり"));
    EXPECT_TRUE(ticked->state().checked);
    // The cell reads the sheet as it is now.
    SetChecked(f.Sheet(), 1, 1, 0);
    EXPECT_FALSE(ticked->state().checked);

    // Its place on screen is where the cell is drawn.
    const CRect r = f.Sheet().GetAt(1)->GetAt(2)->GetRect();
    const QPoint centre =
        f.view->mapToGlobal(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_TRUE(cell->rect().contains(centre));
    EXPECT_EQ(t->childAt(centre.x(), centre.y()), cell);
}

TEST(GridAccessible, CurrentCellIsTheFocusedChildAndPlainCellsAreNoCheckBoxes) {
    ViewFixture f(3, 2);
    f.Sheet().AddColumn("plain", CELL_PLAIN);
    QAccessibleInterface* t = Table(f);
    EXPECT_EQ(t->focusChild(), nullptr);
    SetCurQuietly(f.Sheet(), 1, 2);
    QAccessibleInterface* cur = t->focusChild();
    ASSERT_NE(cur, nullptr);
    EXPECT_EQ(cur, t->tableInterface()->cellAt(2, 1));
    EXPECT_TRUE(cur->state().selected);
    EXPECT_EQ(t->tableInterface()->selectedCellCount(), 1);
    EXPECT_FALSE(t->tableInterface()->cellAt(0, 1)->state().selected);

    QAccessibleInterface* plain = t->tableInterface()->cellAt(0, 2);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->role(), QAccessible::Cell);
    EXPECT_FALSE(plain->state().checkable);
    EXPECT_TRUE(plain->text(QAccessible::Value).isEmpty());

    // A cell of a row that went away is no longer valid.
    QAccessibleInterface* last = t->tableInterface()->cellAt(2, 0);
    f.Sheet().DeleteLine(2);
    EXPECT_FALSE(last->isValid());
    EXPECT_EQ(t->tableInterface()->rowCount(), 2);
}

TEST(GridAccessible, CursorMovesAndTicksAreAnnounced) {
    ViewFixture f(4, 3);
    CGridAccessibleTracker* tracker = Tracker(f);
    ASSERT_NE(tracker, nullptr);
    g_events.clear();
    CGridAccessibleTracker::SetEventSink(Record);
    tracker->Check();
    QTest::keyClick(f.view.get(), Qt::Key_Down);
    QTest::keyClick(f.view.get(), Qt::Key_Right);
    QTest::keyClick(f.view.get(), Qt::Key_Right);
    g_events.clear();
    tracker->Check();
    ASSERT_EQ(g_events.size(), 1u);
    EXPECT_EQ(g_events[0].type, QAccessible::Focus);
    EXPECT_EQ(g_events[0].child, 0 * 3 + 1);

    g_events.clear();
    tracker->Check(); // nothing changed: nothing to say
    EXPECT_TRUE(g_events.empty());

    QTest::keyClick(f.view.get(), Qt::Key_Space);
    ASSERT_EQ(static_cast<const CCheckItem*>(f.Sheet().GetAt(0)->GetAt(1))->m_bCheck, 1);
    tracker->Check();
    ASSERT_EQ(g_events.size(), 1u);
    EXPECT_EQ(g_events[0].type, QAccessible::StateChanged);
    EXPECT_EQ(g_events[0].child, 1);
    EXPECT_TRUE(g_events[0].checkedChanged);

    // Moving and ticking between two looks is both a move and a tick.
    g_events.clear();
    QTest::keyClick(f.view.get(), Qt::Key_Down);
    QTest::keyClick(f.view.get(), Qt::Key_Space);
    tracker->Check();
    ASSERT_EQ(g_events.size(), 2u);
    EXPECT_EQ(g_events[0].type, QAccessible::Focus);
    EXPECT_EQ(g_events[0].child, 1 * 3 + 1);
    EXPECT_EQ(g_events[1].type, QAccessible::StateChanged);
    CGridAccessibleTracker::SetEventSink(nullptr);
}

TEST(CheckCountsPane, ShowsTheSheetAndTheCurrentRowAndColumn) {
    ViewFixture f(4, 3, 480, 320, Diagonal);
    CSheetFile& s = f.Sheet();
    EXPECT_EQ(CheckCountsText(s), QString::fromUtf8("チェック 3/12"));
    SetCurQuietly(s, 2, 1);
    EXPECT_EQ(CheckCountsText(s), QString::fromUtf8("チェック 3/12 行 1/3 列 1/4"));
    SetChecked(s, 3, 2, 0);
    QTest::keyClick(f.view.get(), Qt::Key_Space);
    EXPECT_EQ(CheckCountsText(s), QString::fromUtf8("チェック 4/12 行 2/3 列 2/4"));
    s.AddColumn("plain", CELL_PLAIN);
    SetCurQuietly(s, 3, 3);
    EXPECT_EQ(CheckCountsText(s), QString::fromUtf8("チェック 4/12 行 0/3 列 0/0"));
    s.m_nCurLine = -1;
    s.m_nCurColumn = -1;
    EXPECT_EQ(CheckCountsText(s), QString::fromUtf8("チェック 4/12"));
}

} // namespace
