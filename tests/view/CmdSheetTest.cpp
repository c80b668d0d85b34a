// The row and column commands, run through the command entry with scripted
// dialog and message box answers.
#include <gtest/gtest.h>

#include "CmdTestSheet.h"
#include "dialogs/ColumnEditDlg.h"
#include "dialogs/LineEditDlg.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"
#include "view/SheetCommands.h"
#include "ScriptedAnswers.h"

namespace {

using C = CSheetCommands;

class SheetCmdTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_ui.AnswerDialogs<CLineEditDlg>([this](CLineEditDlg& d) {
            ++m_nDialogs;
            m_seen = {d.m_strName, d.m_strDetail, d.m_strLinkFile};
            d.m_strName = "N";
            d.m_strDetail = "nd";
            d.m_strLinkFile = "nl";
            return m_nDialogAnswer;
        });
        m_ui.AnswerDialogs<CColumnEditDlg>([this](CColumnEditDlg& d) {
            ++m_nDialogs;
            m_seen = {d.m_strName, d.m_strDetail, d.m_strLinkFile};
            d.m_strName = "M";
            d.m_strDetail = "md";
            d.m_strLinkFile = "ml";
            return m_nDialogAnswer;
        });
    }
    CSheetFile& S() { return m_host.m_doc.m_Sheet; }
    CSheetDocument& Doc() { return m_host.m_doc; }
    static std::string WithoutCursor(const std::string& picture) {
        return picture.substr(0, picture.rfind("|@"));
    }

    CScriptedAnswers m_ui;
    CTestViewHost m_host;
    CSheetCommands m_cmds{&m_host};
    int m_nDialogs = 0;
    int m_nDialogAnswer = IDOK;
    std::vector<std::string> m_seen;
};

// Enable rules.

struct EnableCase {
    const char* name;
    int rows, cols, curLine, curColumn;
    UINT id;
    bool enabled;
};

class SheetCmdEnable : public SheetCmdTest, public ::testing::WithParamInterface<EnableCase> {};

TEST_P(SheetCmdEnable, RuleHoldsAndDisabledCommandDoesNothing) {
    const EnableCase& c = GetParam();
    FillSheet(S(), c.rows, c.cols, c.curLine, c.curColumn);
    CCmdUI ui;
    ui.m_nID = c.id;
    ASSERT_TRUE(m_cmds.OnUpdateCmdUI(ui));
    EXPECT_EQ(ui.m_bEnabled, c.enabled);
    if (!c.enabled) {
        const std::string before = Picture(S());
        EXPECT_TRUE(m_cmds.OnCmdMsg(c.id));
        EXPECT_EQ(Picture(S()), before);
        EXPECT_FALSE(Doc().CanUndo());
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_TRUE(m_ui.m_shown.empty());
        EXPECT_EQ(m_nDialogs, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetCmdEnable,
    ::testing::Values(EnableCase{"EmptyAddRow", 0, 0, -1, -1, ID_LINE_ADD, true},
                      EnableCase{"EmptyInsertRow", 0, 0, -1, -1, ID_LINE_INSERT, false},
                      EnableCase{"EmptyEditRow", 0, 0, -1, -1, ID_LINE_EDIT, false},
                      EnableCase{"EmptyDeleteRow", 0, 0, -1, -1, ID_LINE_DELETE, false},
                      EnableCase{"EmptyRowUp", 0, 0, -1, -1, ID_LINE_UP, false},
                      EnableCase{"EmptyRowDown", 0, 0, -1, -1, ID_LINE_DOWN, false},
                      EnableCase{"EmptyRowCheck", 0, 0, -1, -1, ID_LINE_CHECK, false},
                      EnableCase{"EmptyRowUncheck", 0, 0, -1, -1, ID_LINE_UNCHECK, false},
                      EnableCase{"EmptyAddColumn", 0, 0, -1, -1, ID_COLUMN_ADD, true},
                      EnableCase{"EmptyInsertColumn", 0, 0, -1, -1, ID_COLUMN_INSERT, false},
                      EnableCase{"EmptyEditColumn", 0, 0, -1, -1, ID_COLUMN_EDIT, false},
                      EnableCase{"EmptyDeleteColumn", 0, 0, -1, -1, ID_COLUMN_DELETE, false},
                      EnableCase{"EmptyColumnLeft", 0, 0, -1, -1, ID_COLUMN_LEFT, false},
                      EnableCase{"EmptyColumnRight", 0, 0, -1, -1, ID_COLUMN_RIGHT, false},
                      EnableCase{"EmptyColumnCheck", 0, 0, -1, -1, ID_COLUMN_CHECK, false},
                      EnableCase{"EmptyColumnUncheck", 0, 0, -1, -1, ID_COLUMN_UNCHECK, false},
                      EnableCase{"EmptyCheckAll", 0, 0, -1, -1, ID_EDIT_ALL_CHECK, true},
                      EnableCase{"EmptyClearAll", 0, 0, -1, -1, ID_EDIT_CLEAR_ALL, true},
                      EnableCase{"FirstRowUp", 3, 2, 0, 0, ID_LINE_UP, false},
                      EnableCase{"FirstRowDown", 3, 2, 0, 0, ID_LINE_DOWN, true},
                      EnableCase{"LastRowDown", 3, 2, 2, 0, ID_LINE_DOWN, false},
                      EnableCase{"LastRowUp", 3, 2, 2, 0, ID_LINE_UP, true},
                      EnableCase{"OnlyRowUp", 1, 1, 0, 0, ID_LINE_UP, false},
                      EnableCase{"OnlyRowDown", 1, 1, 0, 0, ID_LINE_DOWN, false},
                      EnableCase{"FirstColumnLeft", 3, 2, 0, 0, ID_COLUMN_LEFT, false},
                      EnableCase{"FirstColumnRight", 3, 2, 0, 0, ID_COLUMN_RIGHT, true},
                      EnableCase{"LastColumnRight", 3, 2, 0, 1, ID_COLUMN_RIGHT, false},
                      EnableCase{"LastColumnLeft", 3, 2, 0, 1, ID_COLUMN_LEFT, true},
                      EnableCase{"RowOnlyInsertColumn", 3, 2, 1, -1, ID_COLUMN_INSERT, false},
                      EnableCase{"RowOnlyEditRow", 3, 2, 1, -1, ID_LINE_EDIT, true},
                      EnableCase{"ColumnOnlyInsertRow", 3, 2, -1, 1, ID_LINE_INSERT, false},
                      EnableCase{"ColumnOnlyColumnCheck", 3, 2, -1, 1, ID_COLUMN_CHECK, true},
                      EnableCase{"CursorPastRowsDeleteRow", 2, 2, 5, 0, ID_LINE_DELETE, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetCmdTest, OtherCommandsAreLeftToOtherTargets) {
    CCmdUI ui;
    ui.m_nID = 32782; // settings
    EXPECT_FALSE(m_cmds.OnUpdateCmdUI(ui));
    EXPECT_FALSE(m_cmds.OnCmdMsg(32782));
    EXPECT_FALSE(m_cmds.OnCmdMsg(32775));
}

// Cancel leaves everything as it was.

struct CancelCase {
    const char* name;
    UINT id;
};

class SheetCmdCancel : public SheetCmdTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(SheetCmdCancel, LeavesSheetUndoAndFlagUntouched) {
    FillSheet(S(), 3, 2, 1, 1, "0,0");
    const std::string before = Picture(S());
    m_nDialogAnswer = IDCANCEL;
    m_ui.QueueAnswer(IDCANCEL);
    EXPECT_TRUE(m_cmds.OnCmdMsg(GetParam().id));
    EXPECT_EQ(m_nDialogs + static_cast<int>(m_ui.m_shown.size()), 1); // asked exactly once
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_EQ(Doc().m_Undo.GetSize(), 0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(m_host.m_nScrollUpdates, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetCmdCancel,
    ::testing::Values(
        CancelCase{"AddRow", ID_LINE_ADD}, CancelCase{"InsertRow", ID_LINE_INSERT},
        CancelCase{"EditRow", ID_LINE_EDIT}, CancelCase{"DeleteRow", ID_LINE_DELETE},
        CancelCase{"CheckRow", ID_LINE_CHECK}, CancelCase{"ClearRow", ID_LINE_UNCHECK},
        CancelCase{"AddColumn", ID_COLUMN_ADD}, CancelCase{"InsertColumn", ID_COLUMN_INSERT},
        CancelCase{"EditColumn", ID_COLUMN_EDIT}, CancelCase{"DeleteColumn", ID_COLUMN_DELETE},
        CancelCase{"CheckColumn", ID_COLUMN_CHECK}, CancelCase{"ClearColumn", ID_COLUMN_UNCHECK},
        CancelCase{"CheckAll", ID_EDIT_ALL_CHECK}, CancelCase{"ClearAll", ID_EDIT_CLEAR_ALL}),
    [](const auto& info) { return std::string(info.param.name); });

// OK: the change, the cursor, the ending and the snapshot taken before the change.

struct OkCase {
    const char* name;
    int rows, cols, curLine, curColumn;
    const char* checked;
    UINT id;
    const char* after;
    bool countsChanged;
};

class SheetCmdOk : public SheetCmdTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(SheetCmdOk, ChangesRecordsUndoAndMarksModified) {
    const OkCase& c = GetParam();
    FillSheet(S(), c.rows, c.cols, c.curLine, c.curColumn, c.checked);
    const std::string before = Picture(S());
    EXPECT_TRUE(m_cmds.OnCmdMsg(c.id));
    EXPECT_EQ(Picture(S()), c.after);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_EQ(m_host.m_nScrollUpdates, c.countsChanged ? 1 : 0);
    // Every row keeps one cell per column.
    for (int r = 0; r < S().GetSize(); ++r)
        EXPECT_EQ(S().GetAt(r)->GetSize(), S().m_Columns.GetSize());
    Doc().Undo();
    EXPECT_EQ(WithoutCursor(Picture(S())), WithoutCursor(before));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetCmdOk,
    ::testing::Values(
        OkCase{"AddRowGoesLastAndBecomesCurrent", 3, 2, 1, 1, "0,0;1,1", ID_LINE_ADD,
               "c0,c1|r0:10|r1:01|r2:00|N:00|@3,1", true},
        OkCase{"InsertRowTakesCurrentIndex", 3, 2, 1, 1, "0,0;1,1", ID_LINE_INSERT,
               "c0,c1|r0:10|N:00|r1:01|r2:00|@1,1", true},
        OkCase{"InsertRowAtRowZero", 3, 2, 0, 0, "0,0;1,1", ID_LINE_INSERT,
               "c0,c1|N:00|r0:10|r1:01|r2:00|@0,0", true},
        OkCase{"EditRow", 3, 2, 1, 1, "0,0;1,1", ID_LINE_EDIT, "c0,c1|r0:10|N:01|r2:00|@1,1",
               false},
        OkCase{"DeleteRow", 3, 2, 1, 1, "0,0;1,1", ID_LINE_DELETE, "c0,c1|r0:10|r2:00|@1,1", true},
        OkCase{"DeleteLastOfSeveralMakesNewLastCurrent", 3, 2, 2, 0, "0,0;1,1", ID_LINE_DELETE,
               "c0,c1|r0:10|r1:01|@1,0", true},
        OkCase{"DeleteOnlyRowLeavesNoCurrentRow", 1, 2, 0, 0, "", ID_LINE_DELETE, "c0,c1|@-1,0",
               true},
        OkCase{"RowUpSwapsAndCursorFollows", 3, 2, 1, 1, "0,0;1,1", ID_LINE_UP,
               "c0,c1|r1:01|r0:10|r2:00|@0,1", false},
        OkCase{"RowDownSwapsAndCursorFollows", 3, 2, 1, 1, "0,0;1,1", ID_LINE_DOWN,
               "c0,c1|r0:10|r2:00|r1:01|@2,1", false},
        OkCase{"LastRowUp", 3, 2, 2, 0, "", ID_LINE_UP, "c0,c1|r0:00|r2:00|r1:00|@1,0", false},
        OkCase{"CheckRow", 3, 2, 1, 1, "0,0;1,1", ID_LINE_CHECK, "c0,c1|r0:10|r1:11|r2:00|@1,1",
               false},
        OkCase{"ClearRow", 3, 2, 1, 1, "0,0;1,1", ID_LINE_UNCHECK, "c0,c1|r0:10|r1:00|r2:00|@1,1",
               false},
        OkCase{"AddColumnGoesLastAndBecomesCurrent", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_ADD,
               "c0,c1,M|r0:100|r1:010|r2:000|@1,2", true},
        OkCase{"InsertColumnTakesCurrentIndex", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_INSERT,
               "c0,M,c1|r0:100|r1:001|r2:000|@1,1", true},
        OkCase{"EditColumn", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_EDIT, "c0,M|r0:10|r1:01|r2:00|@1,1",
               false},
        OkCase{"DeleteLastColumnMovesCursorLeft", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_DELETE,
               "c0|r0:1|r1:0|r2:0|@1,0", true},
        OkCase{"DeleteOnlyColumnLeavesNoCurrentColumn", 1, 1, 0, 0, "0,0", ID_COLUMN_DELETE,
               "|r0:|@0,-1", true},
        OkCase{"ColumnLeft", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_LEFT, "c1,c0|r0:01|r1:10|r2:00|@1,0",
               false},
        OkCase{"ColumnRight", 3, 2, 1, 0, "0,0;1,1", ID_COLUMN_RIGHT,
               "c1,c0|r0:01|r1:10|r2:00|@1,1", false},
        OkCase{"CheckColumn", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_CHECK,
               "c0,c1|r0:11|r1:01|r2:01|@1,1", false},
        OkCase{"ClearColumn", 3, 2, 1, 1, "0,0;1,1", ID_COLUMN_UNCHECK,
               "c0,c1|r0:10|r1:00|r2:00|@1,1", false},
        OkCase{"CheckAll", 3, 2, 1, 1, "0,0;1,1", ID_EDIT_ALL_CHECK, "c0,c1|r0:11|r1:11|r2:11|@1,1",
               false},
        OkCase{"ClearAll", 3, 2, 1, 1, "0,0;1,1", ID_EDIT_CLEAR_ALL, "c0,c1|r0:00|r1:00|r2:00|@1,1",
               false},
        OkCase{"ClearAllWithNothingCheckedStillCounts", 3, 2, 1, 1, "", ID_EDIT_CLEAR_ALL,
               "c0,c1|r0:00|r1:00|r2:00|@1,1", false},
        OkCase{"AddRowWithoutColumnsHasNoCells", 1, 0, 0, -1, "", ID_LINE_ADD, "|r0:|N:|@1,-1",
               true},
        OkCase{"AddColumnGivesCelllessRowOneCell", 1, 0, 0, -1, "", ID_COLUMN_ADD, "M|r0:0|@0,0",
               true}),
    [](const auto& info) { return std::string(info.param.name); });

// Questions and notices, text and style exactly.

struct AskCase {
    const char* name;
    UINT id;
    const char* rowName; // cp932, given to row 1 and column 1
    const char* text;    // UTF-8
    UINT type;
};

class SheetCmdAsk : public SheetCmdTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(SheetCmdAsk, AsksWithTheTextAndStyle) {
    const AskCase& c = GetParam();
    FillSheet(S(), 3, 2, 1, 1);
    SetLineName(S(), 1, c.rowName);
    SetColumnName(S(), 1, c.rowName);
    m_ui.QueueAnswer(IDCANCEL);
    m_cmds.OnCmdMsg(c.id);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, c.text);
    EXPECT_EQ(m_ui.m_shown[0].type, c.type);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SheetCmdAsk,
    ::testing::Values(
        AskCase{"DeleteRow", ID_LINE_DELETE, "r1", "r1の行を削除しますか？", MB_OKCANCEL},
        AskCase{"DeleteRowEmptyName", ID_LINE_DELETE, "", "の行を削除しますか？", MB_OKCANCEL},
        AskCase{"DeleteRowJapaneseName", ID_LINE_DELETE, "\x8D\x80\x96\xDA",
                "項目の行を削除しますか？", MB_OKCANCEL},
        AskCase{"DeleteColumn", ID_COLUMN_DELETE, "c1", "c1の列を削除しますか？", MB_OKCANCEL},
        AskCase{"DeleteColumnEmptyName", ID_COLUMN_DELETE, "", "の列を削除しますか？", MB_OKCANCEL},
        AskCase{"CheckAll", ID_EDIT_ALL_CHECK, "x", "全てにチェックをします。よろしいですか？",
                MB_OKCANCEL | MB_ICONQUESTION},
        AskCase{"ClearAll", ID_EDIT_CLEAR_ALL, "x", "全てのチェックを消去します。よろしいですか？",
                MB_OKCANCEL | MB_ICONQUESTION},
        AskCase{"CheckRow", ID_LINE_CHECK, "x", "この行全てにチェックをします。よろしいですか？",
                MB_OKCANCEL | MB_ICONQUESTION},
        AskCase{"ClearRow", ID_LINE_UNCHECK, "x",
                "この行全てのチェックを消去します。よろしいですか？",
                MB_OKCANCEL | MB_ICONQUESTION},
        AskCase{"CheckColumn", ID_COLUMN_CHECK, "x",
                "この列全てにチェックをします。よろしいですか？", MB_OKCANCEL | MB_ICONQUESTION},
        AskCase{"ClearColumn", ID_COLUMN_UNCHECK, "x",
                "この列全てのチェックを消去します。よろしいですか？",
                MB_OKCANCEL | MB_ICONQUESTION}),
    [](const auto& info) { return std::string(info.param.name); });

// Single cases.

TEST_F(SheetCmdTest, InsertWithoutPositionSaysSoAndChangesNothing) {
    FillSheet(S(), 2, 2, -1, -1);
    const std::string before = Picture(S());
    m_cmds.OnLineInsert();
    m_cmds.OnColumnInsert();
    ASSERT_EQ(m_ui.m_shown.size(), 2u);
    for (const auto& shown : m_ui.m_shown) {
        EXPECT_EQ(shown.text, "挿入位置を指定してください");
        EXPECT_EQ(shown.type, MB_OK);
    }
    EXPECT_EQ(m_nDialogs, 0);
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(SheetCmdTest, AddShowsEmptyDialogAndKeepsAllThreeTexts) {
    FillSheet(S(), 1, 1, 0, 0);
    m_cmds.OnCmdMsg(ID_LINE_ADD);
    EXPECT_EQ(m_seen, (std::vector<std::string>{"", "", ""}));
    const CLineData* line = S().GetAt(1);
    EXPECT_EQ(line->m_strDetail, "nd");
    EXPECT_EQ(line->m_strLinkFile, "nl");
    m_cmds.OnCmdMsg(ID_COLUMN_INSERT);
    EXPECT_EQ(m_seen, (std::vector<std::string>{"", "", ""}));
    const CColumnData* column = S().m_Columns.GetAt(0);
    EXPECT_EQ(column->m_strName, "M");
    EXPECT_EQ(column->m_strDetail, "md");
    EXPECT_EQ(column->m_strLinkFile, "ml");
}

TEST_F(SheetCmdTest, EditFillsDialogWithCurrentTexts) {
    FillSheet(S(), 2, 2, 1, 0);
    S().EditLine(1, [](CLineData& l) {
        l.m_strDetail = "a\r\nb";
        l.m_strLinkFile = "/x";
    });
    S().EditColumn(0, [](CColumnData& col) { col.m_strDetail = "cd"; });
    m_cmds.OnCmdMsg(ID_LINE_EDIT);
    EXPECT_EQ(m_seen, (std::vector<std::string>{"r1", "a\r\nb", "/x"}));
    EXPECT_EQ(S().GetAt(1)->m_strLinkFile, "nl");
    m_cmds.OnCmdMsg(ID_COLUMN_EDIT);
    EXPECT_EQ(m_seen, (std::vector<std::string>{"c0", "cd", ""}));
}

TEST_F(SheetCmdTest, EditWithNothingChangedStillRecordsAndMarks) {
    FillSheet(S(), 2, 2, 1, 0);
    m_ui.AnswerDialogs<CLineEditDlg>([](CLineEditDlg&) { return IDOK; });
    const std::string before = Picture(S());
    m_cmds.OnCmdMsg(ID_LINE_EDIT);
    EXPECT_EQ(Picture(S()), before);
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(SheetCmdTest, DeletingTheLastRowDisablesRowCommands) {
    FillSheet(S(), 1, 1, 0, 0);
    m_cmds.OnCmdMsg(ID_LINE_DELETE);
    for (UINT id : {ID_LINE_INSERT, ID_LINE_EDIT, ID_LINE_DELETE, ID_LINE_UP, ID_LINE_DOWN,
                    ID_LINE_CHECK, ID_LINE_UNCHECK})
        EXPECT_FALSE(m_cmds.IsEnabled(id)) << id;
    EXPECT_TRUE(m_cmds.IsEnabled(ID_LINE_ADD));
}

TEST_F(SheetCmdTest, NewRowIsHighlightedAfterAdd) {
    FillSheet(S(), 2, 1, 0, 0);
    S().DrawSelection(&m_host.m_dc);
    m_cmds.OnCmdMsg(ID_LINE_ADD);
    EXPECT_GE(m_host.m_nSelectionRedraws, 1);
    EXPECT_EQ(S().GetAt(0)->m_bSelected, 0);
    EXPECT_NE(S().GetAt(2)->m_bSelected, 0);
}

} // namespace
