// Keys, clicks and the commands of the view, sent to the real widget.
#include <QTest>
#include <gtest/gtest.h>

#include "res/CommandIds.h"
#include "ViewTestUtil.h"

namespace {

struct KeyCase {
    const char* name;
    int rows, columns;
    int top, left;    // first visible row and column before
    int line, column; // cursor before
    Qt::Key key;
    int expLine, expColumn, expTop, expLeft;
};

class ViewKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ViewKeys, MovesCursorAndScrolls) {
    const KeyCase& c = GetParam();
    ViewFixture f(c.rows, c.columns);
    CSheetFile& s = f.Sheet();
    s.SetTopLine(c.top);
    s.SetLeftColumn(c.left);
    SetCurQuietly(s, c.column, c.line);
    QTest::keyClick(f.view.get(), c.key);
    EXPECT_EQ(s.m_nCurLine, c.expLine);
    EXPECT_EQ(s.m_nCurColumn, c.expColumn);
    EXPECT_EQ(s.m_nTopLine, c.expTop);
    EXPECT_EQ(s.m_nLeftColumn, c.expLeft);
    if (c.expTop != c.top) {
        EXPECT_EQ(f.view->VScrollBar()->sliderPosition(),
                  std::min(c.expTop, f.view->VScrollBar()->maximum()));
    }
    ExpectOnlyCursorHighlighted(s);
    EXPECT_FALSE(f.doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, ViewKeys,
    ::testing::Values(
        KeyCase{"DownWithoutCursorSelectsRow0", 10, 3, 0, 0, -1, -1, Qt::Key_Down, 0, -1, 0, 0},
        KeyCase{"UpWithoutCursorSelectsRow0", 10, 3, 0, 0, -1, -1, Qt::Key_Up, 0, -1, 0, 0},
        KeyCase{"LeftWithoutColumnDoesNothing", 10, 3, 0, 0, 2, -1, Qt::Key_Left, 2, -1, 0, 0},
        KeyCase{"RightWithoutColumnSelectsColumn0", 10, 3, 0, 0, 2, -1, Qt::Key_Right, 2, 0, 0, 0},
        KeyCase{"RightAtLastColumnDoesNothing", 10, 3, 0, 0, 2, 2, Qt::Key_Right, 2, 2, 0, 0},
        KeyCase{"LeftAtColumn0DoesNothing", 10, 3, 0, 0, 2, 0, Qt::Key_Left, 2, 0, 0, 0},
        KeyCase{"PageDownStopsAtLastRow", 10, 3, 0, 0, 7, 0, Qt::Key_PageDown, 9, 0, 0, 0},
        KeyCase{"PageUpStopsAtRow0", 10, 3, 0, 0, 3, 0, Qt::Key_PageUp, 0, 0, 0, 0},
        KeyCase{"UpAboveFirstRowScrolls", 30, 3, 5, 0, 5, 0, Qt::Key_Up, 4, 0, 4, 0},
        KeyCase{"PageUpAboveFirstRowScrollsByFive", 30, 3, 8, 0, 9, 0, Qt::Key_PageUp, 4, 0, 3, 0},
        KeyCase{"DownAboveFirstRowScrollsAgain", 30, 3, 5, 0, 2, 0, Qt::Key_Down, 3, 0, 6, 0},
        KeyCase{"LeftBeforeFirstColumnScrolls", 3, 30, 0, 3, 0, 3, Qt::Key_Left, 0, 2, 0, 2},
        KeyCase{"DownInEmptySheetDoesNothing", 0, 0, 0, 0, -1, -1, Qt::Key_Down, -1, -1, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys go by key alone: Shift, or Ctrl where no accelerator takes the
// combination, moves as the plain key does; Alt combinations belong to the menu.
struct ModifiedKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int expLine, expColumn;
};
// Shown by its name in test listings.
void PrintTo(const ModifiedKeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewModifiedKeys : public ::testing::TestWithParam<ModifiedKeyCase> {};

TEST_P(ViewModifiedKeys, MoveLikeThePlainKey) {
    const ModifiedKeyCase& c = GetParam();
    ViewFixture f(10, 3);
    CSheetFile& s = f.Sheet();
    SetCurQuietly(s, 1, 2);
    QTest::keyClick(f.view.get(), c.key, c.mods);
    EXPECT_EQ(s.m_nCurLine, c.expLine);
    EXPECT_EQ(s.m_nCurColumn, c.expColumn);
    for (int i = 0; i < s.GetSize(); ++i)
        EXPECT_EQ(s.GetAt(i)->m_bSelected != 0, i == s.m_nCurLine) << "row " << i;
    EXPECT_EQ(s.GetAt(0)->m_strName, "r0") << "no row moved";
    EXPECT_FALSE(f.doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Modifiers, ViewModifiedKeys,
    ::testing::Values(ModifiedKeyCase{"ShiftDown", Qt::Key_Down, Qt::ShiftModifier, 3, 1},
                      ModifiedKeyCase{"ShiftUp", Qt::Key_Up, Qt::ShiftModifier, 1, 1},
                      ModifiedKeyCase{"ShiftRight", Qt::Key_Right, Qt::ShiftModifier, 2, 2},
                      ModifiedKeyCase{"ShiftLeft", Qt::Key_Left, Qt::ShiftModifier, 2, 0},
                      ModifiedKeyCase{"ShiftPageDown", Qt::Key_PageDown, Qt::ShiftModifier, 7, 1},
                      ModifiedKeyCase{"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, 7, 1},
                      ModifiedKeyCase{"CtrlPageUp", Qt::Key_PageUp, Qt::ControlModifier, 0, 1},
                      ModifiedKeyCase{"CtrlShiftDown", Qt::Key_Down,
                                      Qt::ControlModifier | Qt::ShiftModifier, 3, 1},
                      ModifiedKeyCase{"KeypadDown", Qt::Key_Down, Qt::KeypadModifier, 3, 1},
                      ModifiedKeyCase{"AltDownIsTheMenus", Qt::Key_Down, Qt::AltModifier, 2, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Down scrolls once the cursor's top is no longer a scroll bar strip above
// the grid's bottom; before that it only moves the cursor.
TEST(ViewKeysEdge, DownScrollsAtTheLastFullyVisibleRow) {
    ViewFixture f(100, 3);
    CSheetFile& s = f.Sheet();
    const int limit = s.m_rcGrid.bottom - f.view->ScrollBarExtent();
    int lastQuiet = 0; // last row Down reaches without scrolling
    while (s.m_nColumnHeight + (lastQuiet + 1) * s.m_nLineHeight < limit)
        ++lastQuiet;
    SetCurQuietly(s, -1, lastQuiet - 1);
    QTest::keyClick(f.view.get(), Qt::Key_Down);
    EXPECT_EQ(s.m_nCurLine, lastQuiet);
    EXPECT_EQ(s.m_nTopLine, 0);
    QTest::keyClick(f.view.get(), Qt::Key_Down);
    EXPECT_EQ(s.m_nCurLine, lastQuiet + 1);
    EXPECT_EQ(s.m_nTopLine, 1);
    EXPECT_EQ(f.view->VScrollBar()->sliderPosition(), 1);
}

TEST(ViewKeysEdge, RightScrollsOnceTheCursorColumnNoLongerFits) {
    ViewFixture f(3, 100);
    CSheetFile& s = f.Sheet();
    const int limit = s.m_rcGrid.right - f.view->ScrollBarExtent();
    int lastQuiet = 0;
    while (s.LineNameWidthPx() + (lastQuiet + 2) * s.ColumnWidthPx() < limit)
        ++lastQuiet;
    SetCurQuietly(s, lastQuiet - 1, 0);
    QTest::keyClick(f.view.get(), Qt::Key_Right);
    EXPECT_EQ(s.m_nCurColumn, lastQuiet);
    EXPECT_EQ(s.m_nLeftColumn, 0);
    QTest::keyClick(f.view.get(), Qt::Key_Right);
    EXPECT_EQ(s.m_nLeftColumn, 1);
    QTest::keyClick(f.view.get(), Qt::Key_Right);
    EXPECT_EQ(s.m_nLeftColumn, 2) << "every further Right scrolls by one";
    EXPECT_EQ(f.view->HScrollBar()->sliderPosition(), 2);
}

enum class Where {
    HeaderOnColumn0Line,
    RowOnColumn0Line,
    LineUnderHeader,
    Corner,
    BelowLastRow,
    RowName
};

struct HitCase {
    const char* name;
    Where where;
    int expLine, expColumn;
};

class ViewHits : public ::testing::TestWithParam<HitCase> {};

TEST_P(ViewHits, ClickMovesCursor) {
    const HitCase& c = GetParam();
    ViewFixture f(3, 4);
    CSheetFile& s = f.Sheet();
    const CRect col0 = s.m_Columns.GetAt(0)->m_rect;
    QPoint p;
    switch (c.where) {
    case Where::HeaderOnColumn0Line:
        p = QPoint(col0.right, 2);
        break;
    case Where::RowOnColumn0Line:
        p = QPoint(col0.right, s.GetAt(1)->m_rect.top + 2);
        break;
    case Where::LineUnderHeader:
        p = QPoint(col0.left + 3, s.m_nColumnHeight);
        break;
    case Where::Corner:
        p = QPoint(3, 2);
        break;
    case Where::BelowLastRow:
        p = QPoint(s.m_Columns.GetAt(2)->m_rect.left + 2, s.GetAt(2)->m_rect.bottom + 5);
        break;
    case Where::RowName:
        p = QPoint(3, s.GetAt(2)->m_rect.top + 2);
        break;
    }
    QTest::mouseClick(f.view.get(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(s.m_nCurLine, c.expLine);
    EXPECT_EQ(s.m_nCurColumn, c.expColumn);
    // A click not in a check box changes no check and records nothing.
    EXPECT_FALSE(f.doc->CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Points, ViewHits,
    ::testing::Values(HitCase{"HeaderOnLineSelectsLeftColumn", Where::HeaderOnColumn0Line, -1, 0},
                      HitCase{"RowOnLineHitsRightCell", Where::RowOnColumn0Line, 1, 1},
                      HitCase{"LineUnderHeaderIsFirstRow", Where::LineUnderHeader, 0, 0},
                      HitCase{"CornerSelectsNothing", Where::Corner, -1, -1},
                      HitCase{"BelowLastRowSelectsColumn", Where::BelowLastRow, -1, 2},
                      HitCase{"RowNameSelectsRowOnly", Where::RowName, 2, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewMouse, ClickInBoxTogglesWithOneSnapshot) {
    ViewFixture f(3, 3);
    CSheetFile& s = f.Sheet();
    // Cells are read again after each step: an edit may give the sheet a
    // copy of a row that a snapshot shares.
    const CRect box = static_cast<const CCheckItem*>(s.GetAt(2)->GetAt(1))->CheckRect();
    QTest::mouseClick(f.view.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(box.left + 7, box.top + 7));
    EXPECT_EQ(static_cast<const CCheckItem*>(s.GetAt(2)->GetAt(1))->m_bCheck, 1);
    EXPECT_EQ(s.CheckCounts(), (CCheckTally{1, 9}));
    EXPECT_EQ(s.m_nCurLine, 2);
    EXPECT_EQ(s.m_nCurColumn, 1);
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_EQ(f.doc->m_Undo.GetSize(), 1);
    // The box's right and bottom edges are outside it.
    QTest::mouseClick(f.view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(box.right, box.top + 7));
    EXPECT_EQ(static_cast<const CCheckItem*>(s.GetAt(2)->GetAt(1))->m_bCheck, 1);
    EXPECT_EQ(f.doc->m_Undo.GetSize(), 1);
    // One undo brings back the unchecked cell, and there is nothing before it.
    ASSERT_TRUE(f.doc->CanUndo());
    f.view->OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_EQ(static_cast<const CCheckItem*>(s.GetAt(2)->GetAt(1))->m_bCheck, 0);
    EXPECT_EQ(s.CheckCounts(), (CCheckTally{0, 9}));
    EXPECT_FALSE(f.doc->CanUndo());
}

// A plain cell that a file marked as a check cell has no box: a click there
// only moves the cursor.
TEST(ViewMouse, ClickOnPlainCellStoredAsCheckTogglesNothing) {
    ViewFixture f(3, 3);
    CSheetFile& s = f.Sheet();
    const CRect box = static_cast<const CCheckItem*>(s.GetAt(1)->GetAt(1))->CheckRect();
    s.EditLine(1, [](CLineData& l) {
        auto* plain = new CDataItem;
        plain->m_nType = CELL_CHECK;
        l.RemoveAt(1);
        l.InsertAt(1, plain);
    });
    s.Layout();
    QTest::mouseClick(f.view.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(box.left + 7, box.top + 7));
    EXPECT_EQ(s.m_nCurLine, 1);
    EXPECT_EQ(s.m_nCurColumn, 1);
    EXPECT_EQ(f.doc->m_Undo.GetSize(), 0);
}

TEST(ViewMouse, DoubleClickInCellDoesNotToggleTwice) {
    ViewFixture f(3, 3);
    const CRect box = static_cast<const CCheckItem*>(f.Sheet().GetAt(0)->GetAt(0))->CheckRect();
    const QPoint p(box.left + 5, box.top + 5);
    QTest::mouseClick(f.view.get(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(f.view.get(), Qt::LeftButton, Qt::NoModifier, p);
    // The second press of a double click arrives as the double click alone,
    // which does not toggle: one toggle, one snapshot.
    EXPECT_EQ(static_cast<const CCheckItem*>(f.Sheet().GetAt(0)->GetAt(0))->m_bCheck, 1);
    EXPECT_EQ(f.doc->m_Undo.GetSize(), 1);
}

TEST(ViewMouse, RightButtonDoesNotMoveCursor) {
    ViewFixture f(3, 3);
    const CRect box = static_cast<const CCheckItem*>(f.Sheet().GetAt(1)->GetAt(1))->CheckRect();
    QTest::mousePress(f.view.get(), Qt::RightButton, Qt::NoModifier,
                      QPoint(box.left + 5, box.top + 5));
    EXPECT_EQ(f.Sheet().m_nCurLine, -1);
    EXPECT_EQ(f.Sheet().m_nCurColumn, -1);
}

struct SpaceCase {
    const char* name;
    int line, column;
    bool enabled;
};

class ViewSpace : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(ViewSpace, CheckCommandNeedsRowAndColumn) {
    const SpaceCase& c = GetParam();
    ViewFixture f(3, 3);
    SetCurQuietly(f.Sheet(), c.column, c.line);
    CCmdUI ui;
    ui.m_nID = ID_EDIT_CHECK;
    ASSERT_TRUE(f.view->OnUpdateCmdUI(ui));
    EXPECT_EQ(ui.m_bEnabled, c.enabled);
    QTest::keyClick(f.view.get(), Qt::Key_Space);
    int checked = 0;
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            checked += static_cast<const CCheckItem*>(f.Sheet().GetAt(r)->GetAt(k))->m_bCheck;
    EXPECT_EQ(checked, c.enabled ? 1 : 0);
    EXPECT_EQ(f.doc->m_Undo.GetSize(), c.enabled ? 1 : 0);
    EXPECT_EQ(f.doc->IsModified(), c.enabled);
    if (c.enabled) {
        EXPECT_EQ(
            static_cast<const CCheckItem*>(f.Sheet().GetAt(c.line)->GetAt(c.column))->m_bCheck, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Cursor, ViewSpace,
                         ::testing::Values(SpaceCase{"NoCursor", -1, -1, false},
                                           SpaceCase{"RowOnly", 1, -1, false},
                                           SpaceCase{"ColumnOnly", -1, 1, false},
                                           SpaceCase{"Both", 1, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

bool Enabled(CTavrelView& view, UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    return view.OnUpdateCmdUI(ui) && ui.m_bEnabled;
}

TEST(ViewUndo, EnableRulesAndModifiedFlag) {
    ViewFixture f(3, 3);
    CTavrelView& v = *f.view;
    EXPECT_FALSE(Enabled(v, ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(v, ID_EDIT_REDO));
    SetCurQuietly(f.Sheet(), 0, 0);
    v.OnCmdMsg(ID_EDIT_CHECK);
    SetCurQuietly(f.Sheet(), 1, 1);
    v.OnCmdMsg(ID_EDIT_CHECK);
    EXPECT_TRUE(Enabled(v, ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(v, ID_EDIT_REDO));

    // As after a save: the undone state differs from the file.
    f.doc->SetModifiedFlag(false);
    v.OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_TRUE(Enabled(v, ID_EDIT_UNDO));
    EXPECT_TRUE(Enabled(v, ID_EDIT_REDO));
    EXPECT_EQ(static_cast<const CCheckItem*>(f.Sheet().GetAt(1)->GetAt(1))->m_bCheck, 0);
    EXPECT_EQ(static_cast<const CCheckItem*>(f.Sheet().GetAt(0)->GetAt(0))->m_bCheck, 1);

    v.OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_FALSE(Enabled(v, ID_EDIT_UNDO));
    // A disabled undo does nothing, also from its key.
    QTest::keyClick(&v, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.doc->m_Undo.GetPos(), 0);

    f.doc->SetModifiedFlag(false);
    v.OnCmdMsg(ID_EDIT_REDO);
    EXPECT_TRUE(f.doc->IsModified());
    v.OnCmdMsg(ID_EDIT_REDO);
    EXPECT_FALSE(Enabled(v, ID_EDIT_REDO));
    EXPECT_EQ(static_cast<const CCheckItem*>(f.Sheet().GetAt(1)->GetAt(1))->m_bCheck, 1);
}

TEST(ViewUndo, RestoredSheetIsLaidOutForTheCurrentWindow) {
    ViewFixture f(3, 3);
    SetCurQuietly(f.Sheet(), 0, 0);
    f.view->OnCmdMsg(ID_EDIT_CHECK);
    f.view->resize(700, 500);
    f.view->OnCmdMsg(ID_EDIT_UNDO);
    EXPECT_EQ(f.Sheet().m_rcGrid, f.view->GridRect());
}

} // namespace
