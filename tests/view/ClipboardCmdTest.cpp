// The clipboard commands: the row record byte for byte, rows through the
// real clipboard between two sheets, damaged blocks, text turned into rows
// and columns, and the picture of the grid.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "CmdTestSheet.h"
#include "ViewTestUtil.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "qt/QtUserInterface.h"
#include "res/CommandIds.h"
#include "view/ClipboardCommands.h"
#include "ScriptedAnswers.h"

namespace {

using C = CClipboardCommands;

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

// The row "A" with empty detail and link file and one checked cell.
std::string WorkedExample() {
    return Bytes({0x64, 0, 0, 0, 0x01, 'A', 0, 0, 0x01, 0, 0xFF, 0xFF, 0x01, 0, 0x0A, 0}) +
           "CCheckItem" + Bytes({0x64, 0, 0, 0, 1, 0, 0, 0, 0x64, 0, 0, 0, 1, 0, 0, 0});
}

std::string WithoutCursor(const std::string& picture) {
    return picture.substr(0, picture.rfind("|@"));
}

std::unique_ptr<CLineData> RowA() {
    auto p = std::make_unique<CLineData>("A", 1);
    static_cast<CCheckItem*>(p->GetAt(0))->m_bCheck = 1;
    return p;
}

TEST(LineRecord, WorkedExampleByteForByte) {
    std::unique_ptr<CLineData> row(RowA());
    const std::string bytes = C::LineToBytes(*row);
    EXPECT_EQ(bytes.size(), 42u);
    EXPECT_EQ(bytes, WorkedExample());
}

TEST(LineRecord, SecondCellOfTheSameClassIsABackReference) {
    std::unique_ptr<CLineData> row(RowA());
    row->Add(new CCheckItem);
    const std::string bytes = C::LineToBytes(*row);
    ASSERT_EQ(bytes.size(), 42u + 2 + 16);
    EXPECT_EQ(bytes.substr(8, 2), Bytes({0x02, 0}));
    EXPECT_EQ(bytes.substr(42),
              Bytes({0x01, 0x80, 0x64, 0, 0, 0, 1, 0, 0, 0, 0x64, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(LineRecord, ReadsTheRecordAndIgnoresTheBlockPadding) {
    const std::string block = WorkedExample() + std::string(4096 - 42, '\0');
    std::unique_ptr<CLineData> row = C::LineFromBytes(block);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->m_strName, "A");
    EXPECT_EQ(row->m_strDetail, "");
    ASSERT_EQ(row->GetSize(), 1);
    ASSERT_EQ(row->GetAt(0)->GetType(), 1);
    EXPECT_EQ(static_cast<const CCheckItem*>(row->GetAt(0))->m_bCheck, 1);
}

TEST(LineRecord, RoundTripKeepsTextsAndEveryCellsTypeAndState) {
    CLineData row(cp932::FromUtf8OrDie("行の名前"), 0);
    row.m_strDetail = "detail\r\nsecond";
    row.m_strLinkFile = "http://example.com/a b";
    row.Add(new CDataItem);
    for (int checked : {1, 0, 1}) {
        auto* p = new CCheckItem;
        p->m_bCheck = checked;
        row.Add(p);
    }
    std::unique_ptr<CLineData> back = C::LineFromBytes(C::LineToBytes(row));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->m_strName, row.m_strName);
    EXPECT_EQ(back->m_strDetail, row.m_strDetail);
    EXPECT_EQ(back->m_strLinkFile, row.m_strLinkFile);
    ASSERT_EQ(back->GetSize(), 4);
    EXPECT_EQ(back->GetAt(0)->GetType(), 0);
    for (int i = 1; i < 4; ++i) {
        ASSERT_EQ(back->GetAt(i)->GetType(), 1);
        EXPECT_EQ(static_cast<const CCheckItem*>(back->GetAt(i))->m_bCheck, i == 2 ? 0 : 1) << i;
    }
}

// Blocks that are not a row record.

struct DamagedCase {
    std::string name;
    std::string bytes;
};

std::vector<DamagedCase> DamagedBlocks() {
    std::vector<DamagedCase> cases;
    const std::string good = WorkedExample();
    for (std::size_t n = 0; n < good.size(); ++n)
        cases.push_back({"TruncatedTo" + std::to_string(n), good.substr(0, n)});
    const std::string head = good.substr(0, 8); // version, name, detail, link
    const std::string cell = good.substr(26);
    cases.push_back(
        {"CountFFFFThenHugeDword", head + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + cell});
    cases.push_back({"CountLargerThanTheBlock", head + Bytes({0x00, 0x40}) + good.substr(10)});
    cases.push_back({"CountTwoOneCell", head + Bytes({0x02, 0}) + good.substr(10)});
    cases.push_back({"NameLongerThanTheBlock",
                     Bytes({0x64, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})});
    cases.push_back(
        {"UnknownClass", head + Bytes({1, 0, 0xFF, 0xFF, 1, 0, 0x0A, 0}) + "CEvilItem!" + cell});
    cases.push_back({"ClassNameTooLong",
                     head + Bytes({1, 0, 0xFF, 0xFF, 1, 0, 0xFF, 0x7F}) + std::string(64, 'C')});
    cases.push_back(
        {"SchemaTwo", head + Bytes({1, 0, 0xFF, 0xFF, 2, 0, 0x0A, 0}) + "CCheckItem" + cell});
    cases.push_back(
        {"RowClassAsCell", head + Bytes({1, 0, 0xFF, 0xFF, 1, 0, 0x09, 0}) + "CLineData" + good});
    cases.push_back({"NullCell", head + Bytes({1, 0, 0, 0}) + std::string(64, '\0')});
    cases.push_back({"ReferenceToUnknownObject", head + Bytes({1, 0, 0x05, 0x00}) + cell});
    cases.push_back({"UnknownClassIndex", head + Bytes({1, 0, 0x07, 0x80}) + cell});
    cases.push_back({"AllZeroPageless", std::string(6, '\0') + Bytes({1})});
    cases.push_back({"TextFromAnotherProgram", "Hello, world\r\n"});
    return cases;
}

class DamagedBlock : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedBlock, IsNoRow) {
    EXPECT_EQ(C::LineFromBytes(GetParam().bytes), nullptr);
}

INSTANTIATE_TEST_SUITE_P(LineRecord, DamagedBlock, ::testing::ValuesIn(DamagedBlocks()),
                         [](const auto& info) { return info.param.name; });

// The commands with a scripted clipboard.

class ClipboardCmdTest : public ::testing::Test {
protected:
    CSheetFile& S() { return m_host.m_doc.m_Sheet; }
    CSheetDocument& Doc() { return m_host.m_doc; }
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& s : m_ui.m_shown)
            texts.push_back(s.text);
        return texts;
    }
    void PutRow(const std::string& bytes) { m_ui.m_clipboardData[C::kLineFormat] = bytes; }

    CScriptedAnswers m_ui;
    CTestViewHost m_host;
    C m_cmds{&m_host};
};

TEST_F(ClipboardCmdTest, EveryCommandIsAlwaysEnabled) {
    for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_PASTE_ADD,
                    ID_COLUMN_PASTE_TEXT, ID_LINE_PASTE_TEXT, ID_EDIT_COPY_BITMAP}) {
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_bEnabled = false;
        ASSERT_TRUE(m_cmds.OnUpdateCmdUI(ui)) << id;
        EXPECT_TRUE(ui.m_bEnabled) << id;
    }
    CCmdUI other;
    other.m_nID = ID_LINE_ADD;
    EXPECT_FALSE(m_cmds.OnUpdateCmdUI(other));
    EXPECT_FALSE(m_cmds.OnCmdMsg(ID_LINE_ADD));
}

TEST_F(ClipboardCmdTest, CopyPutsOnlyTheRowRecordAndChangesNothing) {
    FillSheet(S(), 2, 1, 0, -1, "0,0");
    SetLineName(S(), 0, "A");
    m_ui.m_clipboard = "old text";
    ASSERT_TRUE(m_cmds.OnCmdMsg(ID_EDIT_COPY));
    ASSERT_EQ(m_ui.m_clipboardData.size(), 1u);
    EXPECT_EQ(m_ui.m_clipboardData[C::kLineFormat], WorkedExample());
    EXPECT_FALSE(m_ui.m_clipboard.has_value());
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ClipboardCmdTest, CopyAndCutWithoutACurrentRowDoNothing) {
    FillSheet(S(), 2, 1, -1, 0);
    const std::string before = Picture(S());
    for (UINT id : {ID_EDIT_COPY, ID_EDIT_CUT})
        m_cmds.OnCmdMsg(id);
    EXPECT_TRUE(m_ui.m_clipboardData.empty());
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_TRUE(m_ui.m_shown.empty());
}

TEST_F(ClipboardCmdTest, CutOfTheLastRowLeavesTheNewLastRowCurrentAndUndoBringsItBack) {
    FillSheet(S(), 3, 2, 2, 0, "2,1");
    const std::string before = Picture(S());
    m_cmds.OnCmdMsg(ID_EDIT_CUT);
    EXPECT_EQ(Picture(S()), "c0,c1|r0:00|r1:00|@1,0");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(m_host.m_nScrollUpdates, 1);
    EXPECT_GE(m_host.m_nViewUpdates, 1);
    std::unique_ptr<CLineData> copied = C::LineFromBytes(m_ui.m_clipboardData[C::kLineFormat]);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->m_strName, "r2");
    Doc().Undo();
    EXPECT_EQ(WithoutCursor(Picture(S())), WithoutCursor(before));
}

TEST_F(ClipboardCmdTest, CutThatTheClipboardRefusesKeepsTheRow) {
    FillSheet(S(), 2, 1, 0, 0);
    m_ui.m_bClipboardResult = false;
    const std::string before = Picture(S());
    m_cmds.OnCmdMsg(ID_EDIT_CUT);
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(ClipboardCmdTest, PasteInsertTakesTheCurrentIndexAndAppendBecomesCurrent) {
    FillSheet(S(), 3, 1, 1, 0);
    PutRow(WorkedExample());
    m_cmds.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(Picture(S()), "c0|r0:0|A:1|r1:0|r2:0|@1,0");
    EXPECT_TRUE(S().GetAt(1)->m_bSelected);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(m_host.m_nScrollUpdates, 1);
    m_cmds.OnCmdMsg(ID_EDIT_PASTE_ADD);
    EXPECT_EQ(Picture(S()), "c0|r0:0|A:1|r1:0|r2:0|A:1|@4,0");
    EXPECT_TRUE(S().GetAt(4)->m_bSelected);
    EXPECT_FALSE(S().GetAt(1)->m_bSelected);
    // The clipboard keeps the row for more pastes.
    EXPECT_EQ(m_ui.m_clipboardData[C::kLineFormat], WorkedExample());
    Doc().Undo();
    Doc().Undo();
    EXPECT_EQ(WithoutCursor(Picture(S())), "c0|r0:0|r1:0|r2:0");
}

TEST_F(ClipboardCmdTest, PasteAppendIntoAnEmptySheetWithOneColumn) {
    FillSheet(S(), 0, 1, -1, -1);
    PutRow(WorkedExample());
    m_cmds.OnCmdMsg(ID_EDIT_PASTE_ADD);
    EXPECT_EQ(Picture(S()), "c0|A:1|@0,-1");
}

struct RefusalCase {
    const char* name;
    int rows, cols, curLine;
    bool hasBlock;
    std::string block;
    UINT id;
    const char* message; // UTF-8
};

class PasteRefused : public ClipboardCmdTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PasteRefused, ShowsTheMessageAndChangesNothing) {
    const RefusalCase& c = GetParam();
    FillSheet(S(), c.rows, c.cols, c.curLine, -1);
    if (c.hasBlock)
        PutRow(c.block);
    m_ui.m_unicodeText = "text is not a row";
    const auto clipboardBefore = m_ui.m_clipboardData;
    const std::string before = Picture(S());
    m_cmds.OnCmdMsg(c.id);
    EXPECT_EQ(Shown(), std::vector<std::string>{c.message});
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(m_ui.m_clipboardData, clipboardBefore);
    EXPECT_EQ(m_ui.m_unicodeText, "text is not a row");
}

const std::string kNoData = "データがありません";
const std::string kCount = "列の数が異なるデータです";
const std::string kPosition = "挿入位置を指定してください";

INSTANTIATE_TEST_SUITE_P(
    Paste, PasteRefused,
    ::testing::Values(
        RefusalCase{"InsertWithEmptyClipboard", 2, 1, 0, false, "", ID_EDIT_PASTE, kNoData.c_str()},
        RefusalCase{"AppendWithEmptyClipboard", 2, 1, 0, false, "", ID_EDIT_PASTE_ADD,
                    kNoData.c_str()},
        RefusalCase{"DamagedBlock", 2, 1, 0, true, WorkedExample().substr(0, 30), ID_EDIT_PASTE_ADD,
                    kNoData.c_str()},
        RefusalCase{"EmptyBlock", 2, 1, 0, true, "", ID_EDIT_PASTE, kNoData.c_str()},
        RefusalCase{"OneColumnMore", 2, 2, 0, true, WorkedExample(), ID_EDIT_PASTE, kCount.c_str()},
        RefusalCase{"OneColumnLess", 2, 0, 0, true, WorkedExample(), ID_EDIT_PASTE_ADD,
                    kCount.c_str()},
        RefusalCase{"InsertWithoutACurrentRow", 2, 1, -1, true, WorkedExample(), ID_EDIT_PASTE,
                    kPosition.c_str()},
        // The cell count is checked before the place.
        RefusalCase{"InsertWithoutACurrentRowAndOtherColumns", 2, 2, -1, true, WorkedExample(),
                    ID_EDIT_PASTE, kCount.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

// Rows through the real clipboard.

class RealClipboard : public ::testing::Test {
protected:
    CQtUserInterface m_ui;
    CUiScope m_scope{m_ui};
    CTestViewHost m_from, m_to;
    C m_copy{&m_from}, m_paste{&m_to};
};

TEST_F(RealClipboard, RowMovesBetweenSheetsWithOtherColumnNames) {
    CSheetFile& from = m_from.m_doc.m_Sheet;
    FillSheet(from, 2, 3, 1, 0, "1,0;1,2");
    from.EditLine(1, [](CLineData& row) {
        row.m_strName = cp932::FromUtf8OrDie("点検項目");
        row.m_strDetail = "two\r\nlines";
        row.m_strLinkFile = "/tmp/a b.txt";
        // The middle cell a plain one, to see the type travel too.
        row.RemoveAt(1);
        row.InsertAt(1, new CDataItem);
    });
    const CLineData* row = from.GetAt(1);
    m_copy.OnCmdMsg(ID_EDIT_COPY);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{QString::fromLatin1(C::kLineFormat)});
    EXPECT_FALSE(data->hasText());
    EXPECT_EQ(data->data(QString::fromLatin1(C::kLineFormat)).toStdString(), C::LineToBytes(*row));

    CSheetFile& to = m_to.m_doc.m_Sheet;
    to.AddColumn("x", 1);
    to.AddColumn("y", 1);
    to.AddColumn("z", 1);
    to.AddLine("first");
    m_paste.OnCmdMsg(ID_EDIT_PASTE_ADD);
    ASSERT_EQ(to.GetSize(), 2);
    const CLineData* pasted = to.GetAt(1);
    EXPECT_EQ(pasted->m_strName, row->m_strName);
    EXPECT_EQ(pasted->m_strDetail, "two\r\nlines");
    EXPECT_EQ(pasted->m_strLinkFile, "/tmp/a b.txt");
    EXPECT_EQ(Picture(to), "x,y,z|first:000|" + row->m_strName + ":1-1|@1,-1");
}

TEST_F(RealClipboard, RowOfASheetWithoutColumnsPastesOnlyWithoutColumns) {
    CSheetFile& from = m_from.m_doc.m_Sheet;
    FillSheet(from, 1, 0, 0, -1);
    m_copy.OnCmdMsg(ID_EDIT_COPY);
    CScriptedAnswers scripted;
    CSheetFile& to = m_to.m_doc.m_Sheet;
    FillSheet(to, 1, 1, 0, -1);
    // Read through the real clipboard, refused through the scripted boxes.
    const std::optional<std::string> bytes = m_ui.GetClipboardData(C::kLineFormat);
    ASSERT_TRUE(bytes);
    scripted.m_clipboardData[C::kLineFormat] = *bytes;
    m_paste.OnCmdMsg(ID_EDIT_PASTE);
    ASSERT_EQ(scripted.m_shown.size(), 1u);
    EXPECT_EQ(scripted.m_shown[0].text, kCount);
    to.DeleteColumn(0);
    m_paste.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(Picture(to), "|r0:|r0:|@0,-1");
}

TEST_F(RealClipboard, ABlockMadeElsewhereWithPaddingPastes) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(C::kLineFormat),
                  QByteArray::fromStdString(WorkedExample() + std::string(4054, '\0')));
    QGuiApplication::clipboard()->setMimeData(data);
    CSheetFile& to = m_to.m_doc.m_Sheet;
    FillSheet(to, 1, 1, 0, 0);
    m_paste.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(Picture(to), "c0|A:1|r0:0|@0,0");
}

TEST_F(RealClipboard, TextBecomesRowsInCodePage932) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("～目次\n第一章"));
    CSheetFile& to = m_to.m_doc.m_Sheet;
    FillSheet(to, 0, 1, -1, -1);
    m_paste.OnCmdMsg(ID_LINE_PASTE_TEXT);
    ASSERT_EQ(to.GetSize(), 2);
    EXPECT_EQ(to.GetAt(0)->m_strName, cp932::FromUtf8OrDie("～目次"));
    EXPECT_EQ(to.GetAt(1)->m_strName, cp932::FromUtf8OrDie("第一章"));
}

// Text as rows and columns.

struct TextCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

class TextSplit : public ClipboardCmdTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextSplit, AsRowsAndAsColumns) {
    const TextCase& c = GetParam();
    EXPECT_EQ(C::SplitLines(c.text), c.lines);

    FillSheet(S(), 1, 2, 0, 1);
    m_ui.m_unicodeText = c.text;
    m_cmds.OnCmdMsg(ID_LINE_PASTE_TEXT);
    ASSERT_EQ(S().GetSize(), 1 + int(c.lines.size()));
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
        const CLineData* row = S().GetAt(1 + int(i));
        EXPECT_EQ(row->m_strName, c.lines[i]);
        // A new row has an unchecked check cell per column.
        ASSERT_EQ(row->GetSize(), 2);
        EXPECT_EQ(row->GetAt(1)->GetType(), 1);
    }
    EXPECT_EQ(S().m_nCurLine, 0);
    EXPECT_EQ(S().m_nCurColumn, 1);
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(m_host.m_nScrollUpdates, 1);

    m_cmds.OnCmdMsg(ID_COLUMN_PASTE_TEXT);
    ASSERT_EQ(S().m_Columns.GetSize(), 2 + int(c.lines.size()));
    for (std::size_t i = 0; i < c.lines.size(); ++i)
        EXPECT_EQ(S().m_Columns.GetAt(2 + int(i))->m_strName, c.lines[i]);
    for (int r = 0; r < S().GetSize(); ++r)
        EXPECT_EQ(S().GetAt(r)->GetSize(), S().m_Columns.GetSize());
    EXPECT_EQ(S().m_nCurColumn, 1);
    EXPECT_TRUE(m_ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    PasteText, TextSplit,
    ::testing::Values(TextCase{"CrLfLinesAndALastLineWithoutEnd", "X\r\nY\r\nZ", {"X", "Y", "Z"}},
                      TextCase{"CrLfAfterTheLastLine", "X\r\nY\r\nZ\r\n", {"X", "Y", "Z"}},
                      TextCase{"EmptyLinesFirstAddNothing", "\r\n\r\nX\r\nY\r\nZ", {"X", "Y", "Z"}},
                      TextCase{"BareLineFeedKeepsEveryLetter", "XY\nZW", {"XY", "ZW"}},
                      TextCase{"OneLetterBeforeABareLineFeed", "A\nB\n", {"A", "B"}},
                      TextCase{"EmptyBareLines", "\n\n\nA\n\n", {"A"}},
                      TextCase{
                          "TabsCommasAndSpacesStay", " a\tb,c \r\n\"q\"", {" a\tb,c ", "\"q\""}},
                      TextCase{"ALoneCarriageReturnIsPartOfTheLine", "a\rb\r", {"a\rb\r"}},
                      TextCase{"OnlyACarriageReturnLineFeed", "\r\n", {}},
                      TextCase{"Empty", "", {}},
                      TextCase{"StopsAtNul", std::string("A\nB\0C\nD", 7), {"A", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipboardCmdTest, TextIntoASheetWithoutColumnsOrWithoutRows) {
    m_ui.m_unicodeText = "p\r\nq";
    m_cmds.OnCmdMsg(ID_LINE_PASTE_TEXT);
    EXPECT_EQ(Picture(S()), "|p:|q:|@-1,-1");
    CTestViewHost other;
    C cmds(&other);
    cmds.OnCmdMsg(ID_COLUMN_PASTE_TEXT);
    EXPECT_EQ(Picture(other.m_doc.m_Sheet), "p,q|@-1,-1");
}

TEST_F(ClipboardCmdTest, NoTextDoesNothingSilently) {
    FillSheet(S(), 1, 1, 0, 0);
    for (UINT id : {ID_LINE_PASTE_TEXT, ID_COLUMN_PASTE_TEXT})
        m_cmds.OnCmdMsg(id);
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(m_ui.m_shown.empty());
}

TEST_F(ClipboardCmdTest, TextCodePage932CannotHoldIsRefusedNamingTheCharacters) {
    FillSheet(S(), 1, 1, 0, 0);
    const std::string before = Picture(S());
    m_ui.m_unicodeText = "ok\nsmile 😀 and é\nmore 😀";
    for (UINT id : {ID_LINE_PASTE_TEXT, ID_COLUMN_PASTE_TEXT}) {
        m_ui.m_shown.clear();
        m_cmds.OnCmdMsg(id);
        ASSERT_EQ(m_ui.m_shown.size(), 1u);
        const std::string& text = m_ui.m_shown[0].text;
        EXPECT_NE(text.find("「😀」"), std::string::npos) << text;
        EXPECT_NE(text.find("「é」"), std::string::npos) << text;
        EXPECT_EQ(text.find("😀", text.find("😀") + 1), std::string::npos) << "named once: " << text;
    }
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
}

// The picture.

class BitmapTest : public ::testing::Test {
protected:
    CScriptedAnswers m_ui;
};

bool Diagonal(int r, int c) {
    return r == c;
}

TEST_F(BitmapTest, WholeGridFromTheFirstRowAndColumnWithLinesOnTheLastPixels) {
    // A small window, scrolled: the picture still shows everything.
    ViewFixture f(4, 3, 200, 120, Diagonal);
    CSheetFile& s = f.Sheet();
    SetCurQuietly(s, 2, 1);
    s.SetTopLine(2);
    s.SetLeftColumn(1);
    const CRect row3Before = s.GetAt(3)->m_rect;
    const CRect grid = s.m_rcGrid;

    C cmds(f.view.get());
    ASSERT_TRUE(cmds.OnCmdMsg(ID_EDIT_COPY_BITMAP));
    ASSERT_TRUE(m_ui.m_clipboardImage);
    const auto& img = *m_ui.m_clipboardImage;
    const int w = 3 * s.ColumnWidthPx() + s.LineNameWidthPx() + 1;
    const int h = 4 * s.m_nLineHeight + s.m_nColumnHeight + 1;
    EXPECT_EQ(img.width, w);
    EXPECT_EQ(img.height, h);
    ASSERT_EQ(img.pixels.size(), std::size_t(w) * h);
    auto px = [&](int x, int y) {
        const std::uint32_t rgb = img.pixels[std::size_t(y) * w + x];
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    const int nameW = s.LineNameWidthPx(), colW = s.ColumnWidthPx();
    const int head = s.m_nColumnHeight, lineH = s.m_nLineHeight;
    // The vertical lines: right of the names and right of the last column (the last pixel column).
    EXPECT_EQ(px(nameW, 1), s.Look().WakuColor);
    EXPECT_EQ(px(w - 1, 1), s.Look().WakuColor);
    EXPECT_EQ(px(w - 1, h - 2), s.Look().WakuColor);
    // The line under the last row lies on the last pixel row.
    EXPECT_EQ(px(nameW / 2, h - 1), s.Look().LineColor);
    EXPECT_EQ(px(w - 2, h - 1), s.Look().LineColor);
    // The current row (1) is highlighted, its cursor cell (column 2) in the cursor colour.
    const int y1 = head + lineH + 3;
    EXPECT_EQ(px(nameW - 3, y1), s.Look().SelColor);
    EXPECT_EQ(px(nameW + 2 * colW + 2, y1), s.Look().CellColor);
    // Row 0 is not highlighted; its checked cell in column 0 shows the cross at the box's middle.
    EXPECT_EQ(px(nameW - 3, head + 3), s.Look().BackColor);
    const CRect box = s.GetAt(0)->GetAt(0)->GetRect();
    const int bx = nameW + (box.Width() - 15) / 2, by = head + std::max(1, (lineH - 15) / 2);
    EXPECT_EQ(px(bx + 7, by + 7), s.Look().CheckColor);
    // Row 3's cell in column 3 is unchecked: no cross.
    EXPECT_EQ(px(nameW + 2 * colW + (colW - 15) / 2 + 7,
                 head + 3 * lineH + std::max(1, (lineH - 15) / 2) + 7),
              s.Look().CheckBackColor);
    // The corner above the row names is white, whatever the screen shows there.
    EXPECT_EQ(px(2, 2), RGB(255, 255, 255));
    // The document's sheet kept its scroll position and layout.
    EXPECT_EQ(s.m_nTopLine, 2);
    EXPECT_EQ(s.m_nLeftColumn, 1);
    EXPECT_EQ(s.GetAt(3)->m_rect, row3Before);
    EXPECT_EQ(s.m_rcGrid, grid);
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_FALSE(f.doc->CanUndo());
}

TEST_F(BitmapTest, TheRealClipboardGetsAnImageOfTheSameSize) {
    ViewFixture f(2, 2);
    CQtUserInterface qt;
    CUiScope realUi(qt);
    C cmds(f.view.get());
    cmds.OnCmdMsg(ID_EDIT_COPY_BITMAP);
    const QImage image = QGuiApplication::clipboard()->image();
    const CSize extent = f.Sheet().GetExtent();
    EXPECT_EQ(image.width(), extent.cx);
    EXPECT_EQ(image.height(), extent.cy);
    EXPECT_EQ(image.pixelColor(extent.cx - 1, 2), QColor(0xC0, 0xC0, 0xC0));
}

struct NoBitmapCase {
    const char* name;
    int rows, cols, lineHeight, columnWidthChars;
};

class NoBitmap : public BitmapTest, public ::testing::WithParamInterface<NoBitmapCase> {};

TEST_P(NoBitmap, SaysSoAndLeavesTheClipboard) {
    const NoBitmapCase& c = GetParam();
    ViewFixture f(c.rows, c.cols);
    if (c.lineHeight)
        f.Sheet().m_nLineHeight = c.lineHeight;
    if (c.columnWidthChars) {
        f.Sheet().m_nColumnWidth = c.columnWidthChars;
        f.view->CalcMetricsAndLayout();
    }
    m_ui.m_clipboard = "kept";
    C cmds(f.view.get());
    cmds.OnCmdMsg(ID_EDIT_COPY_BITMAP);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, "ビットマップが作成できませんでした");
    EXPECT_FALSE(m_ui.m_clipboardImage);
    EXPECT_EQ(m_ui.m_clipboard, "kept");
}

// Columns without rows, or nothing at all: the empty picture is one white pixel.
TEST_F(BitmapTest, ASheetWithoutRowsGivesOneWhitePixel) {
    for (const int cols : {3, 0}) {
        ViewFixture f(0, cols);
        m_ui.m_shown.clear();
        m_ui.m_clipboardImage.reset();
        C cmds(f.view.get());
        cmds.OnCmdMsg(ID_EDIT_COPY_BITMAP);
        EXPECT_TRUE(m_ui.m_shown.empty()) << cols;
        ASSERT_TRUE(m_ui.m_clipboardImage) << cols;
        EXPECT_EQ(m_ui.m_clipboardImage->width, 1);
        EXPECT_EQ(m_ui.m_clipboardImage->height, 1);
        EXPECT_EQ(m_ui.m_clipboardImage->pixels, std::vector<std::uint32_t>{0xFFFFFFu});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bitmap, NoBitmap,
    ::testing::Values(NoBitmapCase{"TallerThanThePlatformAllows", 2, 1, 16400, 0},
                      NoBitmapCase{"WiderThanThePlatformAllows", 1, 40, 0, 200}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
