#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "fw/Cp932.h"
#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "SheetEdits.h"
#include "model/LayoutParams.h"
#include "model/SheetIo.h"

namespace {

const CCheckItem* Cell(const CSheetFile& s, int line, int col) {
    return static_cast<const CCheckItem*>(s[line]->GetAt(col));
}

TEST(SheetModel, DeletingRowsClampsTheCursor) {
    CSheetFile s;
    s.AddLine("only");
    s.m_nCurLine = 0;
    s.DeleteLine();
    EXPECT_EQ(s.m_nCurLine, -1);
    for (const char* n : {"a", "b", "c"})
        s.AddLine(n);
    s.m_nCurLine = 2;
    s.m_nTopLine = 2;
    s.DeleteLine();
    EXPECT_EQ(s.m_nCurLine, 1);
    EXPECT_EQ(s.m_nTopLine, 2); // scroll position is left alone
}

TEST(SheetModel, ColumnsKeepEveryRowInStep) {
    CSheetFile s;
    for (const char* n : {"a", "b", "c"})
        s.AddLine(n);
    for (const char* n : {"0", "1", "2"})
        s.AddColumn(n, 1);
    SetChecked(s, 0, 1, 1);
    s.AddColumn("3", 1);
    for (const CLineData* l : s) {
        ASSERT_EQ(l->GetSize(), 4);
        EXPECT_EQ(static_cast<const CCheckItem*>(l->GetAt(3))->m_bCheck, 0);
    }
    s.DeleteColumn(0);
    EXPECT_EQ(s.m_Columns[0]->m_strName, "1");
    EXPECT_EQ(Cell(s, 0, 0)->m_bCheck, 1);
    s.m_nCurColumn = 2;
    s.MoveColumn(1, 2);
    EXPECT_EQ(s.m_nCurColumn, 1);
    EXPECT_EQ(s.m_Columns[2]->m_strName, "2");
    s.InsertColumn(0, std::make_unique<CColumnData>("x"), 1);
    EXPECT_EQ(s[2]->GetSize(), 4);
    EXPECT_EQ(Cell(s, 0, 1)->m_bCheck, 1);
}

TEST(SheetModel, MoveLineFollowsTheCursorBothWays) {
    CSheetFile s;
    for (const char* n : {"a", "b", "c"})
        s.AddLine(n);
    s.m_nCurLine = 0;
    s.MoveLine(0, 1);
    EXPECT_EQ(s.m_nCurLine, 1);
    EXPECT_EQ(s[0]->m_strName, "b");
    s.MoveLine(0, 1);
    EXPECT_EQ(s.m_nCurLine, 0);
}

TEST(SheetModel, CheckOperationsSkipPlainCells) {
    CSheetFile s;
    s.AddColumn("c", 1);
    s.AddLine("a");
    s.AddLine("b");
    s.EditLine(1, [](CLineData& l) {
        l.RemoveAt(0);
        l.Add(new CDataItem);
    });
    s.m_nCurColumn = 0;
    s.SetColumnCheck(TRUE);
    EXPECT_EQ(Cell(s, 0, 0)->m_bCheck, 1);
    EXPECT_EQ(s[1]->GetAt(0)->GetType(), CELL_PLAIN);
    s.m_nCurLine = 0;
    s.SetLineCheck(FALSE);
    EXPECT_EQ(Cell(s, 0, 0)->m_bCheck, 0);
    s.SetAllCheck(TRUE);
    EXPECT_EQ(Cell(s, 0, 0)->m_bCheck, 1);
    CRecordingDC dc;
    s.m_nCurLine = 1;
    s.ToggleCur(&dc); // a plain cell neither toggles nor draws
    EXPECT_TRUE(dc.m_records.empty());
}

// A file may store any type on either class: only a check cell that says it
// is one counts, so nothing reads a box a plain cell does not have.
TEST(SheetModel, CheckCellOnlyWhenClassAndTypeAgree) {
    CCheckItem check;
    CDataItem plain;
    EXPECT_EQ(AsCheckItem(&check), &check);
    EXPECT_EQ(AsCheckItem(static_cast<const CDataItem*>(&check)), &check);
    EXPECT_EQ(AsCheckItem(&plain), nullptr);
    plain.m_nType = CELL_CHECK;
    EXPECT_EQ(AsCheckItem(&plain), nullptr);
    check.m_nType = CELL_PLAIN;
    EXPECT_EQ(AsCheckItem(&check), nullptr);
    EXPECT_EQ(AsCheckItem(static_cast<CDataItem*>(nullptr)), nullptr);
}

TEST(SheetModel, ClearKeepsTheUsersWidthsAndRate) {
    CSheetFile s;
    s.m_nLineNameWidth = 15;
    s.m_nColumnWidth = 8;
    s.m_dLineHeightRate = 2.0;
    s.m_nCsvMark = 1;
    s.m_strHtmlCss = "x";
    s.AddColumn("c", 1);
    s.Clear();
    EXPECT_EQ(s.m_nLineNameWidth, 15);
    EXPECT_EQ(s.m_nColumnWidth, 8);
    EXPECT_DOUBLE_EQ(s.m_dLineHeightRate, 2.0);
    EXPECT_EQ(s.m_nCsvMark, 0);
    EXPECT_TRUE(s.m_strHtmlCss.empty());
    EXPECT_EQ(s.m_Columns.GetSize(), 0);
}

TEST(SheetModel, CopyIsDeepAndComplete) {
    CSheetFile s;
    s.AddColumn("c", 1);
    s.AddLine("a");
    s.m_nCurLine = 0;
    s.m_nCurColumn = 0;
    s.m_rcGrid = CRect(1, 2, 3, 4);
    s.m_dLineHeightRate = 3;
    s.EditLine(0, [](CLineData& l) { l.m_bSelected = 1; });
    CSheetFile t;
    t.Copy(s);
    SetChecked(s, 0, 0, 1);
    SetLineName(s, 0, "changed");
    EXPECT_EQ(Cell(t, 0, 0)->m_bCheck, 0);
    EXPECT_EQ(t[0]->m_strName, "a");
    EXPECT_EQ(t.m_rcGrid, CRect(1, 2, 3, 4));
    EXPECT_EQ(t.m_nCurLine, 0);
    EXPECT_EQ(t[0]->m_bSelected, 1);
    EXPECT_DOUBLE_EQ(t.m_dLineHeightRate, 3);
}

struct BoxCase {
    const char* name;
    CRect cell;
    CRect box;
};

class CheckBoxPlacement : public ::testing::TestWithParam<BoxCase> {};

TEST_P(CheckBoxPlacement, CentredWithTruncation) {
    CCheckItem c;
    const CRect& r = GetParam().cell;
    c.SetRect(r.left, r.top, r.right, r.bottom);
    EXPECT_EQ(c.CheckRect(), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CheckBoxPlacement,
    ::testing::Values(BoxCase{"Cell40x20", CRect(0, 0, 40, 20), CRect(12, 2, 27, 17)},
                      BoxCase{"Low10", CRect(100, 50, 140, 60), CRect(112, 51, 127, 66)},
                      BoxCase{"Narrow10", CRect(0, 0, 10, 30), CRect(-2, 7, 13, 22)},
                      BoxCase{"Exact15", CRect(5, 5, 20, 20), CRect(5, 6, 20, 21)}),
    [](const auto& info) { return std::string(info.param.name); });

// A check cell's box through what happens to its row: placed (cells left of
// the first visible column scrolled out to an empty rectangle, whose box still
// sits at the origin), unplaced, copied, read back from a file.
struct BoxLifeCase {
    const char* name;
    std::function<std::unique_ptr<CLineData>()> make;
    std::array<CRect, 3> boxes;
};

void PrintTo(const BoxLifeCase& c, std::ostream* os) {
    *os << c.name;
}

// The grid from x 0, the name column 100 wide, cells 40 wide and 20 high.
CLayoutParams Layout(int leftColumn) {
    CLayoutParams p;
    p.nRight = 500;
    p.nLineHeight = 20;
    p.nLeftColumn = leftColumn;
    p.nNameWidth = 100;
    p.nColumnWidth = 40;
    return p;
}

CLayoutRegistry g_Layouts;

std::unique_ptr<CLineData> PlacedRow(int leftColumn) {
    auto row = std::make_unique<CLineData>("r", 3);
    const CLayoutParams p = Layout(leftColumn);
    row->Place(g_Layouts.Intern(p), p, 30);
    return row;
}

void Unplace(CLineData& row) {
    row.Place(CLineData::kUnplaced, CLayoutParams(), 0);
}

const CRect kNone;
const CRect kOut(-7, 1, 8, 16); // the box of an empty cell rectangle
const CRect kSecond(112, 32, 127, 47);
const CRect kThird(152, 32, 167, 47);

class CheckBoxLife : public ::testing::TestWithParam<BoxLifeCase> {};

TEST_P(CheckBoxLife, BoxFollowsTheRow) {
    const auto row = GetParam().make();
    ASSERT_EQ(row->GetSize(), 3);
    for (int i = 0; i < 3; ++i) {
        const CCheckItem* c = AsCheckItem(row->GetAt(i));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->CheckRect(), GetParam().boxes[static_cast<std::size_t>(i)]) << "cell " << i;
        // Whatever the box, an unplaced cell has no rectangle either.
        if (GetParam().boxes[static_cast<std::size_t>(i)] == kNone) {
            EXPECT_TRUE(c->m_rect.IsRectNull()) << "cell " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckBoxLife,
    ::testing::Values(
        BoxLifeCase{
            "New", [] { return std::make_unique<CLineData>("r", 3); }, {kNone, kNone, kNone}},
        BoxLifeCase{"Placed", [] { return PlacedRow(1); }, {kOut, kSecond, kThird}},
        BoxLifeCase{"ScrolledFurther", [] { return PlacedRow(2); }, {kOut, kOut, kSecond}},
        BoxLifeCase{"Unplaced",
                    [] {
                        auto row = PlacedRow(1);
                        Unplace(*row);
                        return row;
                    },
                    {kNone, kNone, kNone}},
        BoxLifeCase{"PlacedAgain",
                    [] {
                        auto row = PlacedRow(2);
                        Unplace(*row);
                        const CLayoutParams p = Layout(1);
                        row->Place(g_Layouts.Intern(p), p, 30);
                        return row;
                    },
                    {kOut, kSecond, kThird}},
        BoxLifeCase{"CopyOfPlaced",
                    [] {
                        auto row = PlacedRow(1);
                        return std::make_unique<CLineData>(*row);
                    },
                    {kOut, kSecond, kThird}},
        BoxLifeCase{"CopyOfUnplaced",
                    [] {
                        auto row = PlacedRow(1);
                        Unplace(*row);
                        return std::make_unique<CLineData>(*row);
                    },
                    {kNone, kNone, kNone}},
        BoxLifeCase{"CellsClonedOneByOne",
                    [] {
                        auto row = PlacedRow(1);
                        Unplace(*row);
                        row->GetAt(2)->SetRect(140, 30, 180, 50);
                        auto copy = std::make_unique<CLineData>("c", 0);
                        for (CDataItem* c : *row)
                            copy->Add(c->Clone());
                        return copy;
                    },
                    {kNone, kNone, kThird}},
        BoxLifeCase{"ReadBack",
                    [] {
                        auto row = PlacedRow(1);
                        std::string bytes;
                        {
                            CArchive ar(&bytes);
                            row->Serialize(ar);
                        }
                        auto back = std::make_unique<CLineData>();
                        CArchive in{std::string_view(bytes)};
                        back->Serialize(in);
                        return back;
                    },
                    {kNone, kNone, kNone}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetModel, ExtentCountsCellsOfRowZero) {
    CSheetFile s; // names 100 and columns 20 pixels wide until measured
    s.AddColumn("c", 1);
    EXPECT_EQ(s.GetExtent(), CSize(0, 0));
    s.AddLine("a");
    s.AddLine("b");
    EXPECT_EQ(s.GetExtent(), CSize(1 * 20 + 100 + 1, 2 * 20 + 20 + 1));
}

TEST(SheetModel, MeasuringTruncatesTowardZero) {
    CMemoryProfile profile;
    CRecordingDC dc;
    CSheetFile s;
    s.SetLook(LoadDisplaySettings(profile)); // defaults: row font 16, column font 14
    s.m_dLineHeightRate = 1.5;
    s.m_nLineNameWidth = 10;
    s.m_nColumnWidth = 4;
    s.CalcMetrics(&dc);
    EXPECT_EQ(s.m_nLineHeight, 24);   // 16 * 1.5
    EXPECT_EQ(s.m_nColumnHeight, 21); // 14 * 1.5
    EXPECT_EQ(s.LineNameWidthPx(), 80);
    EXPECT_EQ(s.ColumnWidthPx(), 28);
    s.m_dLineHeightRate = 1.33;
    s.CalcMetrics(&dc);
    EXPECT_EQ(s.m_nLineHeight, 21); // 21.28
    EXPECT_EQ(dc.m_pFont, nullptr); // the previous font is restored
}

struct NewSheetCase {
    const char* name;
    const char* text;
    std::vector<std::string> rows;
    int width;
};

class NewSheet : public ::testing::TestWithParam<NewSheetCase> {};

TEST_P(NewSheet, RowsFromTheDialogText) {
    CSheetFile s;
    s.m_nLineNameWidth = 10;
    BuildNewSheet(s, GetParam().text);
    ASSERT_EQ(s.GetSize(), static_cast<int>(GetParam().rows.size()));
    for (int i = 0; i < s.GetSize(); ++i) {
        EXPECT_EQ(s[i]->m_strName, GetParam().rows[i]);
        ASSERT_EQ(s[i]->GetSize(), 1);
        EXPECT_EQ(Cell(s, i, 0)->m_bCheck, 0);
    }
    ASSERT_EQ(s.m_Columns.GetSize(), 1);
    EXPECT_EQ(s.m_Columns[0]->m_strName, cp932::FromUtf8OrDie("チェック"));
    EXPECT_EQ(s.m_nLineNameWidth, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NewSheet,
    ::testing::Values(
        NewSheetCase{"CrLfWithEmptyLine", "aa\r\nbb\r\n\r\ncc", {"aa", "bb", "cc"}, 10},
        NewSheetCase{"LfOnlyKeepsLastLetter", "ab\ncd\n", {"ab", "cd"}, 10},
        NewSheetCase{"OnlyLineBreaks", "\r\n\r\n\n", {}, 10}, NewSheetCase{"Empty", "", {}, 10},
        NewSheetCase{"CrInsideLineKept", "a\rb\r\n", {"a\rb"}, 10},
        NewSheetCase{"FourteenByteName",
                     "\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4A\x83\x4C",
                     {"\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4A\x83\x4C"},
                     14},
        NewSheetCase{"WidthFromSkippedLongName",
                     "short\r\n0123456789abcdef",
                     {"short", "0123456789abcdef"},
                     16}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
