#include <gtest/gtest.h>

#include <memory>

#include "ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SheetEdits.h"
#include "fw/Cp932.h"
#include "model/SheetIo.h"
#include "TempDir.h"

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Bytes(const CSheetFile& sheet) {
    std::ostringstream out;
    EXPECT_TRUE(WriteSheet(sheet, out));
    return out.str();
}

const std::string kWorked = ReadBytes(TAVRELER_TEST_DATA "/worked_example.tvr");

void MakeWorkedExample(CSheetFile& s) {
    BuildNewSheet(s, "A\r\nB");
    s.m_nColumnHeight = 24;
    SetChecked(s, 0, 0);
}

TEST(SheetFileFormat, WorkedExampleByteForByte) {
    ASSERT_EQ(kWorked.size(), 158u);
    CSheetFile s;
    s.m_nLineNameWidth = 10;
    MakeWorkedExample(s);
    EXPECT_EQ(Bytes(s), kWorked);
}

TEST(SheetFileFormat, WorkedExampleReadsBack) {
    CSheetFile s;
    ASSERT_FALSE(ReadSheet(s, kWorked));
    ASSERT_EQ(s.GetSize(), 2);
    ASSERT_EQ(s.m_Columns.GetSize(), 1);
    EXPECT_EQ(s.m_Columns[0]->m_strName, cp932::FromUtf8OrDie("チェック"));
    EXPECT_EQ(s[0]->m_strName, "A");
    EXPECT_EQ(s[1]->m_strName, "B");
    EXPECT_EQ(static_cast<const CCheckItem*>(s[0]->GetAt(0))->m_bCheck, 1);
    EXPECT_EQ(static_cast<const CCheckItem*>(s[1]->GetAt(0))->m_bCheck, 0);
    EXPECT_EQ(s.m_nColumnHeight, 24);
    EXPECT_EQ(s.m_nCurLine, -1);
    EXPECT_EQ(s.m_nCurColumn, -1);
    EXPECT_EQ(Bytes(s), kWorked);
}

TEST(SheetFileFormat, EmptySheetIs39Bytes) {
    CSheetFile s;
    s.m_nLineNameWidth = s.m_nColumnWidth = 10;
    const std::string b = Bytes(s);
    ASSERT_EQ(b.size(), 39u);
    EXPECT_EQ(b.substr(35), std::string(4, '\0'));
}

TEST(SheetFileFormat, EmptyFileIsAnEmptySheet) {
    CSheetFile s;
    s.AddLine("x");
    EXPECT_FALSE(ReadSheet(s, ""));
    EXPECT_EQ(s.GetSize(), 0);
}

TEST(SheetFileFormat, ClassIndicesDependOnWhatCameBefore) {
    for (int columns : {0, 1, 2}) {
        CSheetFile s;
        for (int c = 0; c < columns; ++c)
            s.AddColumn("c", 1);
        s.AddLine("a");
        s.AddLine("b");
        const std::string b = Bytes(s);
        // Expected tag of the second row: 01 80, 03 80 or 04 80.
        const char want = columns == 0 ? 1 : static_cast<char>(columns + 2);
        const std::string tag = std::string(1, want) + "\x80" +
                                std::string("\x64\x00\x00\x00\x01"
                                            "b",
                                            6);
        EXPECT_NE(b.find(tag), std::string::npos) << columns << " columns";
    }
}

TEST(SheetFileFormat, AnyVersionValueIsAccepted) {
    for (char v : {'\x00', '\xC8'}) {
        std::string data = kWorked;
        for (std::size_t off : {0u, 54u, 86u, 112u, 120u, 130u})
            data[off] = v;
        CSheetFile s;
        EXPECT_FALSE(ReadSheet(s, data));
        EXPECT_EQ(s.GetSize(), 2);
    }
}

TEST(SheetFileFormat, EveryTruncationIsRejectedAndLeavesAnEmptySheet) {
    for (std::size_t n = 1; n < kWorked.size(); ++n) {
        CSheetFile s;
        auto err = ReadSheet(s, std::string_view(kWorked).substr(0, n));
        ASSERT_TRUE(err) << n;
        EXPECT_EQ(*err, FileError::BadFormat) << n;
        EXPECT_EQ(s.GetSize(), 0) << n;
        EXPECT_EQ(s.m_Columns.GetSize(), 0) << n;
    }
}

struct Corruption {
    const char* name;
    std::size_t offset;
    std::string bytes; // replace from offset
};

class BrokenFile : public ::testing::TestWithParam<Corruption> {};

TEST_P(BrokenFile, RejectedAsMalformed) {
    std::string data = kWorked;
    data.replace(GetParam().offset, GetParam().bytes.size(), GetParam().bytes);
    CSheetFile s;
    auto err = ReadSheet(s, data);
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, FileError::BadFormat);
    EXPECT_EQ(FileErrorMessage(*err, "x.tvr"), "予期しないﾌｧｲﾙ形式です。");
    EXPECT_EQ(s.GetSize(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenFile,
    ::testing::Values(Corruption{"UnknownRowClass", 81, "X"},
                      Corruption{"ClassNameCaseDiffers", 77, "c"},
                      Corruption{"SchemaTwo", 73, "\x02"},
                      Corruption{"NullTagForRow", 128, std::string("\x00\x00", 2)},
                      Corruption{"ReferenceToEarlierObject", 128, std::string("\x04\x00", 2)},
                      Corruption{"NeverAssignedClassIndex", 128, std::string("\x09\x80", 2)},
                      Corruption{"ObjectIndexUsedAsClass", 128, std::string("\x04\x80", 2)},
                      Corruption{"CellWhereRowExpected", 128, std::string("\x05\x80", 2)},
                      Corruption{"RowWithTwoCells", 138, std::string("\x02\x00", 2)},
                      Corruption{"RowWithoutCells", 94, std::string("\x00\x00", 2)},
                      Corruption{"ClassNameTooLong", 41, std::string("\x40\x00", 2)},
                      Corruption{"HugeRowCount", 69, std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetFileFormat, RoundTripKeepsEverythingStored) {
    CSheetFile s;
    s.m_strTitle = "T";
    s.m_nColumnHeight = 33;
    s.m_nTopLine = 2;
    s.m_nLeftColumn = 1;
    s.m_nLineNameWidth = 15;
    s.m_nColumnWidth = 8;
    s.m_nCsvMark = 1;
    s.m_nHtmlMark = 1;
    s.m_strHtmlCss = "a.css";
    s.m_strHtmlFile = "out.html";
    s.AddColumn("c1", 1);
    s.AddColumn("c2", 1);
    s.EditColumn(1, [](CColumnData& c) {
        c.m_strDetail = "d\r\nd";
        c.m_strLinkFile = std::string(300, 'L');
    });
    s.AddLine("r1");
    s.AddLine(std::string(254, 'n'));
    s.EditLine(0, [](CLineData& l) { l.Add(new CDataItem); }); // a plain cell as files may hold
    s.m_Columns.Add(std::make_unique<CColumnData>("c3"));
    s.EditLine(1, [](CLineData& l) { l.Add(new CCheckItem); });
    const std::string first = Bytes(s);
    CSheetFile t;
    ASSERT_FALSE(ReadSheet(t, first));
    EXPECT_EQ(Bytes(t), first);
    EXPECT_EQ(t[0]->GetAt(2)->GetType(), CELL_PLAIN);
    EXPECT_EQ(t.m_nTopLine, 2);
    EXPECT_EQ(t.m_strHtmlCss, "a.css");
}

class SaveFile : public ::testing::Test {
protected:
    CTempDir m_temp;
    std::filesystem::path m_dir = m_temp.Path();
};

TEST_F(SaveFile, WritesThenReadsBack) {
    CSheetFile s;
    MakeWorkedExample(s);
    const std::string path = (m_dir / "a.tvr").string();
    ASSERT_FALSE(SaveSheetFile(s, path));
    EXPECT_EQ(ReadBytes(path), kWorked);
    CSheetFile t;
    EXPECT_FALSE(ReadSheetFile(t, path));
    EXPECT_EQ(t.GetSize(), 2);
}

// Whether the save failed, run as a user the folder's permissions bind: this
// process, or, as root (which CI runs as), a child that gave up root first.
bool SaveFailsWithoutRoot(const CSheetFile& s, const std::string& path) {
    if (::geteuid() != 0)
        return SaveSheetFile(s, path).has_value();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(SaveSheetFile(s, path) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not give up root";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Whether the save failed while files may hold only a few bytes, as on a full
// file system: the temporary file is made, then writing it fails. The limit
// binds root too.
bool SaveFailsOnAFullDisk(const CSheetFile& s, const std::string& path) {
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool failed = SaveSheetFile(s, path).has_value();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return failed;
}

struct FailCase {
    const char* name;
    bool readOnlyFolder;
    bool (*save)(const CSheetFile&, const std::string&);
};

class SaveFails : public SaveFile, public ::testing::WithParamInterface<FailCase> {};

TEST_P(SaveFails, FailedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string path = (m_dir / "a.tvr").string();
    { std::ofstream(path, std::ios::binary) << "old"; }
    // The file itself may be replaced by anyone: only the folder or the disk stops the save.
    ::chmod(path.c_str(), 0666);
    if (GetParam().readOnlyFolder)
        ::chmod(m_dir.c_str(), 0555);
    CSheetFile s;
    MakeWorkedExample(s);
    const bool failed = GetParam().save(s, path);
    ::chmod(m_dir.c_str(), 0700);
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, SaveFails,
                         ::testing::Values(FailCase{"ReadOnlyFolder", true, SaveFailsWithoutRoot},
                                           FailCase{"FullDisk", false, SaveFailsOnAFullDisk}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFile, LongestNamesAreReplacedWithNothingLeftBeside) {
    // The temporary name beside a name of 248 to 255 bytes must still fit.
    for (std::size_t len : {248u, 255u}) {
        const std::string path = (m_dir / std::string(len, 'n')).string();
        { std::ofstream(path, std::ios::binary) << "old"; }
        CSheetFile s;
        s.AddLine("new");
        EXPECT_FALSE(SaveSheetFile(s, path)) << len;
        CSheetFile back;
        EXPECT_FALSE(ReadSheetFile(back, path)) << len;
        EXPECT_EQ(back.GetSize(), 1) << len;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 2);
}

// A file is read as it is taken: the same sheet, or the same rejection with an
// empty sheet, as from its bytes in memory, down to every truncation.
TEST_F(SaveFile, FileReadsAsItsBytesDo) {
    const std::string path = (m_dir / "t.tvr").string();
    for (std::size_t n = 0; n <= kWorked.size(); ++n) {
        { std::ofstream(path, std::ios::binary | std::ios::trunc) << kWorked.substr(0, n); }
        CSheetFile fromFile, fromMemory;
        fromFile.AddLine("old");
        const auto fileErr = ReadSheetFile(fromFile, path);
        const auto memErr = ReadSheet(fromMemory, std::string_view(kWorked).substr(0, n));
        ASSERT_EQ(fileErr, memErr) << n;
        EXPECT_EQ(fromFile.GetSize(), fromMemory.GetSize()) << n;
        EXPECT_EQ(Bytes(fromFile), Bytes(fromMemory)) << n;
    }
}

TEST_F(SaveFile, LargeFileReadsBack) {
    // Many blocks of input, with a row name longer than a block among them.
    CSheetFile s;
    for (int c = 0; c < 40; ++c)
        s.AddColumn("c" + std::to_string(c), 1);
    for (int i = 0; i < 3000; ++i)
        s.AddLine(i == 1500 ? std::string(300000, 'n') : "r" + std::to_string(i));
    SetChecked(s, 2999, 39);
    const std::string path = (m_dir / "big.tvr").string();
    ASSERT_FALSE(SaveSheetFile(s, path));
    CSheetFile t;
    ASSERT_FALSE(ReadSheetFile(t, path));
    EXPECT_EQ(Bytes(t), ReadBytes(path));
    EXPECT_EQ(static_cast<const CCheckItem*>(t[2999]->GetAt(39))->m_bCheck, 1);
}

TEST_F(SaveFile, FolderIsNotReadAsASheet) {
    CSheetFile t;
    t.AddLine("old");
    auto err = ReadSheetFile(t, m_dir.string());
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, FileError::AccessDeniedRead);
    EXPECT_EQ(t.GetSize(), 0);
}

TEST_F(SaveFile, MissingFolderIsReportedAsNotFound) {
    CSheetFile s;
    auto err = SaveSheetFile(s, (m_dir / "no" / "a.tvr").string());
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, FileError::FileNotFound);
    CSheetFile t;
    auto rerr = ReadSheetFile(t, (m_dir / "none.tvr").string());
    ASSERT_TRUE(rerr);
    EXPECT_EQ(*rerr, FileError::FileNotFound);
}

// A failed save says why, in the system's words, below the message it always gave.
struct SaveReasonCase {
    const char* name;
    const char* path; // within the test's folder
    bool asUser;      // the owner's permissions do not bind the superuser
    FileError::Kind kind;
    int reason;
};

class SaveReason : public SaveFile, public ::testing::WithParamInterface<SaveReasonCase> {};

TEST_P(SaveReason, MessageNamesTheSystemsReason) {
    const SaveReasonCase& c = GetParam();
    if (c.asUser && ::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into a read-only folder";
    std::ofstream(m_dir / "file") << "x";
    std::filesystem::create_directories(m_dir / "folder" / "a.tvr");
    std::filesystem::create_directories(m_dir / "locked");
    ::chmod((m_dir / "locked").c_str(), 0500);
    const std::string path = (m_dir / c.path).string();
    CSheetFile s;
    const auto err = SaveSheetFile(s, path);
    ::chmod((m_dir / "locked").c_str(), 0700);
    ASSERT_TRUE(err);
    EXPECT_EQ(err->m_kind, c.kind);
    EXPECT_EQ(err->m_nErrno, c.reason);
    EXPECT_EQ(FileErrorMessage(*err, path),
              FileErrorMessage(c.kind, path) + "\n(" + std::strerror(c.reason) + ")");
}

INSTANTIATE_TEST_SUITE_P(Ways, SaveReason,
                         ::testing::Values(SaveReasonCase{"MissingFolder", "no/a.tvr", false,
                                                          FileError::FileNotFound, ENOENT},
                                           SaveReasonCase{"FileAsFolder", "file/a.tvr", false,
                                                          FileError::FileNotFound, ENOTDIR},
                                           SaveReasonCase{"FolderInTheWay", "folder/a.tvr", false,
                                                          FileError::AccessDeniedWrite, EISDIR},
                                           SaveReasonCase{"ReadOnlyFolder", "locked/a.tvr", true,
                                                          FileError::AccessDeniedWrite, EACCES}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveStream, FailingStreamIsReported) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    CSheetFile s;
    EXPECT_FALSE(WriteSheet(s, out));
}

} // namespace
