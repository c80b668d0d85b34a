#include <algorithm>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include <memory>

#include "SheetEdits.h"
#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "model/LineData.h"
#include "model/SheetFile.h"

namespace {

// A sheet of 20 rows x 10 columns laid out in a 400 x 200 grid: header 20,
// rows 20, names 100 and columns 20 pixels wide.
class Cursor : public ::testing::Test {
protected:
    void SetUp() override {
        s.SetScrollBarExtents(16, 16);
        for (int c = 0; c < 10; ++c)
            s.AddColumn(std::to_string(c), 1);
        for (int i = 0; i < 20; ++i)
            s.AddLine("r" + std::to_string(i));
        s.Layout(0, 0, 400, 200);
    }
    CSheetFile s;
    CRecordingDC dc;
};

TEST_F(Cursor, UpAndDownWithoutCurrentRowSelectRowZero) {
    EXPECT_FALSE(s.MoveUp(1));
    EXPECT_EQ(s.m_nCurLine, 0);
    s.m_nCurLine = -1;
    EXPECT_FALSE(s.MoveDown(1));
    EXPECT_EQ(s.m_nCurLine, 0);
}

TEST_F(Cursor, DownScrollsOnceTheRowLeavesTheVisiblePart) {
    // Rows whose offset is below 200 - 16 = 184 count as visible: 20 + 8 * 20 = 180.
    s.m_nCurLine = 7;
    EXPECT_FALSE(s.MoveDown(1));
    EXPECT_EQ(s.m_nCurLine, 8);
    EXPECT_TRUE(s.MoveDown(1));
    EXPECT_EQ(s.m_nCurLine, 9);
    EXPECT_EQ(s.m_nTopLine, 1);
    EXPECT_EQ(s[1]->m_rect, CRect(0, 20, 400, 40));
}

TEST_F(Cursor, PageDownStopsAtTheLastRowAndTopLineAtNMinusOne) {
    s.m_nCurLine = 17;
    s.m_nTopLine = 17;
    EXPECT_FALSE(s.MoveDown(5));
    EXPECT_EQ(s.m_nCurLine, 19);
    s.m_nTopLine = 0;
    EXPECT_TRUE(s.MoveDown(5));
    EXPECT_EQ(s.m_nTopLine, 5);
}

TEST_F(Cursor, RowAboveTheTopCountsAsNotVisibleForDown) {
    s.m_nCurLine = 2;
    s.SetTopLine(10);
    EXPECT_TRUE(s.MoveDown(1)); // negative offset compares as a large unsigned number
    EXPECT_EQ(s.m_nCurLine, 3);
    EXPECT_EQ(s.m_nTopLine, 11);
}

TEST_F(Cursor, PageUpScrollsOnlyAboveTheFirstVisibleRow) {
    s.SetTopLine(3);
    s.m_nCurLine = 9;
    EXPECT_FALSE(s.MoveUp(5));
    EXPECT_EQ(s.m_nCurLine, 4);
    EXPECT_TRUE(s.MoveUp(5));
    EXPECT_EQ(s.m_nCurLine, 0);
    EXPECT_EQ(s.m_nTopLine, 0);
}

TEST_F(Cursor, RightScrollsByAbsoluteIndexAndLeftNeverCreatesAColumn) {
    EXPECT_FALSE(s.MoveLeft());
    EXPECT_EQ(s.m_nCurColumn, -1);
    // Limit 400 - 16 = 384: column c fits while 100 + (c + 1) * 20 < 384, so up to 13.
    for (int c = 0; c < 9; ++c)
        EXPECT_FALSE(s.MoveRight()) << c;
    EXPECT_EQ(s.m_nCurColumn, 8);
    EXPECT_FALSE(s.MoveRight());
    EXPECT_FALSE(s.MoveRight()); // already the last column
    EXPECT_EQ(s.m_nCurColumn, 9);
    s.Layout(0, 0, 250, 200); // limit 234: column 6 ends at 240
    s.m_nCurColumn = 5;
    EXPECT_TRUE(s.MoveRight());
    EXPECT_EQ(s.m_nLeftColumn, 1);
    EXPECT_EQ(s.m_Columns[0]->m_rect, CRect());
    EXPECT_TRUE(s.MoveRight());
    EXPECT_EQ(s.m_nLeftColumn, 2);
    s.m_nCurColumn = 2;
    EXPECT_TRUE(s.MoveLeft());
    EXPECT_EQ(s.m_nLeftColumn, 1);
}

TEST_F(Cursor, HitTestRules) {
    // A cell: row 0 spans y 20..40, column 0 x 100..120.
    const CDataItem* hit = s.HitTest(105, 25, &dc);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(s.m_nCurLine, 0);
    EXPECT_EQ(s.m_nCurColumn, 0);
    EXPECT_EQ(s[0]->m_bSelected, 1);
    EXPECT_EQ(s.m_Columns[0]->m_bSelected, 1);
    // The line between columns inside a row belongs to the cell on its right.
    EXPECT_EQ(s.HitTest(120, 25, &dc), s[0]->GetAt(1));
    // In the header, the line at a column's right edge picks the left column.
    EXPECT_EQ(s.HitTest(140, 5, &dc), nullptr);
    EXPECT_EQ(s.m_nCurColumn, 1);
    // The line under the header belongs to the first visible row.
    s.HitTest(50, 20, &dc);
    EXPECT_EQ(s.m_nCurLine, 0);
    // A row name makes only the row current.
    s.HitTest(50, 65, &dc);
    EXPECT_EQ(s.m_nCurLine, 2);
    EXPECT_EQ(s.m_nCurColumn, 1);
    EXPECT_EQ(s[0]->m_bSelected, 0);
    // The corner above the row names selects nothing.
    s.HitTest(50, 5, &dc);
    EXPECT_EQ(s.m_nCurLine, 2);
    EXPECT_EQ(s.m_nCurColumn, 1);
    EXPECT_EQ(s.LineFromPoint(50, 65), 2);
    EXPECT_EQ(s.LineFromPoint(150, 65), -1);
    EXPECT_EQ(s.ColumnFromPoint(150, 5), 2);
}

TEST_F(Cursor, ScrolledOutCellsAreNeitherHitNorDrawn) {
    s.SetLeftColumn(2);
    EXPECT_EQ(s[0]->GetAt(0)->GetRect(), CRect());
    EXPECT_EQ(s.HitTest(105, 25, &dc), s[0]->GetAt(2));
    dc.m_records.clear();
    s[0]->GetAt(0)->Draw(&dc, s.Look());
    EXPECT_TRUE(dc.m_records.empty());
}

TEST_F(Cursor, SetCurRedrawsOnlyWhatChanges) {
    s.SetCur(0, 0, &dc);
    dc.m_records.clear();
    s.SetCur(1, -1, &dc);
    // Old header, new header, then the current row (its cursor cell moved).
    int headers = 0, rowNames = 0;
    for (const auto& r : dc.m_records) {
        if (r.op == CRecordingDC::Op::DrawText && r.font == &s.Look().m_fontColumn)
            ++headers;
        if (r.op == CRecordingDC::Op::DrawText && r.font == &s.Look().m_fontLine)
            ++rowNames;
    }
    EXPECT_EQ(headers, 2);
    EXPECT_EQ(rowNames, 1);
    EXPECT_EQ(s.m_Columns[0]->m_bSelected, 0);
    EXPECT_EQ(s.m_Columns[1]->m_bSelected, 1);
}

TEST_F(Cursor, CheckBoxDrawingPens) {
    // A background unlike every default.
    const COLORREF kBack = 0x123456;
    CDisplaySettings look;
    look.CheckBackColor = kBack;
    SetChecked(s, 0, 0);
    const CCheckItem* c = AsCheckItem(s[0]->GetAt(0));
    ASSERT_NE(c, nullptr);
    c->Draw(&dc, look);
    const CRect b = c->CheckRect();
    std::vector<CRecordingDC::Record> lines;
    for (const auto& r : dc.m_records)
        if (r.op == CRecordingDC::Op::LineTo)
            lines.push_back(r);
    ASSERT_EQ(lines.size(), 10u); // the frame's six segments, two more, and the cross
    EXPECT_EQ(lines[0].color, 0x99A8ACu);
    EXPECT_EQ(lines[0].rc, CRect(b.left, b.top, b.right, b.top));
    EXPECT_EQ(lines[2].color, 0x646F71u);
    EXPECT_EQ(lines[4].rc, CRect(b.right, b.top, b.right, b.bottom));
    EXPECT_EQ(lines[5].rc, CRect(b.right, b.bottom, b.left - 1, b.bottom));
    EXPECT_EQ(lines[7].color, 0xE2EFF1u);
    // The inside is filled once, in the check box background, and then the cross
    // is drawn over it (a fill afterwards would hide the cross).
    std::vector<std::size_t> fills;
    std::size_t cross = dc.m_records.size();
    for (std::size_t i = 0; i < dc.m_records.size(); ++i) {
        const auto& r = dc.m_records[i];
        if (r.op == CRecordingDC::Op::FillSolidRect)
            fills.push_back(i);
        if (r.op == CRecordingDC::Op::LineTo &&
            r.rc == CRect(b.left + 2, b.top + 2, b.right - 1, b.bottom - 1))
            cross = std::min(cross, i);
    }
    ASSERT_EQ(fills.size(), 1u);
    const auto& fill = dc.m_records[fills[0]];
    EXPECT_EQ(fill.rc, CRect(b.left + 2, b.top + 2, b.right - 1, b.bottom - 1));
    EXPECT_EQ(fill.color, kBack);
    ASSERT_LT(cross, dc.m_records.size());
    EXPECT_LT(fills[0], cross);
    EXPECT_EQ(dc.m_records[cross].color, look.m_penCheck.m_color);
}

} // namespace

namespace {

// Exactly the rows listed are highlighted.
void ExpectHighlighted(const CSheetFile& sheet, std::vector<int> rows) {
    std::vector<int> got;
    for (int i = 0; i < sheet.GetSize(); ++i)
        if (sheet.GetAt(i)->m_bSelected)
            got.push_back(i);
    EXPECT_EQ(got, rows);
}

// The highlight is found again whatever happened to the rows in between:
// undo copies, moves, inserts of an already highlighted row, deletions.
TEST_F(Cursor, HighlightNeverLingersAfterTheRowsChanged) {
    s.SetCur(0, 3, &dc);
    ExpectHighlighted(s, {3});

    CSheetFile snapshot;
    snapshot.Copy(s);
    s.SetCur(0, 5, &dc);
    s.Copy(snapshot); // row 3 highlighted again, as the snapshot had it
    s.SetCur(0, 9, &dc);
    ExpectHighlighted(s, {9});

    s.MoveLine(9, 2); // the highlighted row moves
    s.SetCur(0, 4, &dc);
    ExpectHighlighted(s, {4});

    s.InsertLine(0, std::make_unique<CLineData>(*s.GetAt(4))); // carries the highlight
    s.SetCur(0, 7, &dc);
    ExpectHighlighted(s, {7});

    s.DeleteLine(7);
    s.DrawSelection(&dc);
    ExpectHighlighted(s, {7});
    s.ClearSelection(&dc);
    ExpectHighlighted(s, {});
}

TEST_F(Cursor, MovingTheCursorRedrawsOnlyTheOldAndNewRows) {
    s.SetCur(0, 3, &dc);
    dc.m_records.clear();
    s.SetCur(0, 4, &dc);
    std::set<int> tops;
    for (const auto& r : dc.m_records)
        if (r.op == CRecordingDC::Op::FillSolidRect)
            tops.insert(r.rc.top / 20);
    // Rows 3 and 4 sit at 20 + 3 * 20 and 20 + 4 * 20.
    EXPECT_EQ(tops, (std::set<int>{4, 5}));
}

} // namespace
