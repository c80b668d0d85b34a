// The split of a sheet into printed pages: every cell on exactly one page,
// whole rows and columns only, down first and then across.
#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "model/PrintPages.h"

namespace {

struct PagesCase {
    const char* name;
    CPrintMetrics m;
    int width, height;
    int bandsAcross, bandsDown; // expected number of column and row bands
};

class PrintPagesSplit : public ::testing::TestWithParam<PagesCase> {};

TEST_P(PrintPagesSplit, CoversEveryCellOnceWithWholeRowsAndColumns) {
    const PagesCase& c = GetParam();
    const std::vector<CPrintPage> pages = PaginateSheet(c.m, c.width, c.height);
    ASSERT_EQ(int(pages.size()), c.bandsAcross * c.bandsDown);
    std::map<std::pair<int, int>, int> seen;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const CPrintPage& p = pages[i];
        // Down first: the column band changes only after a full run of rows.
        const std::size_t band = i / std::size_t(c.bandsDown);
        EXPECT_EQ(p.nFirstColumn, pages[band * std::size_t(c.bandsDown)].nFirstColumn) << i;
        const int expectedFirst = i % std::size_t(c.bandsDown) == 0 ? 0 : pages[i - 1].nEndLine;
        EXPECT_EQ(p.nFirstLine, expectedFirst) << i;
        // The grid is the name column and header plus whole cells and the closing line.
        EXPECT_EQ(p.nWidth,
                  c.m.nNameWidth + (p.nEndColumn - p.nFirstColumn) * c.m.nColumnWidth + 1);
        EXPECT_EQ(p.nHeight, c.m.nHeadHeight + (p.nEndLine - p.nFirstLine) * c.m.nLineHeight + 1);
        // Nothing beyond the area unless a single row or column is itself larger.
        EXPECT_TRUE(p.nEndColumn - p.nFirstColumn <= 1 || p.nWidth <= c.width) << i;
        EXPECT_TRUE(p.nEndLine - p.nFirstLine <= 1 || p.nHeight <= c.height) << i;
        for (int l = p.nFirstLine; l < p.nEndLine; ++l)
            for (int k = p.nFirstColumn; k < p.nEndColumn; ++k)
                ++seen[{l, k}];
    }
    EXPECT_EQ(int(seen.size()), c.m.nLines * c.m.nColumns);
    for (const auto& [cell, n] : seen)
        EXPECT_EQ(n, 1) << cell.first << "," << cell.second;
}

// Page fits 3 columns (30 + 3*50 + 1 = 181 <= 200) and 4 rows (20 + 4*20 + 1 = 101 <= 110).
constexpr CPrintMetrics Sheet(int lines, int columns) {
    return {lines, columns, 30, 50, 20, 20};
}

INSTANTIATE_TEST_SUITE_P(
    Model, PrintPagesSplit,
    ::testing::Values(PagesCase{"FitsOnOnePage", Sheet(4, 3), 200, 110, 1, 1},
                      PagesCase{"OneRowTooMany", Sheet(5, 3), 200, 110, 1, 2},
                      PagesCase{"OneColumnTooMany", Sheet(4, 4), 200, 110, 2, 1},
                      PagesCase{"LongAndWide", Sheet(41, 10), 200, 110, 4, 11},
                      PagesCase{"ExactFitNeedsTheClosingLine", Sheet(4, 3), 181, 101, 1, 1},
                      PagesCase{"OnePixelShortOfTheClosingLine", Sheet(4, 3), 180, 100, 2, 2},
                      PagesCase{"NoRowsStillPrintsTheHeader", Sheet(0, 7), 200, 110, 3, 1},
                      PagesCase{"EmptySheetIsOnePage", Sheet(0, 0), 200, 110, 1, 1},
                      PagesCase{"RowsWithoutColumns", Sheet(9, 0), 200, 110, 1, 3},
                      PagesCase{"CellsLargerThanThePage", Sheet(3, 2), 40, 30, 2, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintPages, OversizedCellsStillGoOnePerPage) {
    // A column wider than the page: it is the only thing cut, one per page.
    const std::vector<CPrintPage> pages = PaginateSheet({2, 3, 30, 500, 20, 20}, 200, 1000);
    ASSERT_EQ(pages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages[std::size_t(i)].nFirstColumn, i);
        EXPECT_EQ(pages[std::size_t(i)].nEndColumn, i + 1);
        EXPECT_EQ(pages[std::size_t(i)].nEndLine, 2);
    }
}

} // namespace
