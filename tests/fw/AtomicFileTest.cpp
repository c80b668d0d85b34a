// The one atomic write: what it replaces, what it keeps (links, permissions,
// the old bytes on failure) and what it leaves behind (nothing), under the
// faults a real disk has: a file-size limit, a full file system, a kill.
#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "fw/AtomicFile.h"
#include "TempDir.h"

namespace {

using namespace childtest;

class AtomicFile : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return m_temp.File(name); }

    CTempDir m_temp;
    const std::string& m_dir = m_temp.Path();
};

TEST_F(AtomicFile, ReplacesAndKeepsThePermissions) {
    const std::string path = File("a.tvr");
    WriteFile(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadFile(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(m_dir), std::vector<std::string>{"a.tvr"});
}

TEST_F(AtomicFile, BytesAfterANulAreWritten) {
    const std::string path = File("n.csv");
    const std::string bytes("a\0b\0", 4);
    ASSERT_FALSE(WriteFileAtomically(path, bytes));
    EXPECT_EQ(ReadFile(path), bytes);
}

// Saving through a symbolic link writes the file it names and keeps the link.
struct LinkCase {
    const char* name;
    const char* link;   // the path saved to
    const char* target; // what the link holds (relative to the link's folder, or absolute)
    const char* real;   // the file that must receive the bytes
};
// Shown by its name in test listings.
void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class AtomicFileLinks : public AtomicFile, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(AtomicFileLinks, WriteThroughTheLinkAndKeepIt) {
    const LinkCase& c = GetParam();
    std::filesystem::create_directories(File("sub/deeper"));
    std::filesystem::create_directories(File("other"));
    const std::string real = File(c.real);
    if (std::string(c.name) != "Dangling")
        WriteFile(real, "old");
    std::string target = c.target;
    if (target.rfind("ABS:", 0) == 0)
        target = File(target.substr(4));
    ASSERT_EQ(::symlink(target.c_str(), File(c.link).c_str()), 0);

    ASSERT_FALSE(WriteFileAtomically(File(c.link), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(File(c.link)));
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(ReadFile(File(c.link)), "new");
    // The temporary file went beside the real file and is gone.
    for (const char* dir : {"", "sub", "sub/deeper", "other"})
        for (const std::string& n : Names(File(dir)))
            EXPECT_NE(n.front(), '.') << dir << "/" << n;
}

INSTANTIATE_TEST_SUITE_P(
    Links, AtomicFileLinks,
    ::testing::Values(LinkCase{"SameFolder", "l.tvr", "a.tvr", "a.tvr"},
                      LinkCase{"RelativeIntoAnotherFolder", "sub/l.tvr", "../other/a.tvr",
                               "other/a.tvr"},
                      LinkCase{"Absolute", "l.tvr", "ABS:sub/deeper/a.tvr", "sub/deeper/a.tvr"},
                      LinkCase{"Dangling", "l.tvr", "other/new.tvr", "other/new.tvr"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AtomicFile, SecondLinkOfAChainIsFollowedToo) {
    std::filesystem::create_directories(File("x"));
    WriteFile(File("x/real"), "old");
    ASSERT_EQ(::symlink("x/real", File("second").c_str()), 0);
    ASSERT_EQ(::symlink("second", File("first").c_str()), 0);
    ASSERT_FALSE(WriteFileAtomically(File("first"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(File("first")));
    EXPECT_TRUE(std::filesystem::is_symlink(File("second")));
    EXPECT_EQ(ReadFile(File("x/real")), "new");
}

TEST_F(AtomicFile, LinkLoopFailsAndCreatesNothing) {
    ASSERT_EQ(::symlink("b", File("a").c_str()), 0);
    ASSERT_EQ(::symlink("a", File("b").c_str()), 0);
    auto err = WriteFileAtomically(File("a"), "x");
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, FileError::BadFileName);
    EXPECT_EQ(Names(m_dir), (std::vector<std::string>{"a", "b"}));
}

// One byte more than a name may have: refused as a bad name, and the
// shortened temporary name made for it is gone again.
const std::string kLongName(256, 'n');

struct RefusedCase {
    const char* name;
    const char* path;
    FileError error;
};
// Shown by its name in test listings.
void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class AtomicFileRefused : public AtomicFile, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(AtomicFileRefused, NothingIsWritten) {
    std::filesystem::create_directories(File("folder"));
    auto err = WriteFileAtomically(File(GetParam().path), "x");
    ASSERT_TRUE(err);
    EXPECT_EQ(*err, GetParam().error);
    EXPECT_EQ(Names(m_dir), std::vector<std::string>{"folder"});
    EXPECT_TRUE(Names(File("folder")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AtomicFileRefused,
    ::testing::Values(RefusedCase{"AFolder", "folder", FileError::AccessDeniedWrite},
                      RefusedCase{"MissingFolder", "none/a.tvr", FileError::FileNotFound},
                      RefusedCase{"NameEndsInASlash", "folder/", FileError::BadFileName},
                      RefusedCase{"NameTooLong", kLongName.c_str(), FileError::BadFileName}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AtomicFile, DeviceIsWrittenInPlace) {
    // A device cannot be replaced by a file: /dev/null stays the device.
    ASSERT_FALSE(WriteFileAtomically("/dev/null", "x"));
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(AtomicFile, FileSizeLimitFailsAndLeavesTheOldFile) {
    const std::string path = File("big.csv");
    WriteFile(path, "old contents");
    const int code = RunInChild([&] {
        LimitFileSize(4096);
        std::signal(SIGXFSZ, SIG_IGN); // as both programs do
        const auto err = WriteFileAtomically(path, std::string(100000, 'x'));
        return err ? static_cast<int>(err->m_kind) + 10 : 0;
    });
    EXPECT_EQ(code, static_cast<int>(FileError::GenericWrite) + 10);
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(Names(m_dir), std::vector<std::string>{"big.csv"});
}

TEST_F(AtomicFile, FullFileSystemFailsAndLeavesTheOldFile) {
    // A small file system of its own, in a private mount namespace.
    const std::string mnt = File("mnt");
    std::filesystem::create_directories(mnt);
    const int code = RunInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        const std::string path = mnt + "/a.tvr";
        WriteFile(path, "old");
        const auto err = WriteFileAtomically(path, std::string(200000, 'x'));
        if (!err)
            return 1;
        if (*err != FileError::DiskFull)
            return 2;
        if (ReadFile(path) != "old")
            return 3;
        if (Names(mnt) != std::vector<std::string>{"a.tvr"})
            return 4;
        // Room enough again: the next save succeeds.
        if (WriteFileAtomically(path, "new") || ReadFile(path) != "new")
            return 5;
        return 0;
    });
    if (code == 77)
        GTEST_SKIP() << "no permission to mount a small file system here";
    EXPECT_EQ(code, 0);
}

// A writer killed at any moment leaves either the old or the new file,
// never a mixture; its temporary files go with the next successful write.
TEST_F(AtomicFile, KilledWriterLeavesOldOrNewAndNextWriteClearsLeftovers) {
    const std::string path = File("k.tvr");
    const std::string a(300000, 'a'), b(250000, 'b');
    WriteFile(path, a);
    std::mt19937 rng(42);
    int leftovers = 0;
    for (int round = 0; round < 25; ++round) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int i = 0;; ++i)
                WriteFileAtomically(path, i % 2 ? a : b);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + rng() % 20000));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string now = ReadFile(path);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        leftovers += static_cast<int>(Names(m_dir).size()) - 1;
    }
    RecordProperty("leftovers", leftovers);
    ASSERT_FALSE(WriteFileAtomically(path, "done"));
    EXPECT_EQ(Names(m_dir), std::vector<std::string>{"k.tvr"});
}

TEST_F(AtomicFile, LeftoverOfAWriteStillRunningIsKept) {
    const std::string path = File("w.tvr");
    CAtomicFile running;
    ASSERT_FALSE(running.Create(path));
    ASSERT_FALSE(running.Write("first", 5));
    // A stale one of the same pattern, nobody holding it.
    WriteFile(File(".w.tvr.AbC123"), "stale");
    // And files that only look alike stay.
    WriteFile(File(".w.tvr.AbC12"), "short");
    WriteFile(File(".x.tvr.AbC123"), "other");

    ASSERT_FALSE(WriteFileAtomically(path, "second"));
    EXPECT_TRUE(std::filesystem::exists(running.GetTempPath()));
    EXPECT_FALSE(std::filesystem::exists(File(".w.tvr.AbC123")));
    EXPECT_TRUE(std::filesystem::exists(File(".w.tvr.AbC12")));
    EXPECT_TRUE(std::filesystem::exists(File(".x.tvr.AbC123")));
    ASSERT_FALSE(running.Commit());
    EXPECT_EQ(ReadFile(path), "first");
}

TEST_F(AtomicFile, DiscardedWriteLeavesTheTargetAndNoTemporary) {
    const std::string path = File("d.tvr");
    WriteFile(path, "old");
    {
        CAtomicFile f;
        ASSERT_FALSE(f.Create(path));
        ASSERT_FALSE(f.Write("new", 3));
    } // no Commit
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(Names(m_dir), std::vector<std::string>{"d.tvr"});
}

struct TempNameCase {
    const char* name;
    const char* candidate;
    bool matches;
};
// Shown by its name in test listings.
void PrintTo(const TempNameCase& c, std::ostream* os) {
    *os << c.name;
}

class TemporaryName : public ::testing::TestWithParam<TempNameCase> {};

TEST_P(TemporaryName, OfTheTarget) {
    EXPECT_EQ(IsTemporaryNameOf(GetParam().candidate, "a.tvr"), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Names, TemporaryName,
                         ::testing::Values(TempNameCase{"Made", ".a.tvr.x1Y2z3", true},
                                           TempNameCase{"TheTargetItself", "a.tvr", false},
                                           TempNameCase{"NoDot", "a.tvr.x1Y2z3", false},
                                           TempNameCase{"FiveLetters", ".a.tvr.x1Y2z", false},
                                           TempNameCase{"SevenLetters", ".a.tvr.x1Y2z3q", false},
                                           TempNameCase{"NotLetters", ".a.tvr.x1Y2-3", false},
                                           TempNameCase{"AnotherTarget", ".b.tvr.x1Y2z3", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
