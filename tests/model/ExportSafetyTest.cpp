// The exports on a real disk that fails: a killed export, a file-size limit
// and a full file system leave the old export byte for byte and no
// temporary file; a link stays a link; a NUL byte in a name cuts nothing.
#include <sched.h>
#include <sys/mount.h>

#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "io/IoTestUtil.h"
#include "SheetEdits.h"
#include "SheetTestUtil.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"
#include "ScriptedAnswers.h"

namespace {

using namespace iotest;

enum class Kind { Csv, Html };

// Writes the sheet to path the way the export command does; TRUE on success.
BOOL Export(const CSheetFile& sheet, Kind kind, const std::string& path) {
    return kind == Kind::Csv ? sheet.ExportCsv(path.c_str()) : sheet.ExportHtmlFile(path);
}

std::string KindName(Kind kind) {
    return kind == Kind::Csv ? "Csv" : "Html";
}
void PrintTo(Kind kind, std::ostream* os) {
    *os << KindName(kind);
}

void BuildBig(CSheetFile& sheet, int rows, int columns) {
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c)
        names.push_back("column " + std::to_string(c));
    std::vector<RowSpec> wanted;
    for (int r = 0; r < rows; ++r) {
        std::string cells;
        for (int c = 0; c < columns; ++c)
            cells += (r + c) % 3 ? '0' : '1';
        wanted.push_back({"row " + std::to_string(r), cells});
    }
    BuildSheet(sheet, names, wanted);
}

class ExportSafety : public ::testing::TestWithParam<Kind> {
protected:
    CTempDir m_dir;
};

TEST_P(ExportSafety, FileSizeLimitKeepsTheOldExport) {
    const std::string path = m_dir.File("out");
    WriteBytes(path, "the old export");
    const int code = childtest::RunInChild([&] {
        CScriptedAnswers ui;
        CSheetFile sheet;
        BuildBig(sheet, 300, 20);
        childtest::LimitFileSize(8192);
        std::signal(SIGXFSZ, SIG_IGN);
        if (Export(sheet, GetParam(), path))
            return 1;
        // The text layer's own message for the file.
        if (ui.m_shown.size() != 1 ||
            (ui.m_shown[0].text != "ファイルの書込に失敗しました:" + path &&
             ui.m_shown[0].text != "ファイルのクローズに失敗しました:" + path))
            return 2;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "the old export");
    EXPECT_EQ(childtest::Names(m_dir.File("")), std::vector<std::string>{"out"});
}

TEST_P(ExportSafety, FullFileSystemKeepsTheOldExport) {
    const std::string mnt = m_dir.File("mnt");
    std::filesystem::create_directories(mnt);
    const int code = childtest::RunInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        CScriptedAnswers ui;
        const std::string path = mnt + "/out";
        childtest::WriteFile(path, "the old export");
        CSheetFile sheet;
        BuildBig(sheet, 300, 40);
        if (Export(sheet, GetParam(), path))
            return 1;
        if (ui.m_shown.size() != 1)
            return 2;
        if (childtest::ReadFile(path) != "the old export")
            return 3;
        if (childtest::Names(mnt) != std::vector<std::string>{"out"})
            return 4;
        return 0;
    });
    if (code == 77)
        GTEST_SKIP() << "no permission to mount a small file system here";
    EXPECT_EQ(code, 0);
}

// Killed at random moments while exporting again and again, alternating
// between two different contents: the file is always one of them, whole.
TEST_P(ExportSafety, KilledExportLeavesOldOrNewWhole) {
    CSheetFile sheet;
    BuildBig(sheet, 2000, 40);
    const std::string path = m_dir.File("out");
    CScriptedAnswers quiet;
    ASSERT_TRUE(Export(sheet, GetParam(), m_dir.File("ref0")));
    sheet.m_nCsvMark = sheet.m_nHtmlMark = 1;
    ASSERT_TRUE(Export(sheet, GetParam(), m_dir.File("ref1")));
    const std::string ref0 = ReadBytes(m_dir.File("ref0")), ref1 = ReadBytes(m_dir.File("ref1"));
    ASSERT_NE(ref0, ref1);
    WriteBytes(path, ref0);
    std::mt19937 rng(7);
    int intact = 0;
    const int rounds = 20;
    for (int round = 0; round < rounds; ++round) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int i = 0;; ++i) {
                sheet.m_nCsvMark = sheet.m_nHtmlMark = i % 2;
                Export(sheet, GetParam(), path);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 + rng() % 60));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string now = ReadBytes(path);
        if (now == ref0 || now == ref1)
            ++intact;
        else
            ADD_FAILURE() << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(intact, rounds);
    // The next export that succeeds clears what the killed ones left.
    ASSERT_TRUE(Export(sheet, GetParam(), path));
    EXPECT_EQ(childtest::Names(m_dir.File("")), (std::vector<std::string>{"out", "ref0", "ref1"}));
}

TEST_P(ExportSafety, LinkStaysALinkAndItsFileIsWritten) {
    std::filesystem::create_directories(m_dir.File("real"));
    WriteBytes(m_dir.File("real/out"), "old");
    ASSERT_EQ(::symlink("real/out", m_dir.File("link").c_str()), 0);
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r1", "1"}});
    CScriptedAnswers ui;
    ASSERT_TRUE(Export(sheet, GetParam(), m_dir.File("link")));
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.File("link")));
    EXPECT_NE(ReadBytes(m_dir.File("real/out")), "old");
    EXPECT_EQ(childtest::Names(m_dir.File("real")), std::vector<std::string>{"out"});
}

TEST_P(ExportSafety, NulInANameCutsNothing) {
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r", "1"}, {"after", "0"}});
    // Names as a sheet file can hold them (the model's adders take C strings).
    SetColumnName(sheet, 0, std::string("A\0B", 3));
    SetLineName(sheet, 0, std::string("r\0s", 3));
    CScriptedAnswers ui;
    const std::string path = m_dir.File("out");
    ASSERT_TRUE(Export(sheet, GetParam(), path));
    const std::string bytes = ReadBytes(path);
    if (GetParam() == Kind::Csv) {
        EXPECT_EQ(bytes, "\"" + kCorner + "\",\"" + std::string("A\0B", 3) + "\"\r\n\"" +
                             std::string("r\0s", 3) + "\",\"" + kMaru + "\"\r\n\"after\",\"" +
                             kBatsu + "\"\r\n");
    } else {
        EXPECT_EQ(bytes, sheet.MakeHtmlPage());
        EXPECT_NE(bytes.find(std::string("<td class=\"CheckItem2\">r\0s</td>", 31)),
                  std::string::npos);
        EXPECT_NE(bytes.find("after"), std::string::npos);
        EXPECT_EQ(bytes.substr(bytes.size() - 7), "</html>");
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, ExportSafety, ::testing::Values(Kind::Csv, Kind::Html),
                         [](const auto& info) { return KindName(info.param); });

TEST(TextFileWrite, StringPiecesGoOutWhole) {
    CTempDir dir;
    const std::string path = dir.File("t.txt");
    {
        CTextFile file;
        file.Open(path.c_str(), "wt");
        file << std::string("a\0b\nc", 5) << "d";
        file.Close();
    }
    EXPECT_EQ(ReadBytes(path), std::string("a\0b\r\ncd", 7));
}

TEST(TextFileWrite, NothingReachesTheTargetBeforeClose) {
    CTempDir dir;
    const std::string path = dir.File("t.txt");
    WriteBytes(path, "old");
    {
        CTextFile file;
        file.Open(path.c_str(), "wt");
        file << std::string(100000, 'x');
        EXPECT_EQ(ReadBytes(path), "old");
        // Given up without Close (the path an exception takes).
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(childtest::Names(dir.File("")), std::vector<std::string>{"t.txt"});
}

} // namespace
