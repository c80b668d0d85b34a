// The document's CSV and HTML commands with scripted file questions and dialogs.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "SheetPicture.h"
#include "dialogs/DlgTestUtil.h"
#include "app/DocCommands.h"
#include "app/TavrelDoc.h"
#include "dialogs/FileChooser.h"
#include "dialogs/HtmlDlg.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"
#include "ScriptedAnswers.h"

namespace {

class DocCmdTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        AnswerFileQuestions(m_ui, [this](const CFileChooser::Request& r) {
            m_asked.push_back(r);
            return m_answer;
        });
    }
    QString Path(const char* name) const {
        return QDir(m_dir.path()).filePath(QString::fromUtf8(name));
    }
    void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    CSheetFile& S() { return m_doc.m_Sheet; }

    QTemporaryDir m_dir;
    CScriptedAnswers m_ui;
    CTavrelDoc m_doc;
    CDocCommands m_cmds{&m_doc};
    std::vector<CFileChooser::Request> m_asked;
    std::optional<QString> m_answer;
};

// The file questions of the three commands.

struct AskCase {
    const char* name;
    UINT id;
    bool bOpen;
    const char* defExt;
    const char* initial;
    DWORD flags;
    const char* filter;
    const char* title;
};

class DocCmdAsk : public DocCmdTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(DocCmdAsk, AsksWithItsOwnTitleAndFilterAndCancelChangesNothing) {
    const AskCase& c = GetParam();
    FillSheet(S(), 2, 1, 0, 0, "0,0");
    const std::string before = Picture(S());
    EXPECT_TRUE(m_cmds.OnCmdMsg(c.id));
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0].bOpen, c.bOpen);
    EXPECT_EQ(m_asked[0].defExt, QString::fromUtf8(c.defExt));
    EXPECT_EQ(m_asked[0].initialName, QString::fromUtf8(c.initial));
    EXPECT_EQ(m_asked[0].flags, c.flags);
    EXPECT_EQ(m_asked[0].filter, QString::fromUtf8(c.filter));
    EXPECT_EQ(m_asked[0].title, QString::fromUtf8(c.title));
    EXPECT_EQ(Picture(S()), before);
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocCmdAsk,
    ::testing::Values(AskCase{"CsvExport", ID_CSV_EXPORT, false, "csv", "Tavrel", 0x80E,
                              "CSVﾌｧｲﾙ(*.csv) |*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt||",
                              "CSV出力先ファイル名"},
                      AskCase{"CsvImport", ID_CSV_IMPORT, true, "*", "*.CSV", 0x1004,
                              "CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||", "インポート"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocCmdTest, CommandsAreEnabledAndOthersLeftAlone) {
    for (UINT id : {ID_CSV_EXPORT, ID_CSV_IMPORT, ID_HTML_EXPORT}) {
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_bEnabled = false;
        EXPECT_TRUE(m_cmds.OnUpdateCmdUI(ui));
        EXPECT_TRUE(ui.m_bEnabled);
    }
    CCmdUI other;
    other.m_nID = ID_LINE_ADD;
    EXPECT_FALSE(m_cmds.OnUpdateCmdUI(other));
    EXPECT_FALSE(m_cmds.OnCmdMsg(ID_LINE_ADD));
}

TEST_F(DocCmdTest, CsvExportWritesChosenFileAndLeavesDocumentAlone) {
    FillSheet(S(), 1, 1, 0, 0, "0,0");
    m_answer = Path("out.csv");
    m_cmds.OnCmdMsg(ID_CSV_EXPORT);
    QFile f(*m_answer);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              QByteArray("\"\x8D\x80\x96\xDA\x96\xBC\",\"c0\"\r\n\"r0\",\"\x81\x9B\"\r\n"));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.CanUndo());
}

struct ImportCase {
    const char* name;
    const char* bytes;
    int rowsAfter;
    int columnsAfter;
    bool modified;
};

class DocCmdImport : public DocCmdTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(DocCmdImport, RecordsUndoAndMarksModifiedOnlyWhenSomethingCameIn) {
    const ImportCase& c = GetParam();
    FillSheet(S(), 1, 1, 0, 0);
    const std::string before = Picture(S());
    m_answer = Path("in.csv");
    Write(*m_answer, QByteArray(c.bytes));
    m_cmds.OnCmdMsg(ID_CSV_IMPORT);
    EXPECT_EQ(S().GetSize(), c.rowsAfter);
    EXPECT_EQ(S().m_Columns.GetSize(), c.columnsAfter);
    EXPECT_EQ(m_doc.IsModified(), c.modified);
    ASSERT_TRUE(m_doc.CanUndo());
    m_doc.Undo();
    EXPECT_EQ(Picture(S()).substr(0, before.rfind("|@")), before.substr(0, before.rfind("|@")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocCmdImport,
    ::testing::Values(ImportCase{"RowsAndColumns", "\"x\",\"A\"\r\n\"a\",\"1\"\r\n", 2, 2, true},
                      ImportCase{"ColumnsOnly", "\"x\",\"A\",\"B\"\r\n", 1, 3, true},
                      ImportCase{"RowsOnly", "\"x\"\r\n\"a\"\r\n\"b\"\r\n", 3, 1, true},
                      ImportCase{"EmptyFile", "", 1, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// HTML export.

struct HtmlCase {
    const char* name;
    const char* css;  // what the dialog returns
    const char* file; // relative to the temporary folder
    BOOL toFile;
    BOOL preview;
    bool modified;
};

// The 1 x 1 sheet with its cell checked, as the clipboard gets it.
const std::string kOneCellTable =
    "<table class=\"Tavrel\" border=\"1\">\r\n"
    "<tr class=\"CheckRow1\"><td class=\"CheckTop\">\x8D\x80\x96\xDA\x96\xBC</td>"
    "<Td class=\"CheckItem1\">c0</Td></tr>\r\n"
    "<tr class=\"TavrelRowBody\"><td class=\"CheckItem2\">r0</td>"
    "<td class=\"CheckValue\">\x81\x9B</td></tr>\r\n"
    "</table>";

class DocCmdHtml : public DocCmdTest, public ::testing::WithParamInterface<HtmlCase> {};

TEST_P(DocCmdHtml, KeepsNamesExportsAndPreviews) {
    const HtmlCase& c = GetParam();
    FillSheet(S(), 1, 1, 0, 0, "0,0");
    const std::string file = Path("page.html").toStdString();
    S().m_strHtmlCss = "s.css";
    S().m_strHtmlFile = file;
    const std::string chosenFile = Path(c.file).toStdString();
    std::vector<std::string> shown;
    m_ui.AnswerDialogs<CHtmlDlg>([&](CHtmlDlg& d) {
        shown = {d.m_strCss, d.m_strFile};
        EXPECT_EQ(d.m_bPreview, FALSE);
        d.m_strCss = c.css;
        d.m_strFile = chosenFile;
        d.m_bToFile = c.toFile;
        d.m_bPreview = c.preview;
        return IDOK;
    });
    m_cmds.OnCmdMsg(ID_HTML_EXPORT);
    EXPECT_EQ(shown, (std::vector<std::string>{"s.css", file}));
    EXPECT_EQ(S().m_strHtmlCss, c.css);
    EXPECT_EQ(S().m_strHtmlFile, chosenFile);
    EXPECT_EQ(m_doc.IsModified(), c.modified);
    EXPECT_FALSE(m_doc.CanUndo());
    EXPECT_EQ(QFile::exists(QString::fromStdString(chosenFile)), c.toFile == TRUE);
    EXPECT_EQ(m_ui.m_clipboard.has_value(), c.toFile == FALSE);
    // The copy holds the table fragment alone (no page around it), in code
    // page 932 with CR LF line ends.
    if (c.toFile == FALSE) {
        EXPECT_EQ(m_ui.m_clipboard.value_or(""), kOneCellTable);
    }
    if (c.preview)
        EXPECT_EQ(m_ui.m_opened, std::vector<std::string>{chosenFile});
    else
        EXPECT_TRUE(m_ui.m_opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocCmdHtml,
    ::testing::Values(HtmlCase{"SameNamesToFile", "s.css", "page.html", TRUE, FALSE, false},
                      HtmlCase{"CaseOfStylesheetCounts", "S.css", "page.html", TRUE, FALSE, true},
                      HtmlCase{"OtherFile", "s.css", "other.html", TRUE, FALSE, true},
                      HtmlCase{"PreviewAfterFile", "s.css", "page.html", TRUE, TRUE, false},
                      HtmlCase{"CopyToClipboard", "s.css", "page.html", FALSE, FALSE, false},
                      HtmlCase{"PreviewAfterCopy", "s.css", "page.html", FALSE, TRUE, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocCmdTest, HtmlCancelChangesNothing) {
    S().m_strHtmlCss = "s.css";
    m_ui.AnswerDialogs<CHtmlDlg>([](CHtmlDlg& d) {
        d.m_strCss = "changed";
        d.m_bPreview = TRUE;
        return IDCANCEL;
    });
    m_cmds.OnCmdMsg(ID_HTML_EXPORT);
    EXPECT_EQ(S().m_strHtmlCss, "s.css");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_ui.m_opened.empty());
    EXPECT_FALSE(m_ui.m_clipboard.has_value());
}

} // namespace
