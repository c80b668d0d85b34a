// The check counts a sheet keeps as it changes, against a full recount after
// every step of randomised edits, undos and redos.
#include <gtest/gtest.h>

#include <memory>

#include <random>
#include <string>
#include <vector>

#include "model/CheckItem.h"
#include "model/SheetIo.h"

namespace {

CCheckTally Recount(const CSheetFile& s, int line = -1, int column = -1) {
    CCheckTally t;
    for (int i = 0; i < s.GetSize(); ++i) {
        if (line >= 0 && i != line)
            continue;
        const CLineData* l = s.GetAt(i);
        for (int j = 0; j < l->GetSize(); ++j) {
            if (column >= 0 && j != column)
                continue;
            if (const CCheckItem* c = AsCheckItem(l->GetAt(j))) {
                ++t.nTotal;
                t.nChecked += c->m_bCheck ? 1 : 0;
            }
        }
    }
    return t;
}

void ExpectCountsRight(const CSheetFile& s, const std::string& step) {
    const CCheckTally all = Recount(s);
    EXPECT_EQ(s.CheckCounts().nChecked, all.nChecked) << step;
    EXPECT_EQ(s.CheckCounts().nTotal, all.nTotal) << step;
    for (int j = 0; j < s.m_Columns.GetSize(); ++j) {
        const CCheckTally c = Recount(s, -1, j);
        EXPECT_EQ(s.ColumnCheckCounts(j), c) << step << " column " << j;
    }
    for (int i = 0; i < s.GetSize(); ++i)
        EXPECT_EQ(s.LineCheckCounts(i), Recount(s, i)) << step << " row " << i;
    EXPECT_EQ(s.ColumnCheckCounts(s.m_Columns.GetSize()), CCheckTally{});
    EXPECT_EQ(s.LineCheckCounts(-1), CCheckTally{});
}

struct Sequence {
    unsigned seed;
    int rows;
    int steps;
};

class CheckCountsSequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(CheckCountsSequence, MatchAFullRecountAfterEveryStep) {
    const Sequence& p = GetParam();
    std::mt19937 rng(p.seed);
    auto pick = [&](int n) {
        return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n));
    };
    CSheetFile s;
    // Undo and redo as the document makes them: snapshots that share their
    // rows with the sheet until one side changes, copied back.
    std::vector<std::unique_ptr<CSheetFile>> undo, redo;
    auto snapshot = [&s] {
        auto copy = std::make_unique<CSheetFile>(CSheetFile::kCopyTarget);
        copy->Copy(s);
        return copy;
    };
    auto stepTo = [&](auto& from, auto& to) {
        to.push_back(snapshot());
        s.Copy(*from.back());
        from.pop_back();
    };
    for (int j = 0; j < 4; ++j)
        s.AddColumn("c" + std::to_string(j), j == 2 ? CELL_PLAIN : CELL_CHECK);
    for (int i = 0; i < p.rows; ++i)
        s.AddLine("r" + std::to_string(i));
    ExpectCountsRight(s, "start");
    for (int step = 0; step < p.steps; ++step) {
        const int op = pick(16);
        const std::string name = "step " + std::to_string(step) + " op " + std::to_string(op);
        const int rows = s.GetSize();
        const int cols = s.m_Columns.GetSize();
        if (op != 14 && op != 15) {
            undo.push_back(snapshot());
            redo.clear();
        }
        switch (op) {
        case 0:
        case 1:
        case 2: // ticks, as Space and the mouse do
            if (rows > 0 && cols > 0) {
                s.m_nCurLine = pick(rows);
                s.m_nCurColumn = pick(cols);
                s.ToggleCur(nullptr);
            }
            break;
        case 3:
            s.SetAllCheck(pick(2));
            break;
        case 4:
            s.m_nCurLine = rows > 0 ? pick(rows) : -1;
            s.SetLineCheck(pick(2));
            break;
        case 5:
            s.m_nCurColumn = cols > 0 ? pick(cols) : -1;
            s.SetColumnCheck(pick(2));
            break;
        case 6: // a new row, ticked before it goes in (paste, import)
        {
            auto l = std::make_unique<CLineData>("n", cols);
            for (CDataItem* c : *l)
                if (CCheckItem* k = AsCheckItem(c))
                    k->m_bCheck = pick(2);
            s.InsertLine(pick(rows + 1), std::move(l));
            break;
        }
        case 7:
            if (rows > 0)
                s.DeleteLine(pick(rows));
            break;
        case 8:
            if (rows > 1)
                s.MoveLine(pick(rows), pick(rows));
            break;
        case 9:
            if (cols < 8)
                s.InsertColumn(pick(cols + 1), std::make_unique<CColumnData>("x"),
                               pick(3) ? CELL_CHECK : CELL_PLAIN);
            break;
        case 10:
            if (cols > 1)
                s.DeleteColumn(pick(cols));
            break;
        case 11:
            if (cols > 1)
                s.MoveColumn(pick(cols), pick(cols));
            break;
        case 12: // a row written through the sheet's edit call
            if (rows > 0 && cols > 0)
                s.EditLine(pick(rows), [&](CLineData& l) { l.GetAt(pick(cols))->Toggle(); });
            break;
        case 13: // taken out, changed and put back elsewhere
            if (rows > 0) {
                auto l = s.ReleaseAt(pick(rows));
                for (CDataItem* c : *l)
                    c->Toggle();
                s.InsertAt(pick(rows), std::move(l));
            }
            break;
        case 14:
            if (!undo.empty())
                stepTo(undo, redo);
            break;
        case 15:
            if (!redo.empty())
                stepTo(redo, undo);
            break;
        }
        ExpectCountsRight(s, name);
        if (HasFailure())
            return;
    }
}

// Large enough that most rows changing at once switches to one full recount.
INSTANTIATE_TEST_SUITE_P(Seeds, CheckCountsSequence,
                         ::testing::Values(Sequence{1, 0, 200}, Sequence{2, 5, 400},
                                           Sequence{3, 40, 400}, Sequence{4, 300, 150},
                                           Sequence{5, 1, 300}),
                         [](const ::testing::TestParamInfo<Sequence>& i) {
                             return "Seed" + std::to_string(i.param.seed) + "Rows" +
                                    std::to_string(i.param.rows);
                         });

TEST(CheckCounts, EditsOfEveryRowAndACopyKeepTheRightCounts) {
    CSheetFile s;
    for (int i = 0; i < 200; ++i)
        s.AddLine("r");
    s.AddColumn("a", CELL_CHECK);
    s.AddColumn("b", CELL_PLAIN);
    EXPECT_EQ(s.CheckCounts(), (CCheckTally{0, 200}));
    for (int i = 0; i < s.GetSize(); ++i)
        s.EditLine(i, [](CLineData& l) { l.GetAt(0)->Toggle(); });
    CSheetFile snap;
    snap.Copy(s);
    EXPECT_EQ(snap.CheckCounts(), (CCheckTally{200, 200}));
    EXPECT_EQ(s.CheckCounts(), (CCheckTally{200, 200}));
    s.m_nCurLine = 3;
    s.m_nCurColumn = 0;
    s.ToggleCur(nullptr);
    EXPECT_EQ(s.CheckCounts(), (CCheckTally{199, 200}));
    EXPECT_EQ(s.ColumnCheckCounts(0), (CCheckTally{199, 200}));
    EXPECT_EQ(s.ColumnCheckCounts(1), CCheckTally{});
    EXPECT_EQ(snap.CheckCounts(), (CCheckTally{200, 200}));
    s.Clear();
    EXPECT_EQ(s.CheckCounts(), CCheckTally{});
}

// The counts of a sheet just read: every kind of cell a file may hold, a
// sheet read on top of rows it already counted, and what is left of a cut file.
TEST(CheckCounts, RightAfterReading) {
    CSheetFile s;
    s.AddColumn("check", CELL_CHECK);
    s.AddColumn("plain", CELL_PLAIN);
    s.AddColumn("check 2", CELL_CHECK);
    for (int i = 0; i < 90; ++i) {
        s.AddLine("r" + std::to_string(i));
        s.EditLine(i, [i](CLineData& l) {
            if (i % 3 == 0)
                l.GetAt(0)->Toggle();
            if (i % 5 == 0)
                AsCheckItem(l.GetAt(2))->m_bCheck = 7; // any non-zero value is checked
            if (i % 7 == 0)
                l.GetAt(2)->m_nType = CELL_PLAIN; // a check cell stored as plain is not counted
            if (i % 11 == 0)
                l.GetAt(1)->m_nType = CELL_CHECK; // nor is a plain cell stored as a check cell
        });
    }
    std::string bytes;
    {
        CArchive ar(&bytes);
        s.Serialize(ar);
    }
    CSheetFile read;
    ASSERT_FALSE(ReadSheet(read, bytes));
    ExpectCountsRight(read, "read");
    EXPECT_EQ(read.CheckCounts(), s.CheckCounts());

    // Rows already counted stay counted when more are read behind them.
    CSheetFile more;
    more.Add(std::make_unique<CLineData>("kept", 2));
    more.EditLine(0, [](CLineData& l) { l.GetAt(0)->Toggle(); });
    EXPECT_EQ(more.CheckCounts(), (CCheckTally{1, 2}));
    more.Add(std::make_unique<CLineData>("not yet counted", 3));
    CArchive in{std::string_view(bytes)};
    more.Serialize(in);
    ExpectCountsRight(more, "read behind rows");

    // A cut file: the rows read before the cut are the sheet and its counts.
    CSheetFile cut;
    CArchive part(std::string_view(bytes).substr(0, bytes.size() / 2));
    EXPECT_THROW(cut.Serialize(part), CFileError);
    EXPECT_GT(cut.GetSize(), 10);
    EXPECT_LT(cut.GetSize(), 90);
    ExpectCountsRight(cut, "cut");
}

} // namespace
