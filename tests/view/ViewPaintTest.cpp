// The rendered grid, pixel by pixel, at the coordinates the layout gives.
#include <QTest>
#include <gtest/gtest.h>

#include "ViewTestUtil.h"

namespace {

TEST(ViewPaint, EmptySheetShowsOnlyTheTwoFrameLines) {
    ViewFixture f(0, 0);
    const QImage img = f.Render();
    const CRect grid = f.view->GridRect();
    const int x = f.Sheet().LineNameWidthPx(), y = f.Sheet().m_nColumnHeight;
    const COLORREF waku = f.Sheet().Look().WakuColor;
    for (int yy : {0, y / 2, y + 3, grid.bottom - 1})
        EXPECT_EQ(PixelRef(img, x, yy), waku) << "vertical line at y " << yy;
    for (int xx : {0, x / 2, x + 5, grid.right - 1})
        EXPECT_EQ(PixelRef(img, xx, y), waku) << "horizontal line at x " << xx;
    // Nothing else is drawn: neither beside the lines nor outside the grid.
    EXPECT_NE(PixelRef(img, x + 1, y + 5), waku);
    EXPECT_NE(PixelRef(img, x - 1, y + 5), waku);
    EXPECT_NE(PixelRef(img, x + 5, y + 1), waku);
    EXPECT_NE(PixelRef(img, x + 5, y - 1), waku);
}

TEST(ViewPaint, ColumnsWithoutRowsShowFullHeightColumnLines) {
    ViewFixture f(0, 3);
    const QImage img = f.Render();
    const CRect grid = f.view->GridRect();
    for (int c = 0; c < 3; ++c) {
        const int x = f.Sheet().m_Columns.GetAt(c)->m_rect.right;
        EXPECT_EQ(x, f.Sheet().LineNameWidthPx() + (c + 1) * f.Sheet().ColumnWidthPx());
        EXPECT_EQ(PixelRef(img, x, grid.bottom - 1), f.Sheet().Look().WakuColor) << "column " << c;
        EXPECT_EQ(PixelRef(img, x, 1), f.Sheet().Look().WakuColor) << "column " << c;
    }
}

struct BoxCase {
    const char* name;
    bool checked;
};

class ViewCheckBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ViewCheckBox, SunkenFrameInsideAndCross) {
    const bool checked = GetParam().checked;
    ViewFixture f(3, 3, 480, 320,
                  checked ? +[](int r, int c) { return r == 1 && c == 1; } : nullptr);
    const QImage img = f.Render();
    const auto* cell = static_cast<const CCheckItem*>(f.Sheet().GetAt(1)->GetAt(1));
    const CRect b = cell->CheckRect();
    const int L = b.left, T = b.top, R = b.right, B = b.bottom;
    ASSERT_EQ(R - L, 15);
    ASSERT_EQ(B - T, 15);
    EXPECT_EQ(PixelRef(img, L + 7, T), 0x99A8ACu); // top outer
    EXPECT_EQ(PixelRef(img, L, T + 7), 0x99A8ACu); // left outer
    EXPECT_EQ(PixelRef(img, L + 7, T + 1), 0x646F71u);
    EXPECT_EQ(PixelRef(img, L + 1, T + 7), 0x646F71u);
    EXPECT_EQ(PixelRef(img, R, T + 7), 0xFFFFFFu); // right outer
    EXPECT_EQ(PixelRef(img, L + 7, B), 0xFFFFFFu); // bottom outer
    EXPECT_EQ(PixelRef(img, R - 1, T + 7), 0xE2EFF1u);
    EXPECT_EQ(PixelRef(img, L + 7, B - 1), 0xE2EFF1u);
    // Off both diagonals the inside keeps its own colour.
    EXPECT_EQ(PixelRef(img, L + 4, T + 9), f.Sheet().Look().CheckBackColor);
    const COLORREF onCross =
        checked ? f.Sheet().Look().CheckColor : f.Sheet().Look().CheckBackColor;
    EXPECT_EQ(PixelRef(img, L + 2, T + 2), onCross);
    EXPECT_EQ(PixelRef(img, L + 7, T + 7), onCross);
    EXPECT_EQ(PixelRef(img, R - 2, T + 2), onCross);
    EXPECT_EQ(PixelRef(img, L + 2, B - 2), onCross);
    // The cross stays inside the inner square.
    EXPECT_EQ(PixelRef(img, R - 1, B - 1), 0xE2EFF1u);
}

INSTANTIATE_TEST_SUITE_P(Cells, ViewCheckBox,
                         ::testing::Values(BoxCase{"Unchecked", false}, BoxCase{"Checked", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewPaint, HighlightedRowAndCursorCell) {
    ViewFixture f(4, 3);
    SetCurQuietly(f.Sheet(), 1, 2);
    const QImage img = f.Render();
    const CLineData* row = f.Sheet().GetAt(2);
    const CRect cell = row->GetAt(1)->GetRect();
    const CRect box = static_cast<const CCheckItem*>(row->GetAt(1))->CheckRect();
    ASSERT_GT(box.left, cell.left + 1) << "the cell must be wider than its box";
    const int midY = (cell.top + cell.bottom) / 2;
    // Row name area and another cell of the row: SelColor.
    EXPECT_EQ(PixelRef(img, f.Sheet().LineNameWidthPx() - 2, row->m_rect.bottom - 2),
              f.Sheet().Look().SelColor);
    const CRect other = row->GetAt(2)->GetRect();
    EXPECT_EQ(PixelRef(img, other.left + 1, midY), f.Sheet().Look().SelColor);
    // The cursor cell around its box, whose inside stays light.
    EXPECT_EQ(PixelRef(img, cell.left + 1, midY), f.Sheet().Look().CellColor);
    EXPECT_EQ(PixelRef(img, box.left + 4, box.top + 9), f.Sheet().Look().CheckBackColor);
    // The line under the row.
    EXPECT_EQ(PixelRef(img, other.left + 3, row->m_rect.bottom), f.Sheet().Look().LineColor);
    // Another row keeps the background; the cursor column shows only in its header.
    const CLineData* plain = f.Sheet().GetAt(0);
    const CRect plainCell = plain->GetAt(1)->GetRect();
    EXPECT_EQ(PixelRef(img, plainCell.left + 1, (plainCell.top + plainCell.bottom) / 2),
              f.Sheet().Look().BackColor);
    const CRect head = f.Sheet().m_Columns.GetAt(1)->m_rect;
    EXPECT_EQ(PixelRef(img, head.left + 1, head.bottom - 2), f.Sheet().Look().SelColor);
    const CRect head0 = f.Sheet().m_Columns.GetAt(0)->m_rect;
    EXPECT_EQ(PixelRef(img, head0.left + 1, head0.bottom - 2), f.Sheet().Look().BackColor);
}

TEST(ViewPaint, HeadersAfterScrollingRight) {
    ViewFixture f(3, 20);
    QScrollBar* bar = f.view->HScrollBar();
    ASSERT_TRUE(bar->isEnabled());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(f.Sheet().m_nLeftColumn, 2);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_TRUE(f.Sheet().m_Columns.GetAt(0)->m_rect.IsRectNull());
    EXPECT_TRUE(f.Sheet().GetAt(0)->GetAt(1)->GetRect().IsRectNull());
    const CRect head = f.Sheet().m_Columns.GetAt(2)->m_rect;
    EXPECT_EQ(head.left, f.Sheet().LineNameWidthPx());
    SetCurQuietly(f.Sheet(), 2, -1);
    const QImage img = f.Render();
    EXPECT_EQ(PixelRef(img, head.left + 2, head.bottom - 2), f.Sheet().Look().SelColor);
    EXPECT_EQ(PixelRef(img, head.right, 1), f.Sheet().Look().WakuColor);
    EXPECT_EQ(PixelRef(img, head.right + 2, head.bottom - 2), f.Sheet().Look().BackColor);
}

struct ScrollCase {
    const char* name;
    QAbstractSlider::SliderAction action;
    int start;
    int expected;
};

class ViewScroll : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ViewScroll, VerticalFirstRow) {
    const ScrollCase& c = GetParam();
    ViewFixture f(30, 3);
    f.Sheet().SetTopLine(c.start);
    f.view->VScrollBar()->setValue(c.start);
    f.view->VScrollBar()->triggerAction(c.action);
    EXPECT_EQ(f.Sheet().m_nTopLine, c.expected);
    EXPECT_EQ(f.Sheet().GetAt(c.expected)->m_rect.top, f.Sheet().m_nColumnHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ViewScroll,
    ::testing::Values(
        ScrollCase{"LineDown", QAbstractSlider::SliderSingleStepAdd, 3, 4},
        ScrollCase{"LineUp", QAbstractSlider::SliderSingleStepSub, 3, 2},
        ScrollCase{"LineUpAtTop", QAbstractSlider::SliderSingleStepSub, 0, 0},
        ScrollCase{"PageDownIsFive", QAbstractSlider::SliderPageStepAdd, 3, 8},
        ScrollCase{"PageUpIsFive", QAbstractSlider::SliderPageStepSub, 7, 2},
        ScrollCase{"PageUpClampsAtZero", QAbstractSlider::SliderPageStepSub, 2, 0},
        ScrollCase{"LineDownAtLastRowStays", QAbstractSlider::SliderSingleStepAdd, 29, 29},
        ScrollCase{"PageDownClampsToLastRow", QAbstractSlider::SliderPageStepAdd, 27, 29},
        ScrollCase{"Top", QAbstractSlider::SliderToMinimum, 12, 0},
        ScrollCase{"BottomIsLastRow", QAbstractSlider::SliderToMaximum, 0, 29}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewScrollBars, PlacedBesideTheCellsAndDisabledWhenAllFits) {
    ViewFixture f(2, 2);
    const int ext = f.view->ScrollBarExtent();
    QScrollBar* h = f.view->HScrollBar();
    QScrollBar* v = f.view->VScrollBar();
    EXPECT_EQ(h->objectName(), "300");
    EXPECT_EQ(v->objectName(), "301");
    EXPECT_EQ(h->geometry(), QRect(f.Sheet().LineNameWidthPx(), 320 - ext,
                                   480 - ext - f.Sheet().LineNameWidthPx(), ext));
    EXPECT_EQ(v->geometry(), QRect(480 - ext, f.Sheet().m_nColumnHeight, ext,
                                   320 - ext - f.Sheet().m_nColumnHeight));
    // Shown even when everything fits, only disabled.
    ASSERT_TRUE(f.view->isVisible());
    EXPECT_TRUE(h->isVisible());
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(h->isEnabled());
    EXPECT_FALSE(v->isEnabled());
    EXPECT_EQ(f.Sheet().HScrollHeight(), ext);
}

TEST(ViewScrollBars, ResizeKeepsMeasuresAndReRanges) {
    ViewFixture f(40, 40);
    const int lineHeight = f.Sheet().m_nLineHeight;
    EXPECT_TRUE(f.view->VScrollBar()->isEnabled());
    f.view->resize(3000, 3000);
    EXPECT_EQ(f.Sheet().m_nLineHeight, lineHeight);
    EXPECT_EQ(f.Sheet().m_rcGrid, f.view->GridRect());
    EXPECT_FALSE(f.view->VScrollBar()->isEnabled());
}

} // namespace

namespace {

// The thumb cannot go past count - page, but the grid can: a sheet opened at
// its last row, or scrolled there with the keys, stays there.
TEST(ViewScrollBars, GridKeepsAPositionBeyondTheThumbRange) {
    ViewFixture f(30, 3);
    f.Sheet().SetTopLine(29);
    f.view->OnInitialUpdate();
    EXPECT_EQ(f.Sheet().m_nTopLine, 29);
    EXPECT_LT(f.view->VScrollBar()->value(), 29);
    SetCurQuietly(f.Sheet(), 0, 29);
    QTest::keyClick(f.view.get(), Qt::Key_Up);
    EXPECT_EQ(f.Sheet().m_nTopLine, 28);
}

// ---------------------------------------------------------------- high density

// The grid on an image of two device pixels per pixel, as a screen at scale 2 shows it.
QImage RenderDense(ViewFixture& f) {
    QImage image(f.view->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::magenta);
    f.view->render(&image);
    return image;
}

struct DenseGridCase {
    const char* name;
    int rows, columns;
    int curLine, curColumn; // -1: no cursor
};

class ViewPaintDense : public ::testing::TestWithParam<DenseGridCase> {};

// Without text the whole picture at scale 2 is the picture at scale 1 with
// each pixel a 2x2 block: every frame line, box edge and cross lands on the
// scaled coordinates, none thinner, blurred, missing or doubled.
TEST_P(ViewPaintDense, GridBoxesAndCrossesAreTheScaleOnePictureEnlarged) {
    const DenseGridCase& c = GetParam();
    ViewFixture f(c.rows, c.columns, 320, 240,
                  [](int r, int col) { return (r * 7 + col) % 3 != 1; });
    CSheetFile& s = f.Sheet();
    for (int r = 0; r < c.rows; ++r)
        SetLineName(s, r, "");
    for (int j = 0; j < s.m_Columns.GetSize(); ++j)
        SetColumnName(s, j, "");
    if (c.curLine >= 0)
        SetCurQuietly(s, c.curColumn, c.curLine);
    const QImage one = f.Render();
    const QImage two = RenderDense(f);
    ASSERT_EQ(two.size(), one.size() * 2);
    // The grid itself: the scroll bars are the style's own.
    const CRect grid = f.view->GridRect();
    int mismatches = 0;
    for (int y = 2 * grid.top; y < 2 * grid.bottom; ++y)
        for (int x = 2 * grid.left; x < 2 * grid.right; ++x)
            if (two.pixel(x, y) != one.pixel(x / 2, y / 2) && ++mismatches <= 5)
                ADD_FAILURE() << "device pixel " << x << "," << y << " (pixel " << x / 2 << ","
                              << y / 2 << ")";
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(View, ViewPaintDense,
                         ::testing::Values(DenseGridCase{"EmptySheet", 0, 0, -1, -1},
                                           DenseGridCase{"ChecksAndCrosses", 12, 6, -1, -1},
                                           DenseGridCase{"WithTheCursor", 12, 6, 2, 3},
                                           DenseGridCase{"LargerThanTheWindow", 40, 20, 5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewPaintDense, NamesAreWrittenInsideTheirScaledCells) {
    ViewFixture f(3, 2, 320, 240);
    CSheetFile& s = f.Sheet();
    SetLineName(s, 1, "WWWW");
    const QImage two = RenderDense(f);
    const CRect row = s.GetAt(1)->m_rect;
    const QRect name(2 * row.left, 2 * row.top, 2 * f.Sheet().LineNameWidthPx(), 2 * row.Height());
    // Dark ink in the name's cell, at the scaled place.
    int ink = 0;
    for (int y = name.top() + 2; y < name.bottom() - 1; ++y)
        for (int x = name.left() + 2; x < name.right() - 1; ++x)
            ink += qGray(two.pixel(x, y)) < 96;
    EXPECT_GT(ink, 20);
}

} // namespace
