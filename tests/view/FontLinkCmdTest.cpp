// The font commands (applied at once, kept across a restart of the settings
// store) and the link-file commands with scripted answers of the opener.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CmdTestSheet.h"
#include "ViewTestUtil.h"
#include "dialogs/FontDlg.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/Settings.h"
#include "qt/QtProfile.h"
#include "res/CommandIds.h"
#include "view/FontLinkCommands.h"
#include "ScriptedAnswers.h"

namespace {

using C = CFontLinkCommands;

CFont Chosen() {
    CFont f;
    f.m_strFaceName = "IPAGothic";
    f.m_nHeight = -30;
    f.m_nWeight = 700;
    f.m_bItalic = 1;
    f.m_bUnderline = 0;
    f.m_nCharSet = 128;
    return f;
}

class FontCmdTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_ui.AnswerDialogs<CFontDlg>([this](CFontDlg& d) {
            ++m_nDialogs;
            m_started = d.m_font;
            if (m_nAnswer == IDOK)
                d.m_font = Chosen();
            return m_nAnswer;
        });
    }
    CScriptedAnswers m_ui;
    int m_nAnswer = IDOK;
    int m_nDialogs = 0;
    CFont m_started;
};

struct FontCase {
    const char* name;
    UINT id;
    bool lineFont;
};

class FontCmd : public FontCmdTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontCmd, AppliesAtOnceAndWritesTheSixValues) {
    const FontCase& c = GetParam();
    ViewFixture f(3, 3);
    CSheetFile& s = f.Sheet();
    const int lineHeight = s.m_nLineHeight, columnHeight = s.m_nColumnHeight;
    const int nameWidth = s.LineNameWidthPx(), columnWidth = s.ColumnWidthPx();
    const int vbarTop = f.view->VScrollBar()->y();
    const std::string face = c.lineFont ? "LineFont" : "ColumnFont";

    C cmds(f.view.get());
    ASSERT_TRUE(cmds.OnCmdMsg(c.id));
    EXPECT_EQ(m_nDialogs, 1);
    EXPECT_EQ(m_started.m_strFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(m_started.m_nHeight, c.lineFont ? 16 : 14);

    const CFont& now = c.lineFont ? s.Look().m_fontLine : s.Look().m_fontColumn;
    EXPECT_EQ(now.m_strFaceName, "IPAGothic");
    EXPECT_EQ(now.m_nHeight, -30);
    EXPECT_EQ(f.profile.GetProfileString(face, "FaceName", ""), "IPAGothic");
    EXPECT_EQ(f.profile.GetProfileInt(face, "Size", 0), -30);
    EXPECT_EQ(f.profile.GetProfileInt(face, "Weight", 0), 700);
    EXPECT_EQ(f.profile.GetProfileInt(face, "Italic", 0), 1);
    EXPECT_EQ(f.profile.GetProfileInt(face, "Underline", 9), 0);
    EXPECT_EQ(f.profile.GetProfileInt(face, "CharSet", 0), 128);
    // The other font's section is not touched.
    EXPECT_FALSE(f.profile.Has(c.lineFont ? "ColumnFont" : "LineFont", "Size"));

    // Re-measured at once: the chosen font's heights and widths, the other's unchanged.
    if (c.lineFont) {
        EXPECT_GT(s.m_nLineHeight, lineHeight);
        EXPECT_GT(s.LineNameWidthPx(), nameWidth);
        EXPECT_EQ(s.m_nColumnHeight, columnHeight);
        EXPECT_EQ(s.ColumnWidthPx(), columnWidth);
        EXPECT_EQ(s.GetAt(1)->m_rect.top, s.m_nColumnHeight + s.m_nLineHeight);
    } else {
        EXPECT_GT(s.m_nColumnHeight, columnHeight);
        EXPECT_GT(s.ColumnWidthPx(), columnWidth);
        EXPECT_EQ(s.m_nLineHeight, lineHeight);
        EXPECT_EQ(s.LineNameWidthPx(), nameWidth);
    }
    // The scroll bar keeps its place until the next resize.
    EXPECT_EQ(f.view->VScrollBar()->y(), vbarTop);
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_FALSE(f.doc->CanUndo());
}

TEST_P(FontCmd, CancelChangesNothing) {
    const FontCase& c = GetParam();
    ViewFixture f(2, 2);
    const int lineHeight = f.Sheet().m_nLineHeight, columnHeight = f.Sheet().m_nColumnHeight;
    m_nAnswer = IDCANCEL;
    C cmds(f.view.get());
    cmds.OnCmdMsg(c.id);
    EXPECT_EQ(m_nDialogs, 1);
    const CDisplaySettings& look = f.Sheet().Look();
    EXPECT_EQ((c.lineFont ? look.m_fontLine : look.m_fontColumn).m_nHeight, c.lineFont ? 16 : 14);
    EXPECT_FALSE(f.profile.Has(c.lineFont ? "LineFont" : "ColumnFont", "FaceName"));
    EXPECT_EQ(f.Sheet().m_nLineHeight, lineHeight);
    EXPECT_EQ(f.Sheet().m_nColumnHeight, columnHeight);
}

TEST_P(FontCmd, TheChoiceComesBackAfterARestart) {
    const FontCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("Tavreler.ini"));
    {
        ViewFixture f(1, 1);
        CQtProfile store(ini);
        AfxSetProfile(&store);
        C cmds(f.view.get());
        cmds.OnCmdMsg(c.id);
        AfxSetProfile(&f.profile);
    }
    // A fresh store on the same file, as the next start reads it.
    CQtProfile restarted(ini);
    const CDisplaySettings look = LoadDisplaySettings(restarted);
    const CFont& line = look.m_fontLine;
    const CFont& column = look.m_fontColumn;
    const CFont& chosen = c.lineFont ? line : column;
    const CFont& other = c.lineFont ? column : line;
    EXPECT_EQ(chosen.m_strFaceName, "IPAGothic");
    EXPECT_EQ(chosen.m_nHeight, -30);
    EXPECT_EQ(chosen.m_nWeight, 700);
    EXPECT_EQ(chosen.m_bItalic, 1);
    EXPECT_EQ(chosen.m_bUnderline, 0);
    EXPECT_EQ(chosen.m_nCharSet, 128);
    EXPECT_EQ(other.m_strFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(other.m_nHeight, c.lineFont ? 14 : 16);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontCmd,
                         ::testing::Values(FontCase{"RowFont", ID_VIEW_LINE_FONT, true},
                                           FontCase{"ColumnFont", ID_VIEW_COLUMN_FONT, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Links.

class PathHost : public CTestViewHost {
public:
    std::string DocumentPath() override { return m_path; }
    std::string m_path;
};

struct LinkCase {
    const char* name;
    bool line;         // row link (else column link)
    bool current;      // a current row / column
    const char* link;  // UTF-8; "$D" stands for the test folder
    bool sheetHasFile; // the sheet lives in the test folder, else it has no file (home is the
                       // folder)
    bool shellAnswer;
    const char* opened;  // what the opener gets ("$D" the folder), nullptr: nothing
    const char* message; // nullptr: none; "$L" the link as stored
};

class LinkCmd : public ::testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"a b.txt", "資料.txt"}) {
            QFile file(m_dir.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_dir.path().toUtf8());
    }
    void TearDown() override { qputenv("HOME", m_oldHome); }
    std::string Expand(const char* s) const {
        std::string out = s;
        const std::string dir = m_dir.path().toStdString();
        for (std::size_t p; (p = out.find("$D")) != std::string::npos;)
            out.replace(p, 2, dir);
        return out;
    }
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    CScriptedAnswers m_ui;
    PathHost m_host;
};

TEST_P(LinkCmd, OpensWhatTheLinkNamesOrSaysWhy) {
    const LinkCase& c = GetParam();
    CSheetFile& s = m_host.m_doc.m_Sheet;
    FillSheet(s, 2, 2, c.current ? 1 : -1, c.current ? 1 : -1);
    const std::string link = cp932::FromUtf8OrDie(Expand(c.link));
    if (c.line)
        s.EditLine(1, [&](CLineData& l) { l.m_strLinkFile = link; });
    else
        s.EditColumn(1, [&](CColumnData& col) { col.m_strLinkFile = link; });
    if (c.sheetHasFile)
        m_host.m_path = Expand("$D/sheet.tvr");
    m_ui.m_bShellResult = c.shellAnswer;
    const std::string before = Picture(s);

    C cmds(&m_host);
    ASSERT_TRUE(cmds.OnCmdMsg(c.line ? ID_VIEW_LINE_LINK : ID_VIEW_COLUMN_LINK));
    if (c.opened)
        EXPECT_EQ(m_ui.m_opened, std::vector<std::string>{Expand(c.opened)});
    else
        EXPECT_TRUE(m_ui.m_opened.empty());
    if (c.message) {
        std::string expected = c.message;
        if (const std::size_t p = expected.find("$L"); p != std::string::npos)
            expected.replace(p, 2, Expand(c.link));
        ASSERT_EQ(m_ui.m_shown.size(), 1u);
        EXPECT_EQ(m_ui.m_shown[0].text, expected);
    } else {
        EXPECT_TRUE(m_ui.m_shown.empty());
    }
    EXPECT_EQ(Picture(s), before);
    EXPECT_FALSE(m_host.m_doc.IsModified());
}

const char kNoRowLink[] = "この行のリンクファイルが指定されていません";
const char kNoColumnLink[] = "この列のリンクファイルが指定されていません";
const char kCannotOpen[] = "$L\nリンクファイルを開けませんでした。";

INSTANTIATE_TEST_SUITE_P(
    Links, LinkCmd,
    ::testing::Values(
        LinkCase{"NoCurrentRow", true, false, "a b.txt", true, true, nullptr, nullptr},
        LinkCase{"NoCurrentColumn", false, false, "a b.txt", true, true, nullptr, nullptr},
        LinkCase{"EmptyRowLink", true, true, "", true, true, nullptr, kNoRowLink},
        LinkCase{"EmptyColumnLink", false, true, "", true, true, nullptr, kNoColumnLink},
        LinkCase{"AddressAsStored", true, true, "https://example.com/a b?q=1", true, true,
                 "https://example.com/a b?q=1", nullptr},
        LinkCase{"MailAddress", false, true, "mailto:someone@example.com", false, true,
                 "mailto:someone@example.com", nullptr},
        LinkCase{"RelativeToTheSheetsFolderSpacesKept", true, true, "a b.txt", true, true,
                 "$D/a b.txt", nullptr},
        LinkCase{"JapaneseName", false, true, "資料.txt", true, true, "$D/資料.txt", nullptr},
        LinkCase{"AbsolutePath", true, true, "$D/a b.txt", false, true, "$D/a b.txt", nullptr},
        LinkCase{"WithoutAFileRelativeToHome", true, true, "a b.txt", false, true, "$D/a b.txt",
                 nullptr},
        LinkCase{"ExistingFileAddress", true, true, "file://$D/a b.txt", true, true,
                 "file://$D/a b.txt", nullptr},
        LinkCase{"MissingFile", true, true, "missing.txt", true, true, nullptr, kCannotOpen},
        LinkCase{"MissingFileAddress", false, true, "file:///nowhere/x.txt", true, true, nullptr,
                 kCannotOpen},
        LinkCase{"WindowsPath", true, true, "C:\\Docs\\a.txt", true, true, nullptr, kCannotOpen},
        LinkCase{"OpenerFails", false, true, "https://example.com/", true, false,
                 "https://example.com/", kCannotOpen},
        LinkCase{"OpenerFailsOnAFile", true, true, "a b.txt", true, false, "$D/a b.txt",
                 kCannotOpen}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
