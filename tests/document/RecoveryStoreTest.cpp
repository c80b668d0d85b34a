// The folder of recovery copies: side files that say what they must, locks
// that keep two editors apart and die with a killed process, and the
// claims, adoptions and removals the start-up and the saves make.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "document/RecoveryStore.h"
#include "document/SheetDocument.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using childtest::Names;
using childtest::ReadFile;
using childtest::RunInChild;
using childtest::WriteFile;

// The recovery folder, made by the first write.
class Scratch : public CTempDir {
public:
    std::string Folder() const { return File("data/recovery"); }
};

// ---- The side file ------------------------------------------------------------

class SideFileRoundTrip : public testing::TestWithParam<std::string> {};

TEST_P(SideFileRoundTrip, GivesBackThePathTimeAndOwner) {
    CRecoveryEntry e;
    e.m_strOriginal = GetParam();
    e.m_nTime = 1765200000;
    e.m_nPid = 4242;
    const auto back = CRecoveryStore::ParseInfo(CRecoveryStore::FormatInfo(e));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->m_strOriginal, e.m_strOriginal);
    EXPECT_EQ(back->m_nTime, e.m_nTime);
    EXPECT_EQ(back->m_nPid, e.m_nPid);
}

INSTANTIATE_TEST_SUITE_P(Recovery, SideFileRoundTrip,
                         testing::Values("", "/home/user/sheet.tvr", "/home/user/チェック表.tvr",
                                         "/tmp/line\nbreak\rand\\back\\nslash.tvr",
                                         "/tmp/a=b=c.tvr"),
                         [](const testing::TestParamInfo<std::string>& i) {
                             return std::to_string(i.index);
                         });

struct BrokenSideFile {
    const char* name;
    std::string text;
};

class SideFileBroken : public testing::TestWithParam<BrokenSideFile> {};

TEST_P(SideFileBroken, IsNoEntry) {
    EXPECT_FALSE(CRecoveryStore::ParseInfo(GetParam().text).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, SideFileBroken,
    testing::Values(
        BrokenSideFile{"Empty", ""},
        BrokenSideFile{"OtherHeader", "Something else\nfile=\ntime=1\npid=2\n"},
        BrokenSideFile{"NoPid", "Tavreler recovery copy\nfile=\ntime=1\n"},
        BrokenSideFile{"NoFile", "Tavreler recovery copy\ntime=1\npid=2\n"},
        BrokenSideFile{"TimeNotANumber", "Tavreler recovery copy\nfile=\ntime=1x\npid=2\n"},
        BrokenSideFile{"PidZero", "Tavreler recovery copy\nfile=\ntime=1\npid=0\n"},
        BrokenSideFile{"PidNegative", "Tavreler recovery copy\nfile=\ntime=1\npid=-5\n"},
        BrokenSideFile{"PidHuge",
                       "Tavreler recovery copy\nfile=\ntime=1\npid=99999999999999999999\n"},
        BrokenSideFile{"UnknownEscape", "Tavreler recovery copy\nfile=a\\tb\ntime=1\npid=2\n"},
        BrokenSideFile{"EscapeAtEnd", "Tavreler recovery copy\nfile=a\\\ntime=1\npid=2\n"}),
    [](const testing::TestParamInfo<BrokenSideFile>& i) { return i.param.name; });

// ---- Writing and removing this run's copy --------------------------------------

TEST(RecoveryStore, WriteMakesAPrivateFolderWithCopySideFileAndLock) {
    Scratch s;
    CRecoveryStore store(s.Folder());
    ASSERT_FALSE(store.Write("sheet bytes", "/home/u/a.tvr", 1000).has_value());
    struct stat st {};
    ASSERT_EQ(::stat(s.Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    const std::string id = store.Id();
    EXPECT_EQ(Names(s.Folder()),
              (std::vector<std::string>{id + ".info", id + ".lock", id + ".tvr"}));
    EXPECT_EQ(ReadFile(store.SheetPath(id)), "sheet bytes");
    const auto info = CRecoveryStore::ParseInfo(ReadFile(store.InfoPath(id)));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->m_strOriginal, "/home/u/a.tvr");
    EXPECT_EQ(info->m_nTime, 1000);
    EXPECT_EQ(info->m_nPid, static_cast<long>(::getpid()));

    // A later write replaces both under the same id.
    ASSERT_FALSE(store.Write("newer", "/home/u/b.tvr", 2000).has_value());
    EXPECT_EQ(store.Id(), id);
    EXPECT_EQ(ReadFile(store.SheetPath(id)), "newer");
    EXPECT_EQ(CRecoveryStore::ParseInfo(ReadFile(store.InfoPath(id)))->m_nTime, 2000);
    EXPECT_EQ(Names(s.Folder()).size(), 3u);
}

TEST(RecoveryStore, RemovedCopyLeavesNothingOnceTheRunEnds) {
    Scratch s;
    {
        CRecoveryStore store(s.Folder());
        ASSERT_FALSE(store.Write("x", "", 1).has_value());
        store.Remove();
        EXPECT_FALSE(store.HasCopy());
        EXPECT_EQ(Names(s.Folder()), std::vector<std::string>{store.Id() + ".lock"});
    }
    EXPECT_TRUE(Names(s.Folder()).empty());
}

TEST(RecoveryStore, AFolderThatCannotBeMadeIsAnError) {
    Scratch s;
    const std::string blocker = s.Folder().substr(0, s.Folder().rfind('/'));
    fs::create_directories(fs::path(blocker).parent_path());
    WriteFile(blocker, "a file where the folder should be");
    CRecoveryStore store(s.Folder());
    EXPECT_TRUE(store.Write("x", "", 1).has_value());
    EXPECT_FALSE(store.HasCopy());
}

// ---- Copies of other runs -------------------------------------------------------

TEST(RecoveryStore, ACopyOfARunningEditorIsNeverClaimed) {
    Scratch s;
    CRecoveryStore running(s.Folder());
    ASSERT_FALSE(running.Write("work", "/a.tvr", 1).has_value());
    CRecoveryStore starting(s.Folder());
    EXPECT_TRUE(starting.ClaimLeftCopies().empty());
    EXPECT_EQ(Names(s.Folder()).size(), 3u);
}

TEST(RecoveryStore, ACopyLeftByAnEndedRunIsClaimedOnce) {
    Scratch s;
    std::string id;
    {
        CRecoveryStore ended(s.Folder());
        ASSERT_FALSE(ended.Write("work", "/a.tvr", 7).has_value());
        id = ended.Id();
    }
    CRecoveryStore first(s.Folder());
    const auto left = first.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].m_strId, id);
    EXPECT_EQ(left[0].m_strOriginal, "/a.tvr");
    EXPECT_EQ(left[0].m_nTime, 7);
    // While one start holds it, another does not see it.
    CRecoveryStore second(s.Folder());
    EXPECT_TRUE(second.ClaimLeftCopies().empty());
}

TEST(RecoveryStore, AKilledWriterLosesItsLock) {
    Scratch s;
    const int code = RunInChild([&] {
        CRecoveryStore store(s.Folder());
        if (store.Write("unsaved work", "/home/u/a.tvr", 5))
            return 1;
        ::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(code, -SIGKILL);
    CRecoveryStore next(s.Folder());
    const auto left = next.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(ReadFile(next.SheetPath(left[0].m_strId)), "unsaved work");
    EXPECT_NE(left[0].m_nPid, static_cast<long>(::getpid()));
}

TEST(RecoveryStore, LeftCopiesComeNewestFirst) {
    Scratch s;
    for (std::int64_t t : {20, 30, 10}) {
        CRecoveryStore ended(s.Folder());
        ASSERT_FALSE(ended.Write("t" + std::to_string(t), "", t).has_value());
    }
    CRecoveryStore store(s.Folder());
    const auto left = store.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].m_nTime, 30);
    EXPECT_EQ(left[1].m_nTime, 20);
    EXPECT_EQ(left[2].m_nTime, 10);
    EXPECT_EQ(ReadFile(store.SheetPath(left[0].m_strId)), "t30");
}

struct Answer {
    const char* name;
    void (CRecoveryStore::*act)(const CRecoveryEntry&);
    bool keptForNextStart;
};

class RecoveryAnswer : public testing::TestWithParam<Answer> {};

TEST_P(RecoveryAnswer, KeepsOrDropsTheCopy) {
    Scratch s;
    {
        CRecoveryStore ended(s.Folder());
        ASSERT_FALSE(ended.Write("work", "/a.tvr", 1).has_value());
    }
    {
        CRecoveryStore store(s.Folder());
        const auto left = store.ClaimLeftCopies();
        ASSERT_EQ(left.size(), 1u);
        (store.*GetParam().act)(left[0]);
    }
    CRecoveryStore next(s.Folder());
    EXPECT_EQ(next.ClaimLeftCopies().size(), GetParam().keptForNextStart ? 1u : 0u);
    if (!GetParam().keptForNextStart) {
        EXPECT_TRUE(Names(s.Folder()).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryAnswer,
                         testing::Values(Answer{"Discard", &CRecoveryStore::Discard, false},
                                         Answer{"Later", &CRecoveryStore::Release, true},
                                         // The run that adopted it ended with the copy still there.
                                         Answer{"AdoptedAndNotSaved", &CRecoveryStore::Adopt,
                                                true}),
                         [](const testing::TestParamInfo<Answer>& i) { return i.param.name; });

TEST(RecoveryStore, AnAdoptedCopyBelongsToThisRun) {
    Scratch s;
    {
        CRecoveryStore ended(s.Folder());
        ASSERT_FALSE(ended.Write("old work", "/a.tvr", 1).has_value());
    }
    CRecoveryStore store(s.Folder());
    const auto left = store.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 1u);
    store.Adopt(left[0]);
    EXPECT_EQ(store.Id(), left[0].m_strId);
    EXPECT_TRUE(store.HasCopy());
    EXPECT_EQ(CRecoveryStore::ParseInfo(ReadFile(store.InfoPath(store.Id())))->m_nPid,
              static_cast<long>(::getpid()));
    // Another editor starting now leaves it alone; this run's next write replaces it.
    CRecoveryStore other(s.Folder());
    EXPECT_TRUE(other.ClaimLeftCopies().empty());
    ASSERT_FALSE(store.Write("new work", "/a.tvr", 2).has_value());
    EXPECT_EQ(ReadFile(store.SheetPath(left[0].m_strId)), "new work");
    store.Remove();
    EXPECT_EQ(Names(s.Folder()), std::vector<std::string>{store.Id() + ".lock"});
}

TEST(RecoveryStore, HalfWrittenAndForeignFilesAreHandledSafely) {
    Scratch s;
    CRecoveryStore maker(s.Folder()); // makes the folder
    ASSERT_FALSE(maker.Write("x", "", 1).has_value());
    maker.Remove();
    const std::string dir = s.Folder() + "/";
    // A side file whose copy never came: cleared away.
    WriteFile(dir + "gone.info", CRecoveryStore::FormatInfo({"", "/a.tvr", 1, 999999}));
    // A lock file of a copy that is gone: cleared away.
    WriteFile(dir + "stale.lock", "");
    // A side file that is not ours, with a sheet: left alone, not offered.
    WriteFile(dir + "foreign.info", "not a side file");
    WriteFile(dir + "foreign.tvr", "bytes");
    CRecoveryStore store(s.Folder());
    EXPECT_TRUE(store.ClaimLeftCopies().empty());
    EXPECT_EQ(Names(s.Folder()), (std::vector<std::string>{maker.Id() + ".lock", "foreign.info",
                                                           "foreign.lock", "foreign.tvr"}));
}

// ---- What the document tells its listener ---------------------------------------

TEST(DocumentChanges, EveryChangeAndEveryFlagChangeIsHeard) {
    Scratch s;
    CSheetDocument doc;
    int heard = 0;
    doc.SetChangeListener([&] { ++heard; });
    const auto start = doc.ChangeCount();

    doc.SaveUndo();
    doc.m_Sheet.AddLine(std::string("r"));
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.ChangeCount(), start + 1);
    doc.Undo();
    EXPECT_EQ(doc.ChangeCount(), start + 2);
    doc.Redo();
    EXPECT_EQ(doc.ChangeCount(), start + 3);
    EXPECT_EQ(heard, 3);
    // Undo with nothing to undo changes nothing.
    CSheetDocument fresh;
    fresh.Undo();
    EXPECT_EQ(fresh.ChangeCount(), 0u);

    fs::create_directories(s.Folder());
    const std::string path = s.Folder() + "/a.tvr";
    ASSERT_FALSE(doc.Save(path).has_value());
    EXPECT_EQ(heard, 4);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_FALSE(doc.Open(path).has_value());
    EXPECT_EQ(heard, 5);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(heard, 6);
    EXPECT_EQ(doc.ChangeCount(), start + 3); // clearing the flag is no change of the sheet
}

} // namespace
