// Each way the program can start, and the command line it understands.
#include <QFont>
#include <QFontInfo>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "fw/CommandRoute.h"
#include "res/CommandIds.h"
#include "model/ColumnData.h"
#include "model/LineData.h"

namespace {

using Result = CTavrelApp::StartResult;

TEST(Startup, FirstRunAsksForRowsBeforeTheWindowShows) {
    AppFixture f;
    f.newFileAnswer = IDCANCEL; // "データ無し"
    ASSERT_EQ(f.Start(), Result::Run);
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_FALSE(f.windowVisibleAtNewFile);
    EXPECT_TRUE(f.Frame().isVisible());
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 0);
    EXPECT_EQ(f.Doc().m_Sheet.m_Columns.GetSize(), 0);
    EXPECT_FALSE(f.Doc().IsModified());
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("Sheet1 - Tavreler"));
}

// The face substitutions are made once per process, so this runs in a
// fresh one: the first new-file dialog of a run gets the Japanese face that
// "ＭＳ Ｐゴシック" maps to, exactly as the one opened later from File New.
TEST(StartupFont, FirstNewFileDialogHasTheJapaneseFace) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            AppFixture f;
            QString atStart;
            QSize sizeAtStart;
            QString later;
            QSize sizeLater;
            f.ui.AnswerDialogs<CNewFileDlg>([&](CNewFileDlg& dlg) {
                (atStart.isEmpty() ? atStart : later) = QFontInfo(dlg.font()).family();
                (sizeAtStart.isEmpty() ? sizeAtStart : sizeLater) = dlg.size();
                return IDCANCEL;
            });
            f.Start();
            RunCommand(ID_FILE_NEW);
            std::fprintf(stderr, "start %s %dx%d, later %s %dx%d, substitutes %d\n",
                         qPrintable(atStart), sizeAtStart.width(), sizeAtStart.height(),
                         qPrintable(later), sizeLater.width(), sizeLater.height(),
                         int(QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック")).size()));
            const bool same = !atStart.isEmpty() && atStart == later && sizeAtStart == sizeLater;
            const bool japanese = QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック"))
                                      .contains(atStart, Qt::CaseInsensitive);
            std::fflush(stderr);
            std::_Exit(same && japanese ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "substitutes [1-9]");
}

TEST(Startup, RowsTypedAtFirstRunBecomeTheSheet) {
    AppFixture f;
    f.newFileAnswer = IDOK;
    f.newFileLines = QStringLiteral("aa\r\nbb\r\n\r\ncc");
    ASSERT_EQ(f.Start(), Result::Run);
    const CSheetFile& s = f.Doc().m_Sheet;
    ASSERT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.GetAt(2)->m_strName, "cc");
    ASSERT_EQ(s.m_Columns.GetSize(), 1);
    EXPECT_FALSE(f.Doc().IsModified());
}

TEST(Startup, ReopensTheMostRecentFile) {
    AppFixture f;
    const QString path = f.WriteSheet("last.tvr", "one\r\ntwo");
    f.profile.WriteProfileString("Recent File List", "File1", path.toStdString());
    ASSERT_EQ(f.Start(), Result::Run);
    EXPECT_EQ(f.newFileShown, 0);
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 2);
    EXPECT_EQ(f.Doc().GetPathName(), path);
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("last.tvr - Tavreler"));
}

TEST(Startup, InitFileOffStartsANewSheetDespiteARecentFile) {
    AppFixture f;
    const QString path = f.WriteSheet("last.tvr", "one");
    f.profile.WriteProfileString("Recent File List", "File1", path.toStdString());
    f.profile.WriteProfileInt("System", "InitFile", 0);
    ASSERT_EQ(f.Start(), Result::Run);
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_TRUE(f.Doc().GetPathName().isEmpty());
}

TEST(Startup, MissingRecentFileSilentlyStartsANewSheet) {
    AppFixture f;
    f.profile.WriteProfileString("Recent File List", "File1", f.Path("gone.tvr").toStdString());
    ASSERT_EQ(f.Start(), Result::Run);
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_TRUE(f.ui.m_shown.empty());
}

TEST(Startup, UnreadableRecentFileIsReportedThenANewSheetStarts) {
    AppFixture f;
    const QString path = f.WriteBytes("bad.tvr", QByteArray("not a sheet at all"));
    f.profile.WriteProfileString("Recent File List", "File1", path.toStdString());
    ASSERT_EQ(f.Start(), Result::Run);
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, "予期しないﾌｧｲﾙ形式です。");
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("Sheet1 - Tavreler"));
    EXPECT_FALSE(f.Doc().IsModified());
}

TEST(Startup, FileOnTheCommandLineIsOpenedAndRemembered) {
    AppFixture f;
    const QString path = f.WriteSheet("named.tvr", "x");
    ASSERT_EQ(f.Start({path}), Result::Run);
    EXPECT_EQ(f.newFileShown, 0);
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 1);
    EXPECT_EQ(f.Recent(1), path.toStdString());
}

TEST(Startup, BadFileOnTheCommandLineEndsStartUpWithAnError) {
    AppFixture f;
    const QString bad = f.WriteBytes("bad.tvr", QByteArray("\x01\x02", 2));
    EXPECT_EQ(f.Start({bad}), Result::Failed);
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, "予期しないﾌｧｲﾙ形式です。");
    EXPECT_FALSE(f.Frame().isVisible());
    AppFixture g;
    EXPECT_EQ(g.Start({g.Path("absent.tvr")}), Result::Failed);
    EXPECT_FALSE(g.ui.m_shown.empty());
}

TEST(Startup, RecentFileListKeepsNineMostRecentFirst) {
    CMemoryProfile profile;
    CRecentFileList list(profile);
    for (int i = 0; i < 11; ++i)
        list.Add(QStringLiteral("/tmp/f%1.tvr").arg(i));
    list.Add(QStringLiteral("/tmp/f5.tvr"));
    ASSERT_EQ(list.GetSize(), 9);
    EXPECT_EQ(list[0], QStringLiteral("/tmp/f5.tvr"));
    EXPECT_EQ(list[1], QStringLiteral("/tmp/f10.tvr"));
    EXPECT_EQ(list[8], QStringLiteral("/tmp/f2.tvr"));
    CRecentFileList again(profile);
    again.ReadList();
    ASSERT_EQ(again.GetSize(), 9);
    EXPECT_EQ(again[0], list[0]);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File9", ""), "/tmp/f2.tvr");
    EXPECT_EQ(list.MenuText(0), QStringLiteral("&1 /tmp/f5.tvr"));
}

struct LineCase {
    const char* name;
    QStringList args;
    CCommandLineInfo::Shell shell;
    const char* file;
    const char* printer;
};

class CommandLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLine, Parse) {
    const LineCase& c = GetParam();
    const CCommandLineInfo info = CCommandLineInfo::Parse(c.args);
    EXPECT_EQ(info.m_nShellCommand, c.shell);
    EXPECT_EQ(info.m_strFileName, QString::fromUtf8(c.file));
    EXPECT_EQ(info.m_strPrinterName, QString::fromUtf8(c.printer));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(
        LineCase{"Nothing", {}, CCommandLineInfo::FileNew, "", ""},
        LineCase{"File", {"a.tvr"}, CCommandLineInfo::FileOpen, "a.tvr", ""},
        LineCase{"AbsolutePathIsNoSwitch", {"/p.tvr"}, CCommandLineInfo::FileOpen, "/p.tvr", ""},
        LineCase{"Print", {"/p", "a.tvr"}, CCommandLineInfo::FilePrint, "a.tvr", ""},
        LineCase{"PrintUpperCase", {"/P", "a.tvr"}, CCommandLineInfo::FilePrint, "a.tvr", ""},
        LineCase{"PrintTo",
                 {"/pt", "a.tvr", "lp0", "drv", "port"},
                 CCommandLineInfo::FilePrintTo,
                 "a.tvr",
                 "lp0"},
        LineCase{"DdeIgnored", {"/dde"}, CCommandLineInfo::FileNew, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
