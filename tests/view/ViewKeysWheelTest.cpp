// Home, End, Ctrl+Home, Ctrl+End, the redo keys and the mouse wheel, sent to
// the real view as the user sends them.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "ViewTestUtil.h"

namespace {

struct KeyCase {
    const char* name;
    int rows, columns;
    int top, left;    // first visible row and column before
    int line, column; // cursor before
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int expLine, expColumn, expTop, expLeft;
};
void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

class ViewHomeEnd : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ViewHomeEnd, MovesCursorAndScrolls) {
    const KeyCase& c = GetParam();
    ViewFixture f(c.rows, c.columns);
    CSheetFile& s = f.Sheet();
    s.SetTopLine(c.top);
    s.SetLeftColumn(c.left);
    SetCurQuietly(s, c.column, c.line);
    QTest::keyClick(f.view.get(), c.key, c.mods);
    EXPECT_EQ(s.m_nCurLine, c.expLine);
    EXPECT_EQ(s.m_nCurColumn, c.expColumn);
    EXPECT_EQ(s.m_nTopLine, c.expTop);
    EXPECT_EQ(s.m_nLeftColumn, c.expLeft);
    // The bars show where the grid is.
    EXPECT_EQ(f.view->VScrollBar()->sliderPosition(),
              std::min(c.expTop, f.view->VScrollBar()->maximum()));
    EXPECT_EQ(f.view->HScrollBar()->sliderPosition(),
              std::min(c.expLeft, f.view->HScrollBar()->maximum()));
    ExpectOnlyCursorHighlighted(s);
    EXPECT_FALSE(f.doc->IsModified());
}

// 480 x 320 pixels show all of 3 columns and 5 rows, and less than 29 rows.
INSTANTIATE_TEST_SUITE_P(
    Keys, ViewHomeEnd,
    ::testing::Values(
        KeyCase{"HomeToFirstColumn", 10, 3, 0, 0, 4, 2, Qt::Key_Home, kNone, 4, 0, 0, 0},
        KeyCase{"HomeWithoutColumnTakesTheFirst", 10, 3, 0, 0, 4, -1, Qt::Key_Home, kNone, 4, 0, 0,
                0},
        KeyCase{"HomeScrollsBackToColumn0", 3, 30, 0, 20, 1, 25, Qt::Key_Home, kNone, 1, 0, 0, 0},
        KeyCase{"EndToLastColumn", 10, 3, 0, 0, 4, 0, Qt::Key_End, kNone, 4, 2, 0, 0},
        KeyCase{"EndWithoutColumn", 10, 3, 0, 0, 4, -1, Qt::Key_End, kNone, 4, 2, 0, 0},
        KeyCase{"EndWithoutColumnsDoesNothing", 10, 0, 0, 0, 4, -1, Qt::Key_End, kNone, 4, -1, 0,
                0},
        KeyCase{"ShiftHomeIsHome", 10, 3, 0, 0, 4, 2, Qt::Key_Home, Qt::ShiftModifier, 4, 0, 0, 0},
        KeyCase{"KeypadEndIsEnd", 10, 3, 0, 0, 4, 0, Qt::Key_End, Qt::KeypadModifier, 4, 2, 0, 0},
        KeyCase{"CtrlHomeKeepsTheColumn", 30, 3, 15, 0, 20, 1, Qt::Key_Home, kCtrl, 0, 1, 0, 0},
        KeyCase{"CtrlHomeWithoutRowScrollsUp", 30, 3, 10, 0, -1, -1, Qt::Key_Home, kCtrl, 0, -1, 0,
                0},
        // The cursor keeps its place on the screen, as Page Down keeps it.
        KeyCase{"CtrlEndKeepsTheColumn", 30, 3, 0, 0, 2, 1, Qt::Key_End, kCtrl, 29, 1, 27, 0},
        KeyCase{"CtrlEndWithAllRowsShown", 5, 3, 0, 0, 1, 1, Qt::Key_End, kCtrl, 4, 1, 0, 0},
        KeyCase{"CtrlEndWithoutRow", 30, 3, 0, 0, -1, -1, Qt::Key_End, kCtrl, 29, -1, 29, 0},
        KeyCase{"CtrlShiftEndIsCtrlEnd", 30, 3, 0, 0, 2, 1, Qt::Key_End, kCtrl | Qt::ShiftModifier,
                29, 1, 27, 0},
        KeyCase{"CtrlEndInEmptySheetDoesNothing", 0, 0, 0, 0, -1, -1, Qt::Key_End, kCtrl, -1, -1, 0,
                0}),
    [](const auto& info) { return std::string(info.param.name); });

// End is Right pressed up to the last column, so the grid scrolls as Right
// scrolls it; Home is Left pressed down to the first.
TEST(ViewHomeEndScroll, EndAndHomeScrollAsTheArrowsDo) {
    for (int from : {0, 3, 5}) { // cursors on the screen
        ViewFixture end(3, 40), right(3, 40);
        SetCurQuietly(end.Sheet(), from, 1);
        SetCurQuietly(right.Sheet(), from, 1);
        QTest::keyClick(end.view.get(), Qt::Key_End);
        for (int i = from; i < 39; ++i)
            QTest::keyClick(right.view.get(), Qt::Key_Right);
        EXPECT_EQ(end.Sheet().m_nCurColumn, 39) << from;
        EXPECT_GT(end.Sheet().m_nLeftColumn, 0) << from;
        EXPECT_EQ(end.Sheet().m_nLeftColumn, right.Sheet().m_nLeftColumn) << from;

        QTest::keyClick(end.view.get(), Qt::Key_Home);
        EXPECT_EQ(end.Sheet().m_nCurColumn, 0) << from;
        EXPECT_EQ(end.Sheet().m_nLeftColumn, 0) << from;
    }
}

// Whether the cursor's row and column lie whole inside the grid, as drawn.
bool CursorShown(ViewFixture& f) {
    const CSheetFile& s = f.Sheet();
    const CRect grid = f.view->GridRect();
    const std::int64_t rowBottom =
        s.m_nColumnHeight + std::int64_t(s.m_nCurLine - s.m_nTopLine + 1) * s.m_nLineHeight;
    const std::int64_t columnRight =
        s.LineNameWidthPx() +
        std::int64_t(s.m_nCurColumn - s.m_nLeftColumn + 1) * s.ColumnWidthPx();
    return s.m_nCurLine >= s.m_nTopLine && rowBottom <= grid.bottom &&
           s.m_nCurColumn >= s.m_nLeftColumn && columnRight <= grid.right;
}

// The wheel scrolls without moving the cursor; each key then brings the
// cursor back into view, whichever side it went off.
TEST(ViewHomeEndScroll, KeysBringBackACursorTheWheelScrolledAway) {
    struct Case {
        int line, column;       // the cursor
        int notchesX, notchesY; // the wheel turned towards the user (rightwards, down)
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Case cases[] = {
        {2, 10, 10, 0, Qt::Key_Home, kNone}, // off the left
        {2, 10, 10, 0, Qt::Key_End, kNone},  // off the left
        {2, 40, 0, 0, Qt::Key_Home, kNone},  // off the right
        {2, 40, 0, 0, Qt::Key_End, kNone},   // off the right
        {10, 2, 0, 10, Qt::Key_Home, kCtrl}, // above
        {10, 2, 0, 10, Qt::Key_End, kCtrl},  // above
        {40, 2, 0, 0, Qt::Key_Home, kCtrl},  // below
        {40, 2, 0, 0, Qt::Key_End, kCtrl},   // below
    };
    const int savedLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    for (const Case& c : cases) {
        const std::string name =
            QKeySequence(QKeyCombination(c.mods, c.key)).toString().toStdString() + " from " +
            std::to_string(c.line) + "," + std::to_string(c.column);
        ViewFixture f(60, 60);
        SetCurQuietly(f.Sheet(), c.column, c.line);
        const QPointF at(200, 150);
        QWheelEvent wheel(at, f.view->mapToGlobal(at), QPoint(),
                          QPoint(-120 * c.notchesX, -120 * c.notchesY), Qt::NoButton, kNone,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.view.get(), &wheel);
        ASSERT_FALSE(CursorShown(f)) << name;
        QTest::keyClick(f.view.get(), c.key, c.mods);
        EXPECT_TRUE(CursorShown(f)) << name;
    }
    QApplication::setWheelScrollLines(savedLines);
}

TEST(ViewRedoKeys, CtrlYAndCtrlShiftZRedo) {
    ViewFixture f(3, 3);
    CSheetFile& s = f.Sheet();
    SetCurQuietly(s, 1, 1);
    auto ticked = [&] { return AsCheckItem(s.GetAt(1)->GetAt(1))->m_bCheck != 0; };
    QTest::keyClick(f.view.get(), Qt::Key_Space);
    ASSERT_TRUE(ticked());
    for (Qt::KeyboardModifiers redo : {kCtrl, kCtrl | Qt::ShiftModifier}) {
        const Qt::Key key = redo == kCtrl ? Qt::Key_Y : Qt::Key_Z;
        QTest::keyClick(f.view.get(), Qt::Key_Z, kCtrl);
        EXPECT_FALSE(ticked());
        QTest::keyClick(f.view.get(), key, redo);
        EXPECT_TRUE(ticked()) << QKeySequence(QKeyCombination(redo, key)).toString().toStdString();
    }
}

// Wheel events, each (angle x, angle y, modifiers) in turn.
struct WheelStep {
    int dx, dy;
    Qt::KeyboardModifiers mods;
};
struct WheelCase {
    const char* name;
    int top, left;
    std::vector<WheelStep> steps;
    int expTop, expLeft;
};
void PrintTo(const WheelCase& c, std::ostream* os) {
    *os << c.name;
}

class ViewWheel : public ::testing::TestWithParam<WheelCase> {};

// The desktop's step is 3 lines here.
TEST_P(ViewWheel, ScrollsByTheDesktopsStep) {
    const WheelCase& c = GetParam();
    const int savedLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    ViewFixture f(30, 30);
    CSheetFile& s = f.Sheet();
    s.SetTopLine(c.top);
    s.SetLeftColumn(c.left);
    SetCurQuietly(s, 2, 4);
    const QPointF at(200, 150);
    for (const WheelStep& w : c.steps) {
        QWheelEvent event(at, f.view->mapToGlobal(at), QPoint(), QPoint(w.dx, w.dy), Qt::NoButton,
                          w.mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.view.get(), &event);
    }
    EXPECT_EQ(s.m_nTopLine, c.expTop);
    EXPECT_EQ(s.m_nLeftColumn, c.expLeft);
    EXPECT_EQ(f.view->VScrollBar()->sliderPosition(),
              std::min(c.expTop, f.view->VScrollBar()->maximum()));
    EXPECT_EQ(f.view->HScrollBar()->sliderPosition(),
              std::min(c.expLeft, f.view->HScrollBar()->maximum()));
    // The wheel scrolls; the cursor stays in its cell.
    EXPECT_EQ(s.m_nCurLine, 4);
    EXPECT_EQ(s.m_nCurColumn, 2);
    EXPECT_FALSE(f.doc->IsModified());
    QApplication::setWheelScrollLines(savedLines);
}

const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Wheel, ViewWheel,
    ::testing::Values(
        WheelCase{"NotchDown", 0, 0, {{0, -120, kNone}}, 3, 0},
        WheelCase{"NotchUp", 10, 0, {{0, 120, kNone}}, 7, 0},
        WheelCase{"TwoNotchesInOneEvent", 0, 0, {{0, -240, kNone}}, 6, 0},
        WheelCase{"UpNearTheTopStopsAtRow0", 1, 0, {{0, 120, kNone}}, 0, 0},
        WheelCase{"DownStopsAtTheLastRow", 28, 0, {{0, -120, kNone}}, 29, 0},
        WheelCase{
            "TouchpadPartsAddUp", 0, 0, {{0, -40, kNone}, {0, -50, kNone}, {0, -30, kNone}}, 3, 0},
        WheelCase{"TouchpadShortOfANotchWaits", 0, 0, {{0, -50, kNone}, {0, -60, kNone}}, 0, 0},
        WheelCase{"TouchpadBackAndForth",
                  6,
                  0,
                  {{0, -100, kNone}, {0, 60, kNone}, {0, -70, kNone}, {0, -110, kNone}},
                  9,
                  0},
        WheelCase{"ShiftScrollsColumns", 0, 0, {{0, -120, kShift}}, 0, 3},
        WheelCase{"ShiftUpScrollsLeft", 0, 10, {{0, 120, kShift}}, 0, 7},
        WheelCase{"SidewaysWheel", 0, 0, {{-120, 0, kNone}}, 0, 3},
        WheelCase{"SidewaysTouchpad", 0, 0, {{-60, 0, kNone}, {-60, 0, kNone}}, 0, 3}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
