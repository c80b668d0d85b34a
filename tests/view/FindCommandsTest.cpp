// Finding through the view as the user does it: Ctrl+F, typing into the
// bar, Enter, F3 and Shift+F3 with their wrap-around; Ctrl+J to the next
// unchecked cell; and the check cells' toggle action as a screen reader
// invokes it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "ScriptedAnswers.h"
#include "ViewTestUtil.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"
#include "model/SheetFind.h"
#include "view/FindCommands.h"

namespace {

struct FindCase {
    const char* name;
    const char* query; // UTF-8, typed into the bar
    int startLine;     // the cursor before; -1: none
    int presses;       // F3 (> 0) or Shift+F3 (< 0) after Enter
    int line;          // the cursor after
    int column;
    const char* result; // the bar's label after
};

// Rows "チェック", "Apple", "ｶﾞｲﾄﾞ", "apple pie", "Ｎｏｔｅ１"; columns "Apple",
// "ガイド"; row 2's detail "Ｇｕｉｄｅ".
const FindCase kFindCases[] = {
    {"HalfWidthKatakanaFindsFullWidth", "ﾁｪｯｸ", -1, 0, 0, -1, "1 / 1 件"},
    {"FullWidthFindsHalfWidthVoiced", "ガイド", -1, 1, 2, 1, "2 / 2 件"},
    {"CaseBlindColumnsFirst", "APPLE", -1, 0, -1, 0, "1 / 3 件"},
    {"NextFromTheCursorRow", "apple", 1, 0, 3, -1, "3 / 3 件"},
    {"WrapsAroundThroughTheColumns", "apple", 3, 1, 1, 0, "2 / 3 件"},
    {"PreviousWrapsToTheLast", "apple", -1, -1, 3, 0, "3 / 3 件"},
    {"FullWidthDigitsAndLetters", "note1", -1, 0, 4, -1, "1 / 1 件"},
    {"DetailsAreSearched", "guide", -1, 0, 2, -1, "1 / 1 件"},
    {"NoMatch", "banana", 1, 1, 1, -1, "見つかりません"},
};

// Types text as a keyboard or an input method hands it over: one key event
// per character, carrying the character (QTest's own typing knows ASCII only).
void Type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, CursorAndCountAfterTheKeys) {
    const FindCase& c = GetParam();
    CScriptedAnswers ui;
    {
        ViewFixture f(0, 0);
        CSheetFile& s = f.Sheet();
        s.AddColumn(cp932::FromUtf8OrDie("Apple"), 1);
        s.AddColumn(cp932::FromUtf8OrDie("ガイド"), 1);
        for (const char* name : {"チェック", "Apple", "ｶﾞｲﾄﾞ", "apple pie", "Ｎｏｔｅ１"})
            s.AddLine(cp932::FromUtf8OrDie(name));
        s.EditLine(2, [](CLineData& l) { l.m_strDetail = cp932::FromUtf8OrDie("Ｇｕｉｄｅ"); });
        f.view->OnInitialUpdate();
        s.m_nCurLine = c.startLine;
        s.m_nCurColumn = -1;

        QTest::keyClick(f.view.get(), Qt::Key_F, Qt::ControlModifier);
        CFindBar* bar = f.view->FindCommands()->Bar();
        ASSERT_NE(bar, nullptr);
        Type(bar->Edit(), QString::fromUtf8(c.query));
        QTest::keyClick(bar->Edit(), Qt::Key_Return);
        for (int i = 0; i < std::abs(c.presses); ++i)
            QTest::keyClick(f.view.get(), Qt::Key_F3,
                            c.presses < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(s.m_nCurLine, c.line);
        EXPECT_EQ(s.m_nCurColumn, c.column);
        EXPECT_EQ(bar->Result()->text().toStdString(), c.result);
        // Esc closes the bar; the grid works on.
        QTest::keyClick(bar->Edit(), Qt::Key_Escape);
        EXPECT_TRUE(bar->isHidden());
    }
}

INSTANTIATE_TEST_SUITE_P(View, FindTest, testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindTest, MatchScrollsTheRowIntoView) {
    ViewFixture f(500, 3);
    CSheetFile& s = f.Sheet();
    SetLineName(s, 400, "target");
    QTest::keyClick(f.view.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(f.view->FindCommands()->Bar()->Edit(), "TARGET");
    QTest::keyClick(f.view->FindCommands()->Bar()->Edit(), Qt::Key_Return);
    EXPECT_EQ(s.m_nCurLine, 400);
    EXPECT_LE(s.m_nTopLine, 400);
    const CRect row = s.GetAt(400)->m_rect;
    EXPECT_GT(row.top, s.m_rcGrid.top);
    EXPECT_LT(row.top, s.m_rcGrid.bottom - s.HScrollHeight());
    EXPECT_EQ(f.view->VScrollBar()->value(), s.m_nTopLine);
}

// Ctrl+J: (start line, start column) → cell, in a 3 × 3 sheet where the
// checked cells are given; none left beeps and moves nothing.
struct UncheckedCase {
    const char* name;
    bool (*checked)(int, int);
    int line, column;
    int toLine, toColumn;
    int beeps;
};
const UncheckedCase kUncheckedCases[] = {
    {"RightAlongTheRow", [](int, int) { return false; }, 0, 0, 0, 1, 0},
    {"DownToTheNextRow", [](int r, int) { return r == 1; }, 0, 2, 2, 0, 0},
    {"WrapsToTheTop", [](int r, int c) { return !(r == 0 && c == 1); }, 2, 2, 0, 1, 0},
    {"ItselfLastOfAll", [](int r, int c) { return !(r == 1 && c == 1); }, 1, 1, 1, 1, 0},
    {"NoneLeftBeeps", [](int, int) { return true; }, 1, 1, 1, 1, 1},
    {"FromNoCursorTheFirst", [](int r, int) { return r == 0; }, -1, -1, 1, 0, 0},
};

class NextUncheckedTest : public testing::TestWithParam<UncheckedCase> {};

TEST_P(NextUncheckedTest, CtrlJ) {
    const UncheckedCase& c = GetParam();
    CScriptedAnswers ui;
    {
        ViewFixture f(3, 3, 480, 320, c.checked);
        f.Sheet().m_nCurLine = c.line;
        f.Sheet().m_nCurColumn = c.column;
        QTest::keyClick(f.view.get(), Qt::Key_J, Qt::ControlModifier);
        EXPECT_EQ(f.Sheet().m_nCurLine, c.toLine);
        EXPECT_EQ(f.Sheet().m_nCurColumn, c.toColumn);
        EXPECT_EQ(ui.m_nBeeps, c.beeps);
        EXPECT_FALSE(f.doc->IsModified());
    }
}

INSTANTIATE_TEST_SUITE_P(View, NextUncheckedTest, testing::ValuesIn(kUncheckedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Only open rows, on and off: the same current row, in view both ways; no
// change to the document and no undo step.
TEST(OpenOnly, ToggleKeepsTheCurrentRowInView) {
    ViewFixture f(300, 2, 480, 320, [](int r, int) { return r % 10 != 0; });
    CSheetFile& s = f.Sheet();
    f.view->GoToCell(250, 1);
    auto inView = [&] {
        const CRect row = s.GetAt(s.m_nCurLine)->m_rect;
        return row.top >= s.m_rcGrid.top + s.m_nColumnHeight && row.bottom <= s.m_rcGrid.bottom;
    };
    ASSERT_TRUE(inView());
    for (int k = 0; k < 2; ++k) {
        f.view->OnCmdMsg(ID_VIEW_OPEN_ONLY);
        EXPECT_EQ(s.IsOpenOnly(), k == 0);
        EXPECT_EQ(s.ShownCount(), k == 0 ? 30 : 300);
        EXPECT_EQ(s.m_nCurLine, 250);
        EXPECT_TRUE(inView()) << "turned " << (k == 0 ? "on" : "off");
        EXPECT_EQ(f.view->VScrollBar()->maximum() + f.view->VScrollBar()->pageStep(),
                  s.ShownCount());
    }
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_FALSE(f.doc->CanUndo());
}

bool IsChecked(const CSheetFile& s, int line, int column) {
    return AsCheckItem(s.GetAt(line)->GetAt(column))->m_bCheck != 0;
}

TEST(GridToggleAction, TicksOneUndoableStepAndTheCountsFollow) {
    ViewFixture f(3, 2);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(f.view.get());
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(2, 1);
    ASSERT_TRUE(cell && cell->actionInterface());
    ASSERT_EQ(cell->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::toggleAction()});
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(IsChecked(f.Sheet(), 2, 1));
    EXPECT_EQ(f.Sheet().CheckCounts().nChecked, 1);
    EXPECT_TRUE(cell->state().checked);
    EXPECT_TRUE(f.doc->IsModified());
    QTest::keyClick(f.view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(IsChecked(f.Sheet(), 2, 1));
    EXPECT_EQ(f.Sheet().CheckCounts().nChecked, 0);
}

} // namespace
