// The shared palette's recency ranks: which slot a new colour replaces.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <vector>

#include "dialogs/ColorPalette.h"

namespace {

bool RanksArePermutation(const CColorPalette& p) {
    std::vector<int> ranks;
    for (int k = 0; k < CColorPalette::SLOTS; ++k)
        ranks.push_back(p.Rank(k));
    std::sort(ranks.begin(), ranks.end());
    for (int i = 0; i < CColorPalette::SLOTS; ++i)
        if (ranks[static_cast<std::size_t>(i)] != i + 1)
            return false;
    return true;
}

// Picks to make first, then the slots that new colours take, one after the other.
struct RankCase {
    const char* name;
    std::vector<int> picks;
    std::vector<int> replaced;
};
void PrintTo(const RankCase& c, std::ostream* os) {
    *os << c.name;
}

class ColorPaletteRanks : public ::testing::TestWithParam<RankCase> {};

TEST_P(ColorPaletteRanks, NewColoursReplaceTheLeastRecentlyUsedSlots) {
    const RankCase& c = GetParam();
    CColorPalette p;
    for (int k : c.picks)
        p.Pick(k);
    for (std::size_t i = 0; i < c.replaced.size(); ++i) {
        const COLORREF color = RGB(1, 2, static_cast<int>(i) + 3);
        const int k = p.Place(color);
        EXPECT_EQ(k, c.replaced[i]) << "replacement " << i;
        EXPECT_EQ(p.Color(k), color);
        p.Pick(k);
        EXPECT_EQ(p.Rank(k), 1);
        EXPECT_TRUE(RanksArePermutation(p));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ColorPaletteRanks,
    ::testing::Values(RankCase{"FromTheMiddleOutwards", {}, {10, 9, 11, 8, 12, 7, 13, 6, 14, 5}},
                      // A pick of the slot that would go next saves it: the one after it goes.
                      RankCase{"PickedSlotIsSpared", {10}, {9, 11, 8}},
                      RankCase{"PickingAgainChangesNothing", {3, 3, 3}, {10, 9, 11}},
                      // Twenty new colours fill the palette; then the oldest of them goes.
                      RankCase{"AllSlotsInTurn", {}, {10, 9,  11, 8,  12, 7,  13, 6,  14, 5,  15,
                                                      4,  16, 3,  17, 2,  18, 1,  19, 0,  10, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorPalette, PickMovesOnlyTheSlotsUsedAfterIt) {
    CColorPalette p;
    p.Pick(4); // rank 9 becomes 1; ranks 1 to 8 move back one
    EXPECT_EQ(p.Rank(4), 1);
    EXPECT_EQ(p.Rank(0), 2);
    EXPECT_EQ(p.Rank(19), 3);
    EXPECT_EQ(p.Rank(3), 8);
    EXPECT_EQ(p.Rank(16), 9);
    EXPECT_EQ(p.Rank(5), 11); // ranked after: unchanged
    EXPECT_EQ(p.Rank(10), 20);
    EXPECT_TRUE(RanksArePermutation(p));
}

TEST(ColorPalette, ColourAlreadyThereTakesItsSlotAndReplacesNothing) {
    CColorPalette p;
    const CColorPalette before = p;
    EXPECT_EQ(p.Place(RGB(255, 0, 0)), 13);
    for (int k = 0; k < CColorPalette::SLOTS; ++k) {
        EXPECT_EQ(p.Color(k), before.Color(k));
        EXPECT_EQ(p.Rank(k), before.Rank(k));
    }
    // A colour set by a replacement is found again as well.
    const int k = p.Place(RGB(7, 7, 7));
    p.Pick(k);
    EXPECT_EQ(p.Place(RGB(7, 7, 7)), k);
}

} // namespace
