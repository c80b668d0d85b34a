// A sheet file may hold any width, height or scroll position: the view lays
// it out, paints it and scrolls it without overflowing or hanging.
#include <gtest/gtest.h>

#include <climits>

#include "model/PixelMath.h"
#include "ViewTestUtil.h"

namespace {

struct Sizes {
    const char* name;
    int columnWidth;
    int lineNameWidth;
    int columnHeight;
    int topLine;
    int leftColumn;
};

class ViewCraftedSizes : public ::testing::TestWithParam<Sizes> {};

TEST_P(ViewCraftedSizes, LaysOutPaintsAndScrolls) {
    const Sizes& c = GetParam();
    ViewFixture f(6, 4);
    CSheetFile& s = f.Sheet();
    s.m_nColumnWidth = c.columnWidth;
    s.m_nLineNameWidth = c.lineNameWidth;
    s.m_nColumnHeight = c.columnHeight;
    s.m_nTopLine = c.topLine;
    s.m_nLeftColumn = c.leftColumn;
    f.view->OnInitialUpdate(); // as after opening such a file
    EXPECT_LE(std::abs(s.ColumnWidthPx()), kMaxPixelSize);
    EXPECT_LE(std::abs(s.LineNameWidthPx()), kMaxPixelSize);
    const QImage before = f.Render();
    EXPECT_FALSE(before.isNull());
    f.view->VScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    f.view->VScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    f.view->VScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    const QImage after = f.Render();
    EXPECT_FALSE(after.isNull());
    // The sizes in the sheet itself are kept for the file.
    EXPECT_EQ(s.m_nColumnWidth, c.columnWidth);
    EXPECT_EQ(s.m_nLineNameWidth, c.lineNameWidth);
}

INSTANTIATE_TEST_SUITE_P(Files, ViewCraftedSizes,
                         ::testing::Values(Sizes{"Widest", INT_MAX, INT_MAX, INT_MAX, 0, 0},
                                           Sizes{"MostNegative", INT_MIN, INT_MIN, INT_MIN, 0, 0},
                                           Sizes{"ScrolledToTheEnds", 10, 10, 20, INT_MAX, INT_MAX},
                                           Sizes{"ScrolledBeforeTheStart", 10, 10, 20, INT_MIN,
                                                 INT_MIN}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
