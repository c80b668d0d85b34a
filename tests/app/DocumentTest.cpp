// The save question before the sheet is replaced or the program closes, and
// the document's file commands.
#include <QFileInfo>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "fw/CommandRoute.h"
#include "res/CommandTable.h"
#include "view/CommandActions.h"
#include "model/LineData.h"

namespace {

struct Running : AppFixture {
    Running() {
        newFileAnswer = IDOK;
        newFileLines = QStringLiteral("a\r\nb");
        EXPECT_EQ(Start(), CTavrelApp::StartResult::Run);
        ui.m_shown.clear();
    }
    // The sheet changed as an editing command changes it.
    void Edit() {
        Doc().SaveUndo();
        Doc().m_Sheet.AddLine("new");
        Doc().SetModifiedFlag(true);
    }
};

TEST(SaveQuestion, NoQuestionWhenNothingChanged) {
    Running f;
    EXPECT_TRUE(RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(f.ui.m_shown.empty());
    EXPECT_EQ(f.newFileShown, 2);
}

TEST(SaveQuestion, CancelKeepsTheSheet) {
    Running f;
    f.Edit();
    f.ui.QueueAnswer(IDCANCEL);
    RunCommand(ID_FILE_NEW);
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, "Sheet1 への変更を保存しますか?");
    EXPECT_EQ(f.ui.m_shown[0].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 3);
    EXPECT_TRUE(f.Doc().IsModified());
    EXPECT_TRUE(f.Doc().CanUndo());
}

TEST(SaveQuestion, NoDiscardsTheChanges) {
    Running f;
    f.Edit();
    f.ui.QueueAnswer(IDNO);
    f.newFileLines = QStringLiteral("z");
    RunCommand(ID_FILE_NEW);
    EXPECT_EQ(f.newFileShown, 2);
    ASSERT_EQ(f.Doc().m_Sheet.GetSize(), 1);
    EXPECT_FALSE(f.Doc().IsModified());
    // The new sheet starts without the old sheet's history.
    EXPECT_FALSE(f.Doc().CanUndo());
    EXPECT_TRUE(f.fileAsked.empty());
}

TEST(SaveQuestion, YesWithoutAFileAsksForANameAndSaves) {
    Running f;
    f.Edit();
    f.ui.QueueAnswer(IDYES);
    f.fileAnswer = f.Path("saved.tvr");
    RunCommand(ID_FILE_NEW);
    ASSERT_EQ(f.fileAsked.size(), 1u);
    EXPECT_FALSE(f.fileAsked[0].bOpen);
    EXPECT_EQ(f.fileAsked[0].defExt, QStringLiteral("tvr"));
    EXPECT_TRUE(f.fileAsked[0].filter.startsWith(QStringLiteral("ﾁｪｯｸｼｰﾄ(*.tvr)|*.tvr|")));
    CSheetFile back;
    ASSERT_FALSE(ReadSheetFile(back, f.Path("saved.tvr").toStdString()).has_value());
    EXPECT_EQ(back.GetSize(), 3);
    EXPECT_EQ(f.newFileShown, 2);
    EXPECT_EQ(f.Recent(1), f.Path("saved.tvr").toStdString());
}

TEST(SaveQuestion, YesButSaveAsCancelledKeepsTheSheet) {
    Running f;
    f.Edit();
    f.ui.QueueAnswer(IDYES);
    f.fileAnswer.reset();
    RunCommand(ID_FILE_NEW);
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 3);
}

TEST(SaveQuestion, ClosingAsksAndCancelKeepsTheWindowOpen) {
    Running f;
    f.Edit();
    f.ui.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(f.Frame().close());
    EXPECT_TRUE(f.Frame().isVisible());
    f.ui.QueueAnswer(IDNO);
    EXPECT_TRUE(f.Frame().close());
}

TEST(DocumentFiles, SaveWritesTheFileAndClearsTheFlagAndTitleFollows) {
    Running f;
    f.Edit();
    f.fileAnswer = f.Path("s.tvr");
    RunCommand(ID_FILE_SAVE);
    EXPECT_FALSE(f.Doc().IsModified());
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("s.tvr - Tavreler"));
    // A second save goes to the same file without asking.
    f.Edit();
    RunCommand(ID_FILE_SAVE);
    EXPECT_EQ(f.fileAsked.size(), 1u);
    CSheetFile back;
    ASSERT_FALSE(ReadSheetFile(back, f.Path("s.tvr").toStdString()).has_value());
    EXPECT_EQ(back.GetSize(), 4);
}

TEST(DocumentFiles, FailedSaveReportsAndKeepsTheFlag) {
    Running f;
    f.Edit();
    f.fileAnswer = f.Path("no/such/dir/s.tvr");
    RunCommand(ID_FILE_SAVE_AS);
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_TRUE(f.Doc().IsModified());
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("Sheet1 - Tavreler"));
}

TEST(DocumentFiles, OpenReplacesTheSheetAndEmptiesTheHistory) {
    Running f;
    const QString path = f.WriteSheet("o.tvr", "p\r\nq\r\nr\r\ns");
    f.Doc().SaveUndo();
    f.fileAnswer = path;
    RunCommand(ID_FILE_OPEN);
    ASSERT_EQ(f.fileAsked.size(), 1u);
    EXPECT_TRUE(f.fileAsked[0].bOpen);
    EXPECT_EQ(f.Doc().m_Sheet.GetSize(), 4);
    EXPECT_FALSE(f.Doc().CanUndo());
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("o.tvr - Tavreler"));
}

TEST(DocumentFiles, FailedOpenLeavesANewSheet) {
    Running f;
    f.fileAnswer = f.WriteBytes("bad.tvr", QByteArray("garbage garbage"));
    RunCommand(ID_FILE_OPEN);
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, "予期しないﾌｧｲﾙ形式です。");
    EXPECT_EQ(f.newFileShown, 2);
    EXPECT_EQ(f.Frame().windowTitle(), QStringLiteral("Sheet1 - Tavreler"));
    EXPECT_FALSE(f.Doc().IsModified());
}

TEST(DocumentFiles, RecentEntryThatFailsIsDropped) {
    Running f;
    const QString good = f.WriteSheet("g.tvr", "g");
    const QString bad = f.WriteBytes("b.tvr", QByteArray("xx"));
    f.app->RecentFiles().Add(good);
    f.app->RecentFiles().Add(bad);
    RunCommand(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(f.Doc().GetPathName(), good);
    EXPECT_EQ(f.app->RecentFiles()[0], good);
    RunCommand(ID_FILE_MRU_FILE1 + 1); // now the bad one
    EXPECT_EQ(f.app->RecentFiles().GetSize(), 1);
    EXPECT_FALSE(UpdateCommand(ID_FILE_MRU_FILE1 + 1).m_bEnabled);
}

} // namespace

namespace {

// A CSV that asks for ten billion cells, imported through the menu command:
// refused with the message before anything is built, the sheet, its history
// and the modified flag as they were, and the editor goes on.
TEST(CsvImportTooLarge, RefusedWithTheMessageAndTheSheetUnchanged) {
    Running f;
    f.Edit();
    const QString path = f.Path("wide.csv");
    {
        QFile csv(path);
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write(QByteArray(1000000, ',') + "\n");
        for (int i = 0; i < 10000; ++i)
            csv.write("r\n");
    }
    f.fileAnswer = path;
    EXPECT_TRUE(RunCommand(ID_CSV_IMPORT));
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, "データが大きすぎるため読み込めません。\nセル数：10002999997");
    EXPECT_EQ(f.ui.m_shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
    CSheetDocument& doc = f.Doc();
    EXPECT_EQ(doc.m_Sheet.GetSize(), 3);
    EXPECT_EQ(doc.m_Sheet.m_Columns.GetSize(), 1);
    EXPECT_TRUE(doc.IsModified());
    // The import's own snapshot is gone: one undo goes back past the edit.
    EXPECT_TRUE(RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(doc.m_Sheet.GetSize(), 2);
    EXPECT_FALSE(doc.CanUndo());
}

} // namespace
