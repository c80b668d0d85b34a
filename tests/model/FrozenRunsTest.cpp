// Runs stand for the slots of rows that left the range together: random
// freezes, cuts, insertions and removals against one place per row.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "model/FrozenRuns.h"

namespace {

struct Place {
    std::uint32_t id;
    int top;
    bool operator==(const Place&) const = default;
};

std::optional<Place> Found(const CFrozenRuns& runs, int i) {
    const CFrozenRun* r = runs.Find(i);
    if (!r)
        return std::nullopt;
    return Place{r->nId, r->Top(i)};
}

TEST(FrozenRuns, FollowTheirRowsLikeOneSlotEach) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        auto rand = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        CFrozenRuns runs;
        std::vector<std::optional<Place>> rows(200);
        CFrozenRuns kept; // a copy taken halfway must not change afterwards
        std::vector<std::optional<Place>> keptRows;
        for (int step = 0; step < 300; ++step) {
            const int n = static_cast<int>(rows.size());
            const int a = rand(0, n), b = rand(a, std::min(n, a + 80));
            switch (rand(0, 3)) {
            case 0: { // rows [a, b) leave the range together
                CFrozenRun r;
                r.nFirst = a;
                r.nEnd = b;
                r.nId = static_cast<std::uint32_t>(step + 1);
                r.params.nLineHeight = rand(1, 30);
                r.nTop = rand(-100, 400);
                runs.Add(r);
                for (int i = a; i < b; ++i)
                    rows[static_cast<std::size_t>(i)] =
                        Place{r.nId, static_cast<int>(r.nTop + (i - a) * r.params.nLineHeight)};
                break;
            }
            case 1: // their slots were written
                runs.Cut(a, b);
                for (int i = a; i < b; ++i)
                    rows[static_cast<std::size_t>(i)].reset();
                break;
            case 2: // a row inserted before row a
                runs.Shift(a, 1);
                rows.insert(rows.begin() + a, std::nullopt);
                break;
            default: // row a removed
                if (a >= n)
                    break;
                runs.Shift(a, -1);
                rows.erase(rows.begin() + a);
                break;
            }
            if (step == 150) {
                kept = runs;
                keptRows = rows;
            }
            for (int i = -1; i <= static_cast<int>(rows.size()); ++i) {
                const std::optional<Place> want = i >= 0 && i < static_cast<int>(rows.size())
                                                      ? rows[static_cast<std::size_t>(i)]
                                                      : std::nullopt;
                ASSERT_EQ(Found(runs, i), want)
                    << "seed " << seed << " step " << step << " row " << i;
            }
        }
        for (int i = 0; i < static_cast<int>(keptRows.size()); ++i)
            ASSERT_EQ(Found(kept, i), keptRows[static_cast<std::size_t>(i)])
                << "seed " << seed << ", the copy, row " << i;
    }
}

} // namespace
