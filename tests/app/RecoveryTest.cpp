// Recovery copies as a user meets them: an editor killed in the middle of
// work (a child process of this test, killed with SIGKILL) is offered at
// the next start, and restoring gives the edited sheet, modified, saved to
// its own file; discard and later; two editors at once; a stop signal
// writes the copy at once; the timer waits for a change and keeps coming
// while changes go on; saving and "いいえ" remove the copy.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/RecoveryGuard.h"
#include "app/StopSignals.h"
#include "document/RecoveryStore.h"
#include "fw/CommandRoute.h"
#include "model/CheckItem.h"
#include "res/CommandIds.h"

namespace {

using Result = CTavrelApp::StartResult;

std::string Bytes(const CSheetFile& sheet) {
    std::ostringstream out;
    WriteSheet(sheet, out);
    return out.str();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The recovery folder under a data home, as the test binary names it.
QString RecoveryFolder(const QString& dataHome) {
    return QDir(dataHome).filePath(QCoreApplication::applicationName() +
                                   QStringLiteral("/recovery"));
}

// The copies (sheet files) in a recovery folder.
QStringList Copies(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.tvr")}, QDir::Files);
}

// The recovery timer's clock, moved on by hand: a wait ends when Advance
// passes its time, so no test sleeps for the timer.
class CManualClock : public CRecoveryClock {
public:
    void Start(int ms, std::function<void()> fire) override {
        m_due = m_now + ms;
        m_fire = std::move(fire);
    }
    void Stop() override { m_fire = nullptr; }
    bool IsActive() const override { return m_fire != nullptr; }
    std::int64_t Now() const override { return 1700000000 + m_now / 1000; }
    // Moves on by ms, firing each wait that falls due on the way.
    void Advance(int ms) {
        const long long end = m_now + ms;
        while (m_fire && m_due <= end) {
            m_now = m_due;
            std::exchange(m_fire, nullptr)();
        }
        m_now = end;
    }

private:
    long long m_now = 0, m_due = 0;
    std::function<void()> m_fire;
};

// The edits the child editor makes: every cell checked, then the first row deleted.
void Edit(AppFixture& f) {
    RunCommand(ID_EDIT_ALL_CHECK); // the question is answered OK
    f.Doc().m_Sheet.m_nCurLine = 0;
    f.Doc().m_Sheet.m_nCurColumn = 0;
    RunCommand(ID_LINE_DELETE);
}

// ---- The child editor ------------------------------------------------------------
//
// This binary started again with TAVRELER_RECOVERY_CHILD set is an editor
// that opens TAVRELER_RECOVERY_SHEET (or makes a new sheet), edits it,
// saves what it holds to TAVRELER_RECOVERY_EXPECT for comparison, says
// READY and then waits: "timer" after its copy was written, to be killed;
// "signal" in the event loop with the program's stop signals, to be asked
// to stop. It runs before any test and never returns to them.

int RunChildEditor(const QByteArray& mode) {
    CManualClock clock;
    AppFixture f;
    AppFixture::UseDataHome(qEnvironmentVariable("TAVRELER_RECOVERY_DATA"));
    f.newFileAnswer = IDOK;
    f.newFileLines = QStringLiteral("aa\r\nbb\r\ncc");
    const QString sheet = qEnvironmentVariable("TAVRELER_RECOVERY_SHEET");
    if (f.Start(sheet.isEmpty() ? QStringList() : QStringList{sheet}) != Result::Run)
        return 3;
    CRecoveryGuard& guard = *f.app->Recovery();
    guard.SetClock(&clock);
    CStopSignals stopSignals;
    QObject::connect(&stopSignals, &CStopSignals::StopRequested,
                     [&f] { f.app->OnStopRequested(); });
    Edit(f);
    if (SaveSheetFile(f.Doc().m_Sheet,
                      qEnvironmentVariable("TAVRELER_RECOVERY_EXPECT").toStdString()))
        return 4;
    if (mode == "timer") {
        clock.Advance(guard.Interval());
        guard.Wait();
        if (guard.WritesDone() == 0)
            return 5;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    // Until killed ("timer") or asked to stop ("signal").
    QApplication::exec();
    // Gone as the program goes after a stop: no questions, no closing.
    f.app.reset();
    return 0;
}

class ChildEditorEnvironment : public testing::Environment {
public:
    void SetUp() override {
        const QByteArray mode = qgetenv("TAVRELER_RECOVERY_CHILD");
        if (!mode.isEmpty())
            std::_Exit(RunChildEditor(mode));
    }
};

[[maybe_unused]] testing::Environment* const g_childEnvironment =
    testing::AddGlobalTestEnvironment(new ChildEditorEnvironment);

// A child editor started by a test, with its own files under one folder.
struct ChildEditor {
    QString dataHome, sheet, expect;
    QProcess process;

    ChildEditor(const QString& dir, const QString& sheetPath) : sheet(sheetPath) {
        dataHome = QDir(dir).filePath(QStringLiteral("data"));
        expect = QDir(dir).filePath(QStringLiteral("expected.tvr"));
    }
    ~ChildEditor() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    // Starts it and waits until it says READY.
    bool Start(const char* mode) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVRELER_RECOVERY_CHILD"), QString::fromLatin1(mode));
        env.insert(QStringLiteral("TAVRELER_RECOVERY_DATA"), dataHome);
        env.insert(QStringLiteral("TAVRELER_RECOVERY_SHEET"), sheet);
        env.insert(QStringLiteral("TAVRELER_RECOVERY_EXPECT"), expect);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Any test selected lets the environment run; it takes over first.
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=RecoveryTimer.*")});
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (!out.contains("READY\n")) {
            if (t.elapsed() > 60000 || process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
        }
        return true;
    }
    void Kill() {
        process.kill(); // SIGKILL
        process.waitForFinished();
    }
    QString Folder() const { return RecoveryFolder(dataHome); }
};

// ---- Killed, then started again --------------------------------------------------

struct KilledCase {
    const char* name;
    bool saved; // the sheet has a file of its own
};

class RecoveryAfterKill : public testing::TestWithParam<KilledCase> {};

TEST_P(RecoveryAfterKill, RestoredSheetIsTheEditedOneModifiedAndSavesToItsFile) {
    QTemporaryDir shared;
    AppFixture f;
    const QString original = QDir(shared.path()).filePath(QStringLiteral("checks.tvr"));
    if (GetParam().saved) {
        CSheetFile sheet;
        BuildNewSheet(sheet, "aa\r\nbb\r\ncc");
        ASSERT_FALSE(SaveSheetFile(sheet, original.toStdString()));
    }
    const QByteArray originalBytes = ReadAll(original);
    ChildEditor child(shared.path(), GetParam().saved ? original : QString());
    ASSERT_TRUE(child.Start("timer"));
    child.Kill();
    ASSERT_EQ(Copies(child.Folder()).size(), 1);
    // The sheet's own file was never touched.
    EXPECT_EQ(ReadAll(original), originalBytes);
    const QString info =
        QDir(child.Folder()).filePath(Copies(child.Folder())[0].replace(".tvr", ".info"));
    const auto entry = CRecoveryStore::ParseInfo(ReadAll(info).toStdString());
    ASSERT_TRUE(entry.has_value());

    AppFixture::UseDataHome(child.dataHome);
    f.ui.QueueAnswer(IDYES);
    ASSERT_EQ(f.Start(), Result::Run);
    ASSERT_FALSE(f.ui.m_shown.empty());
    const std::string question = f.ui.m_shown[0].text;
    EXPECT_EQ(f.ui.m_shown[0].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_NE(question.find("復元用コピー"), std::string::npos) << question;
    EXPECT_NE(
        question.find(GetParam().saved ? original.toStdString() : std::string("名前のないシート")),
        std::string::npos)
        << question;
    const QString time = QDateTime::fromSecsSinceEpoch(entry->m_nTime)
                             .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    EXPECT_NE(question.find(time.toStdString()), std::string::npos) << question;
    // Nothing else opened: no new-file step.
    EXPECT_EQ(f.newFileShown, 0);

    EXPECT_EQ(Bytes(f.Doc().m_Sheet), ReadAll(child.expect).toStdString());
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 2);
    EXPECT_TRUE(f.Doc().IsModified());
    EXPECT_FALSE(f.Doc().CanUndo());
    EXPECT_EQ(f.Doc().GetPathName(), GetParam().saved ? original : QString());
    EXPECT_EQ(f.Frame().windowTitle().startsWith(GetParam().saved ? QStringLiteral("checks.tvr")
                                                                  : QStringLiteral("Sheet1")),
              true)
        << f.Frame().windowTitle().toStdString();
    // The restored sheet is this run's now: another start leaves it alone.
    {
        CRecoveryStore other(RecoveryFolder(child.dataHome).toStdString());
        EXPECT_TRUE(other.ClaimLeftCopies().empty());
    }

    f.fileAnswer = original; // asked only for the sheet never saved
    RunCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadAll(original).toStdString(), ReadAll(child.expect).toStdString());
    EXPECT_EQ(f.fileAsked.size(), GetParam().saved ? 0u : 1u);
    EXPECT_FALSE(f.Doc().IsModified());
    EXPECT_TRUE(Copies(child.Folder()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryAfterKill,
                         testing::Values(KilledCase{"SheetWithAFile", true},
                                         KilledCase{"SheetNeverSaved", false}),
                         [](const testing::TestParamInfo<KilledCase>& i) { return i.param.name; });

TEST(RecoveryAfterKill, TwoEditorsThenLaterThenDiscard) {
    QTemporaryDir shared;
    ChildEditor child(shared.path(), QString());
    ASSERT_TRUE(child.Start("timer"));
    ASSERT_EQ(Copies(child.Folder()).size(), 1);
    {
        // A second editor while the first still runs: nothing is offered or taken.
        AppFixture f;
        AppFixture::UseDataHome(child.dataHome);
        ASSERT_EQ(f.Start(), Result::Run);
        EXPECT_TRUE(f.ui.m_shown.empty());
        EXPECT_EQ(f.newFileShown, 1);
    }
    EXPECT_EQ(Copies(child.Folder()).size(), 1);
    child.Kill();
    {
        // Later: the start goes on as usual and the copy stays.
        AppFixture f;
        AppFixture::UseDataHome(child.dataHome);
        f.ui.QueueAnswer(IDCANCEL);
        ASSERT_EQ(f.Start(), Result::Run);
        EXPECT_EQ(f.ui.m_shown.size(), 1u);
        EXPECT_EQ(f.newFileShown, 1);
        EXPECT_FALSE(f.Doc().IsModified());
    }
    EXPECT_EQ(Copies(child.Folder()).size(), 1);
    {
        // Discard: gone for good.
        AppFixture f;
        AppFixture::UseDataHome(child.dataHome);
        f.ui.QueueAnswer(IDNO);
        ASSERT_EQ(f.Start(), Result::Run);
        EXPECT_EQ(f.ui.m_shown.size(), 1u);
        EXPECT_EQ(f.newFileShown, 1);
    }
    EXPECT_TRUE(QDir(child.Folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    {
        AppFixture f;
        AppFixture::UseDataHome(child.dataHome);
        ASSERT_EQ(f.Start(), Result::Run);
        EXPECT_TRUE(f.ui.m_shown.empty());
    }
}

// ---- Several copies, and one that cannot be read ----------------------------------

// Copies as runs that ended without saving leave them, the newest last.
void LeaveCopies(const QString& data, const std::vector<std::string>& sheets) {
    std::int64_t time = 1000;
    for (const std::string& bytes : sheets) {
        CRecoveryStore ended(RecoveryFolder(data).toStdString());
        ASSERT_FALSE(ended.Write(bytes, "", time++).has_value());
    }
}

std::string SheetWithRows(const std::string& rows) {
    CSheetFile sheet;
    BuildNewSheet(sheet, rows);
    return Bytes(sheet);
}

TEST(RecoveryOffer, NewestFirstAndOneRestoredTheRestKept) {
    AppFixture f;
    const QString data = f.Path("data");
    LeaveCopies(data, {SheetWithRows("oldest"), SheetWithRows("middle"), SheetWithRows("newest")});
    f.ui.QueueAnswer(IDCANCEL); // the newest: later
    f.ui.QueueAnswer(IDYES);    // the middle one: restored
    ASSERT_EQ(f.Start(), Result::Run);
    // The oldest is not asked about: one document at a time.
    EXPECT_EQ(f.ui.m_shown.size(), 2u);
    ASSERT_EQ(f.Doc().m_Sheet.GetSize(), 1);
    EXPECT_EQ(f.Doc().m_Sheet.GetAt(0)->m_strName, "middle");
    CRecoveryStore next(RecoveryFolder(data).toStdString());
    const auto left = next.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].m_nTime, 1002);
    EXPECT_EQ(left[1].m_nTime, 1000);
}

TEST(RecoveryOffer, ACopyThatCannotBeReadIsReportedAndKept) {
    AppFixture f;
    const QString data = f.Path("data");
    LeaveCopies(data, {"not a sheet file"});
    f.ui.QueueAnswer(IDYES);
    ASSERT_EQ(f.Start(), Result::Run);
    ASSERT_EQ(f.ui.m_shown.size(), 2u);
    EXPECT_NE(f.ui.m_shown[1].text.find("予期しないﾌｧｲﾙ形式です。"), std::string::npos)
        << f.ui.m_shown[1].text;
    // The start goes on as if there had been nothing to restore.
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_FALSE(f.Doc().IsModified());
    EXPECT_EQ(Copies(RecoveryFolder(data)).size(), 1);
}

// ---- Asked to stop -------------------------------------------------------------------

class RecoveryOnStop : public testing::TestWithParam<int> {};

TEST_P(RecoveryOnStop, WritesTheCopyAtOnceAndQuits) {
    QTemporaryDir shared;
    ChildEditor child(shared.path(), QString());
    ASSERT_TRUE(child.Start("signal"));
    // The timer is an hour away: no copy yet.
    EXPECT_TRUE(Copies(child.Folder()).isEmpty());
    ::kill(static_cast<pid_t>(child.process.processId()), GetParam());
    ASSERT_TRUE(child.process.waitForFinished(30000));
    EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.process.exitCode(), 0);
    const QStringList copies = Copies(child.Folder());
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadAll(QDir(child.Folder()).filePath(copies[0])), ReadAll(child.expect));
}

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryOnStop, testing::Values(SIGTERM, SIGHUP),
                         [](const testing::TestParamInfo<int>& i) {
                             return std::string(i.param == SIGTERM ? "SIGTERM" : "SIGHUP");
                         });

// ---- The timer, in this process ---------------------------------------------------------

struct TimerFixture {
    CManualClock clock; // outlives the editor that waits on it
    AppFixture f;
    QString sheet;
    CRecoveryGuard* guard = nullptr;

    explicit TimerFixture(int intervalMs) {
        sheet = f.WriteSheet("checks.tvr", "aa\r\nbb\r\ncc");
        f.Start({sheet});
        guard = f.app->Recovery();
        guard->SetInterval(intervalMs);
        guard->SetClock(&clock);
    }
    // The interval passes, and the copy it starts is written.
    void Elapse(int ms) {
        clock.Advance(ms);
        guard->Wait();
    }
    QString Folder() { return RecoveryFolder(f.Path("data")); }
    void Change() {
        f.Doc().SaveUndo();
        f.Doc().m_Sheet.AddLine(std::string("new"));
        f.Doc().SetModifiedFlag(true);
    }
};

TEST(RecoveryTimer, NothingIsWrittenWhileNothingChanged) {
    TimerFixture t(10);
    t.Elapse(150);
    EXPECT_FALSE(t.guard->IsPending());
    EXPECT_EQ(t.guard->WritesDone(), 0);
    EXPECT_FALSE(QDir(t.Folder()).exists());

    // A change: one copy within the interval, holding the sheet as it is.
    const QByteArray sheetBytes = ReadAll(t.sheet);
    const int undoDepth = t.f.Doc().m_Undo.GetSize();
    t.Change();
    EXPECT_TRUE(t.guard->IsPending());
    t.Elapse(9);
    EXPECT_EQ(t.guard->WritesDone(), 0);
    t.Elapse(1);
    ASSERT_EQ(t.guard->WritesDone(), 1);
    const QStringList copies = Copies(t.Folder());
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadAll(QDir(t.Folder()).filePath(copies[0])).toStdString(),
              Bytes(t.f.Doc().m_Sheet));
    // Writing it touched neither the flag, the history nor the sheet's file.
    EXPECT_TRUE(t.f.Doc().IsModified());
    EXPECT_EQ(t.f.Doc().m_Undo.GetSize(), undoDepth + 1);
    EXPECT_EQ(ReadAll(t.sheet), sheetBytes);

    // Quiet again: no more copies.
    t.Elapse(150);
    EXPECT_FALSE(t.guard->IsPending());
    EXPECT_EQ(t.guard->WritesDone(), 1);
}

TEST(RecoveryTimer, ChangesThatGoOnStillGetACopyEveryInterval) {
    TimerFixture t(40);
    // A change every few milliseconds for much longer than the interval: a
    // timer that each change pushed back would never fire.
    for (int ms = 0; ms < 600; ms += 5) {
        t.Change();
        t.Elapse(5);
    }
    EXPECT_EQ(t.guard->WritesDone(), 600 / 40);
}

TEST(RecoveryTimer, UndoOfAnUnsavedChangeIsAChangeToo) {
    TimerFixture t(10);
    t.Change();
    t.Elapse(10);
    ASSERT_EQ(t.guard->WritesDone(), 1);
    t.f.Doc().Undo();
    t.Elapse(10);
    ASSERT_EQ(t.guard->WritesDone(), 2);
    EXPECT_EQ(ReadAll(QDir(t.Folder()).filePath(Copies(t.Folder())[0])).toStdString(),
              Bytes(t.f.Doc().m_Sheet));
}

struct RemovalCase {
    const char* name;
    std::function<void(TimerFixture&)> act;
};

class RecoveryRemoval : public testing::TestWithParam<RemovalCase> {};

TEST_P(RecoveryRemoval, TheCopyGoesWithTheUnsavedChanges) {
    TimerFixture t(10);
    t.Change();
    t.Elapse(10);
    ASSERT_EQ(t.guard->WritesDone(), 1);
    ASSERT_EQ(Copies(t.Folder()).size(), 1);
    GetParam().act(t);
    EXPECT_TRUE(Copies(t.Folder()).isEmpty());
    EXPECT_TRUE(QDir(t.Folder()).entryList({QStringLiteral("*.info")}, QDir::Files).isEmpty());
    // And no copy comes back without a new change.
    t.Elapse(100);
    EXPECT_TRUE(Copies(t.Folder()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, RecoveryRemoval,
    testing::Values(RemovalCase{"Save", [](TimerFixture&) { RunCommand(ID_FILE_SAVE); }},
                    RemovalCase{"NoAtClose",
                                [](TimerFixture& t) {
                                    t.f.ui.QueueAnswer(IDNO);
                                    EXPECT_TRUE(t.f.Close());
                                }},
                    RemovalCase{"NoBeforeANewSheet",
                                [](TimerFixture& t) {
                                    t.f.ui.QueueAnswer(IDNO);
                                    RunCommand(ID_FILE_NEW);
                                }},
                    RemovalCase{"StopAfterNoAtClose",
                                [](TimerFixture& t) {
                                    // Closed with "いいえ", then a signal: nothing to keep.
                                    t.f.ui.QueueAnswer(IDNO);
                                    EXPECT_TRUE(t.f.Close());
                                    t.guard->WriteNow();
                                }}),
    [](const testing::TestParamInfo<RemovalCase>& i) { return i.param.name; });

TEST(RecoveryTimer, CancelAtCloseKeepsTheCopy) {
    TimerFixture t(10);
    t.Change();
    t.Elapse(10);
    ASSERT_EQ(t.guard->WritesDone(), 1);
    t.f.ui.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(t.f.Close());
    EXPECT_EQ(Copies(t.Folder()).size(), 1);
}

// Copies written in the background while the user goes on ticking, undoing
// and redoing: each copy shares its rows with the document, so the document
// must still hold exactly its own cells afterwards, and the copies must be
// whole sheets (a sanitizer build also sees that the worker never changes
// what the two share).
TEST(RecoveryTimer, EditsWhileCopiesAreWrittenLoseNothing) {
    TimerFixture t(2);
    CSheetDocument& doc = t.f.Doc();
    CSheetFile& s = doc.m_Sheet;
    constexpr int kRows = 400;
    for (int j = 0; j < 20; ++j)
        s.AddColumn("c" + std::to_string(j), CELL_CHECK);
    while (s.GetSize() < kRows)
        s.AddLine("r" + std::to_string(s.GetSize()));
    const int kColumns = s.m_Columns.GetSize();
    // The cells as they must be, with a history of its own.
    auto cells = [&] {
        std::vector<int> v;
        for (int i = 0; i < s.GetSize(); ++i)
            for (int j = 0; j < s.GetAt(i)->GetSize(); ++j)
                v.push_back(AsCheckItem(std::as_const(s).GetAt(i)->GetAt(j))->m_bCheck);
        return v;
    };
    std::vector<int> want = cells();
    std::vector<std::vector<int>> undo, redo;
    unsigned seed = 7;
    // The writes run on their own thread while the edits go on: only the
    // timer's clock is moved on by hand, a millisecond every 16 steps.
    for (int step = 1; step <= 4000 || t.guard->WritesDone() < 3; ++step) {
        ASSERT_LT(step, 100000);
        seed = seed * 1103515245u + 12345u;
        const unsigned r = seed >> 8;
        if (r % 8 == 0 && !undo.empty() && doc.m_Undo.CanUndo()) {
            doc.Undo();
            redo.push_back(want);
            want = undo.back();
            undo.pop_back();
        } else if (r % 8 == 1 && !redo.empty() && doc.m_Undo.CanRedo()) {
            doc.Redo();
            undo.push_back(want);
            want = redo.back();
            redo.pop_back();
        } else {
            doc.SaveUndo();
            undo.push_back(want);
            if (undo.size() > 99) // the history keeps 100 steps
                undo.erase(undo.begin());
            redo.clear();
            s.m_nCurLine = static_cast<int>(r / 8 % kRows);
            s.m_nCurColumn = static_cast<int>(r / 8 / kRows % kColumns);
            s.ToggleCur(nullptr);
            want[static_cast<std::size_t>(s.m_nCurLine * kColumns + s.m_nCurColumn)] ^= 1;
        }
        doc.SetModifiedFlag(true);
        if (step % 16 == 0)
            t.clock.Advance(1);
    }
    t.guard->Wait();
    EXPECT_EQ(cells(), want);
    t.guard->WriteNow();
    const QStringList copies = Copies(t.Folder());
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadAll(QDir(t.Folder()).filePath(copies[0])).toStdString(), Bytes(s));
}

TEST(RecoveryTimer, WriteNowWritesOnlyWhatIsNotWrittenYet) {
    TimerFixture t(3600 * 1000);
    t.guard->WriteNow(); // nothing unsaved
    EXPECT_EQ(t.guard->WritesDone(), 0);
    t.Change();
    t.guard->WriteNow();
    EXPECT_EQ(t.guard->WritesDone(), 1);
    EXPECT_FALSE(t.guard->IsPending());
    EXPECT_EQ(Copies(t.Folder()).size(), 1);
    t.guard->WriteNow(); // the copy holds it already
    EXPECT_EQ(t.guard->WritesDone(), 1);
}

} // namespace
