// Widths, heights and scroll positions read from a file may hold any 32-bit
// value. A file written back keeps them byte for byte; measuring, laying out,
// painting, hit testing and the cursor keys work on them without overflowing
// (the sanitised build of these tests aborts on any signed overflow).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>

#include "fw/Profile.h"
#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "model/PixelMath.h"
#include "model/SheetIo.h"

namespace {

struct Crafted {
    const char* name;
    int columnWidth;
    int lineNameWidth;
    int columnHeight;
    int topLine;
    int leftColumn;
    double lineHeightRate;
};

class CraftedWidths : public ::testing::TestWithParam<Crafted> {};

std::string Bytes(const CSheetFile& s) {
    std::ostringstream out;
    EXPECT_TRUE(WriteSheet(s, out));
    return out.str();
}

bool Bounded(const CRect& r) {
    for (int v : {r.left, r.top, r.right, r.bottom})
        if (v < -kMaxCoord - 32 || v > kMaxCoord + 32)
            return false;
    return true;
}

TEST_P(CraftedWidths, KeptInTheFileAndLaidOutWithoutOverflow) {
    const Crafted& c = GetParam();
    CMemoryProfile profile;
    CSheetFile made;
    for (int j = 0; j < 4; ++j)
        made.AddColumn("c" + std::to_string(j), 1);
    for (int i = 0; i < 5; ++i)
        made.AddLine("r" + std::to_string(i));
    made.m_nColumnWidth = c.columnWidth;
    made.m_nLineNameWidth = c.lineNameWidth;
    made.m_nColumnHeight = c.columnHeight;
    made.m_nTopLine = c.topLine;
    made.m_nLeftColumn = c.leftColumn;
    const std::string bytes = Bytes(made);

    CSheetFile s;
    s.SetLook(LoadDisplaySettings(profile));
    ASSERT_FALSE(ReadSheet(s, bytes).has_value());
    s.m_dLineHeightRate = c.lineHeightRate;
    // The view's first steps: lay out with the stored heights, then measure.
    s.Layout(0, 0, 400, 300);
    CRecordingDC dc;
    s.Draw(&dc);
    s.CalcMetrics(&dc);
    EXPECT_LE(std::abs(s.ColumnWidthPx()), kMaxPixelSize);
    EXPECT_LE(std::abs(s.LineNameWidthPx()), kMaxPixelSize);
    EXPECT_LE(std::abs(s.m_nLineHeight), kMaxPixelSize);
    EXPECT_LE(std::abs(s.m_nColumnHeight), kMaxPixelSize);

    s.Draw(&dc);
    s.m_nCurLine = 0;
    s.m_nCurColumn = 0;
    s.DrawSelection(&dc);
    for (int x : {-5, 0, 50, 399, INT_MAX / 2})
        for (int y : {-5, 0, 30, 299}) {
            s.HitTest(x, y, &dc);
            s.LineFromPoint(x, y);
            s.ColumnFromPoint(x, y);
        }
    s.MoveDown(5);
    s.MoveRight();
    s.MoveUp(5);
    s.MoveLeft();
    s.GetExtent();
    for (int i = 0; i < s.GetSize(); ++i) {
        EXPECT_TRUE(Bounded(s.GetAt(i)->m_rect)) << "row " << i;
        for (const CDataItem* p : *s.GetAt(i))
            EXPECT_TRUE(Bounded(static_cast<const CCheckItem*>(p)->CheckRect())) << "row " << i;
    }
    for (const CColumnData* col : s.m_Columns)
        EXPECT_TRUE(Bounded(col->m_rect));

    // Written back unchanged, whatever the sizes in pixels became.
    CSheetFile back;
    ASSERT_FALSE(ReadSheet(back, bytes).has_value());
    EXPECT_EQ(Bytes(back), bytes);
    EXPECT_EQ(back.m_nColumnWidth, c.columnWidth);
    EXPECT_EQ(back.m_nLineNameWidth, c.lineNameWidth);
    EXPECT_EQ(back.m_nColumnHeight, c.columnHeight);
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Files, CraftedWidths,
    ::testing::Values(Crafted{"Ordinary", 10, 10, 20, 0, 0, 1.5},
                      Crafted{"WidestColumns", INT_MAX, INT_MAX, INT_MAX, 0, 0, 1.5},
                      Crafted{"MostNegative", INT_MIN, INT_MIN, INT_MIN, 0, 0, 1.5},
                      Crafted{"ScrolledToTheEnds", 1000000, 10, 20, INT_MAX, INT_MAX, 1.5},
                      Crafted{"ScrolledBeforeTheStart", 10, 1000000, -1000000, INT_MIN, INT_MIN,
                              1.5},
                      Crafted{"HugeHeightRate", 10, 10, 20, 0, 0, 1e300},
                      Crafted{"NegativeHeightRate", 10, 10, 20, 2, 1, -1e300},
                      Crafted{"HeightRateNotANumber", 10, 10, 20, 0, 0, kNan}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PixelMath, ClampsOnlyBeyondTheBound) {
    EXPECT_EQ(ClampPixelSize(200), 200);
    EXPECT_EQ(ClampPixelSize(-7), -7);
    EXPECT_EQ(ClampPixelSize(std::int64_t(INT_MAX) * 8), kMaxPixelSize);
    EXPECT_EQ(ClampPixelSize(std::int64_t(INT_MIN) * 8), -kMaxPixelSize);
    EXPECT_EQ(ClampCoord(std::int64_t(INT_MAX) + 1), kMaxCoord);
    EXPECT_EQ(PixelSizeFromDouble(16 * 1.5), 24);
    EXPECT_EQ(PixelSizeFromDouble(-2.9), -2); // toward zero
    EXPECT_EQ(PixelSizeFromDouble(kNan), 0);
    // Wrapped as 32-bit arithmetic wraps: -1 * 20 is 2^32 - 20.
    EXPECT_EQ(WrapMul(-1, 20), 4294967276u);
}

} // namespace
