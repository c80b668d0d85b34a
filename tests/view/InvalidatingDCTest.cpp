// The cursor's highlight redraw touches only the rows and headers it changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ViewTestUtil.h"
#include "model/DisplaySettings.h"
#include "model/SheetFile.h"
#include "view/InvalidatingDC.h"

namespace {

struct Fixture {
    CSheetFile sheet;
    std::vector<CRect> touched;
    CInvalidatingDC dc{[this](const CRect& rc) { touched.push_back(rc); }};
    Fixture() {
        for (int c = 0; c < 4; ++c)
            sheet.AddColumn("c", 1);
        for (int r = 0; r < 8; ++r)
            sheet.AddLine("r");
        sheet.Layout(0, 0, 400, 300);
    }
    bool Touches(const CRect& rc) const {
        for (const CRect& t : touched)
            if (t.Intersects(rc))
                return true;
        return false;
    }
};

struct MoveCase {
    const char* name;
    int fromColumn, fromLine, toColumn, toLine;
    std::vector<int> rows;    // rows that must be repainted
    std::vector<int> columns; // headers that must be repainted
};

class CursorRedraw : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CursorRedraw, TouchesOnlyChangedRowsAndHeaders) {
    const MoveCase& c = GetParam();
    Fixture f;
    SetCurQuietly(f.sheet, c.fromColumn, c.fromLine);
    f.touched.clear();
    f.sheet.SetCur(c.toColumn, c.toLine, &f.dc);
    for (int r = 0; r < f.sheet.GetSize(); ++r) {
        const bool want = std::find(c.rows.begin(), c.rows.end(), r) != c.rows.end();
        // A row's inside: its own line neighbours share the edges.
        EXPECT_EQ(f.Touches(f.sheet.GetAt(r)->m_rect.Deflated(2)), want) << "row " << r;
    }
    for (int k = 0; k < f.sheet.m_Columns.GetSize(); ++k) {
        const bool want = std::find(c.columns.begin(), c.columns.end(), k) != c.columns.end();
        EXPECT_EQ(f.Touches(f.sheet.m_Columns.GetAt(k)->m_rect.Deflated(2)), want)
            << "header " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, CursorRedraw,
                         ::testing::Values(MoveCase{"RowDown", 1, 2, -1, 3, {2, 3}, {}},
                                           MoveCase{"RowJump", 1, 1, -1, 6, {1, 6}, {}},
                                           MoveCase{"ColumnOnly", 0, 4, 2, -1, {4}, {0, 2}},
                                           MoveCase{"BothChange", 0, 0, 3, 5, {0, 5}, {0, 3}},
                                           MoveCase{"FirstCursor", -1, -1, 1, 1, {1}, {1}},
                                           MoveCase{"NoChange", 1, 1, 1, 1, {}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InvalidatingDC, ClipLimitsWhatIsTouched) {
    std::vector<CRect> touched;
    CInvalidatingDC dc([&](const CRect& rc) { touched.push_back(rc); });
    dc.SelectClipRect(CRect(0, 0, 100, 100));
    dc.FillSolidRect(CRect(50, 50, 200, 200), 0);
    dc.FillSolidRect(CRect(150, 150, 200, 200), 0);
    dc.MoveTo(10, 5);
    dc.LineTo(10, 40);
    ASSERT_EQ(touched.size(), 2u);
    EXPECT_EQ(touched[0], CRect(50, 50, 100, 100));
    EXPECT_EQ(touched[1], CRect(10, 5, 11, 41));
    EXPECT_FALSE(dc.RectVisible(CRect(120, 0, 130, 10)));
    EXPECT_TRUE(dc.RectVisible(CRect(90, 0, 130, 10)));
}

} // namespace
