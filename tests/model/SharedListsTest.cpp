#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/ColumnList.h"
#include "model/LineData.h"
#include "model/LineList.h"
#include "model/SheetFile.h"

namespace {

// Row lists under random edits, against plain vectors of names: copies taken
// along the way must keep exactly what they held, whatever the live list does
// later, and a copy must share every row that was not written since.
struct ListCase {
    const char* name;
    unsigned seed;
    int start; // rows before the edits: enough for several levels of nodes
    int steps;
};

class LineListEdits : public ::testing::TestWithParam<ListCase> {};

std::vector<std::string> Names(const CLineList& l) {
    std::vector<std::string> out;
    l.ForEach(0, l.GetSize(), [&](int i, const CLineSlot& s) {
        EXPECT_EQ(i, static_cast<int>(out.size()));
        out.push_back(s.pLine->m_strName);
        return true;
    });
    return out;
}

TEST_P(LineListEdits, CopiesKeepWhatTheyHeld) {
    const ListCase& c = GetParam();
    std::mt19937 rnd(c.seed);
    auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
    int next = 0;
    auto newLine = [&] { return new CLineData("r" + std::to_string(next++), 1); };

    CLineList live;
    std::vector<std::string> ref;
    for (int i = 0; i < c.start; ++i) {
        live.Insert(i, newLine());
        ref.push_back(live.Slot(i).pLine->m_strName);
    }
    std::vector<std::pair<std::unique_ptr<CLineList>, std::vector<std::string>>> copies;

    for (int step = 0; step < c.steps; ++step) {
        const int n = live.GetSize();
        switch (pick(9)) {
        case 0:
        case 1: { // insert anywhere, the ends included
            const int i = pick(n + 1);
            live.Insert(i, newLine());
            ref.insert(ref.begin() + i, "r" + std::to_string(next - 1));
            break;
        }
        case 2:
            if (n) {
                const int i = pick(n);
                live.Erase(i);
                ref.erase(ref.begin() + i);
            }
            break;
        case 3:
            if (n) {
                const int i = pick(n);
                std::unique_ptr<CLineData> p(live.Release(i));
                EXPECT_EQ(p->m_strName, ref[static_cast<std::size_t>(i)]);
                p->m_strName = "released"; // owned alone: no copy may see it
                ref.erase(ref.begin() + i);
            }
            break;
        case 4:
            if (n) {
                const int a = pick(n), b = pick(n);
                live.Swap(a, b);
                std::swap(ref[static_cast<std::size_t>(a)], ref[static_cast<std::size_t>(b)]);
            }
            break;
        case 5:
        case 6:
            if (n) {
                const int i = pick(n);
                live.MutableLine(i)->m_strName += "'";
                ref[static_cast<std::size_t>(i)] += "'";
            }
            break;
        case 7: {
            auto copy = std::make_unique<CLineList>();
            copy->ShareFrom(live);
            copies.emplace_back(std::move(copy), ref);
            if (copies.size() > 12)
                copies.erase(copies.begin());
            break;
        }
        default: // a whole-list walk that stops early, and random lookups
            if (n) {
                const int from = pick(n), stop = from + pick(n - from) + 1;
                int seen = from;
                live.ForEach(from, n, [&](int i, const CLineSlot& s) {
                    EXPECT_EQ(i, seen);
                    EXPECT_EQ(s.pLine->m_strName, ref[static_cast<std::size_t>(i)]);
                    return ++seen < stop;
                });
                EXPECT_EQ(seen, stop);
                const int i = pick(n);
                EXPECT_EQ(live.Slot(i).pLine->m_strName, ref[static_cast<std::size_t>(i)]);
            }
        }
        ASSERT_EQ(live.GetSize(), static_cast<int>(ref.size())) << "step " << step;
        if (step % 16 == 0 || step == c.steps - 1) {
            ASSERT_EQ(Names(live), ref) << "step " << step;
            for (const auto& [copy, names] : copies)
                ASSERT_EQ(Names(*copy), names) << "step " << step;
        }
    }
    // Emptied one row at a time and filled again: the tree shrinks and grows.
    while (!live.IsEmpty())
        live.Erase(pick(live.GetSize()));
    for (int i = 0; i < 100; ++i)
        live.Insert(i, newLine());
    EXPECT_EQ(live.Slot(99).pLine->m_strName, "r" + std::to_string(next - 1));
    for (const auto& [copy, names] : copies)
        EXPECT_EQ(Names(*copy), names);
}

INSTANTIATE_TEST_SUITE_P(Seeds, LineListEdits,
                         ::testing::Values(ListCase{"Small", 1, 10, 3000},
                                           ListCase{"ThreeLevels", 2, 6000, 4000},
                                           ListCase{"FromEmpty", 3, 0, 6000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineListSharing, AnEditCopiesOnlyTheRowItWrites) {
    CLineList live;
    for (int i = 0; i < 5000; ++i)
        live.Insert(i, new CLineData("r" + std::to_string(i), 2));
    CLineList copy;
    copy.ShareFrom(live);
    live.MutableLine(2500)->m_strName = "changed";
    live.Swap(10, 4990);
    int differ = 0;
    for (int i = 0; i < 5000; ++i)
        if (live.Slot(i).pLine != copy.Slot(i).pLine)
            ++differ;
    EXPECT_EQ(differ, 3);
    EXPECT_EQ(copy.Slot(2500).pLine->m_strName, "r2500");
    EXPECT_EQ(copy.Slot(10).pLine->m_strName, "r10");
    EXPECT_FALSE(live.IsShared(2500));
    EXPECT_TRUE(live.IsShared(2499)); // in the copied leaf, but the row is still shared
    EXPECT_TRUE(copy.IsShared(0));
}

// Columns: a snapshot shares them unless the sheet handed columns out for
// writing, and a column written after the snapshot never shows in it.
class ColumnSnapshot : public ::testing::Test {
protected:
    ColumnSnapshot() {
        for (int j = 0; j < 4; ++j)
            sheet.AddColumn("c" + std::to_string(j), 1);
        sheet.AddLine("row");
        sheet.Layout(0, 0, 400, 300);
        sheet.m_nCurColumn = 1;
    }
    CSheetFile sheet;
};

TEST_F(ColumnSnapshot, AnEditAfterTheCopyStaysOutOfIt) {
    (void)sheet.GetCurColumn(); // read before the snapshot, as a command does
    CSheetFile snap(CSheetFile::kCopyTarget);
    snap.Copy(sheet);
    sheet.EditColumn(1, [](CColumnData& c) { c.m_strName = "edited"; });
    EXPECT_EQ(std::as_const(snap.m_Columns)[1]->m_strName, "c1");
    EXPECT_EQ(std::as_const(sheet.m_Columns)[1]->m_strName, "edited");
}

TEST_F(ColumnSnapshot, ReadsAndASteadyLayoutShareEveryColumn) {
    (void)sheet.GetCurColumn();
    sheet.Layout(0, 0, 400, 300);
    CSheetFile snap(CSheetFile::kCopyTarget);
    snap.Copy(sheet);
    sheet.Layout(0, 0, 400, 300); // nothing moves: nothing is written
    for (int j = 0; j < 4; ++j)
        EXPECT_EQ(std::as_const(sheet.m_Columns)[j], std::as_const(snap.m_Columns)[j]) << j;
}

TEST_F(ColumnSnapshot, LaterChangesLeaveTheCopyAsItWas) {
    CSheetFile snap(CSheetFile::kCopyTarget);
    snap.Copy(sheet);
    const CRect before = std::as_const(snap.m_Columns)[2]->m_rect;
    sheet.SetLeftColumn(1);
    sheet.Layout();
    sheet.EditColumn(3, [](CColumnData& c) { c.m_strDetail = "d"; });
    sheet.MoveColumn(0, 3);
    sheet.DeleteColumn(1);
    EXPECT_EQ(std::as_const(snap.m_Columns)[2]->m_rect, before);
    EXPECT_NE(std::as_const(sheet.m_Columns)[1]->m_rect, before);
    ASSERT_EQ(snap.m_Columns.GetSize(), 4);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(std::as_const(snap.m_Columns)[j]->m_strName, "c" + std::to_string(j));
        EXPECT_EQ(std::as_const(snap.m_Columns)[j]->m_strDetail, "");
    }
    std::unique_ptr<CColumnData> taken = sheet.m_Columns.ReleaseAt(0);
    taken->m_strName = "taken";
    EXPECT_EQ(std::as_const(snap.m_Columns)[0]->m_strName, "c0");
}

} // namespace
