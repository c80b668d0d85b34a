// The settings command in the running editor, and what the next start does
// with the reopen switch it stores.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "dialogs/ModalDriver.h"
#include "dialogs/SetDlg.h"
#include "fw/CommandRoute.h"
#include "res/CommandIds.h"

namespace {

using Result = CTavrelApp::StartResult;

TEST(SettingsStartup, ReopenSwitchTurnedOffMakesTheNextStartAskForRows) {
    AppFixture f;
    const QString path = f.WriteSheet("last.tvr", "one\r\ntwo");
    f.profile.WriteProfileString("Recent File List", "File1", path.toStdString());
    ASSERT_EQ(f.Start(), Result::Run);
    ASSERT_EQ(f.newFileShown, 0); // the last file came back

    bool driven = false;
    DriveActiveModal([&](QWidget* w) {
        auto* dlg = qobject_cast<CSetDlg*>(w);
        ASSERT_NE(dlg, nullptr);
        driven = true;
        // Over the main window.
        EXPECT_EQ(dlg->parentWidget(), &f.Frame());
        auto* openLast = dlg->findChild<QCheckBox*>("idc1020");
        EXPECT_TRUE(openLast->isChecked());
        QTest::mouseClick(openLast, Qt::LeftButton);
        QTest::mouseClick(dlg->findChild<QPushButton*>("idok"), Qt::LeftButton);
    });
    ASSERT_TRUE(UpdateCommand(ID_VIEW_SETTINGS).m_bEnabled);
    EXPECT_TRUE(RunCommand(ID_VIEW_SETTINGS));
    EXPECT_TRUE(driven);
    EXPECT_EQ(f.profile.GetProfileInt("System", "InitFile", -1), 0);
    EXPECT_TRUE(f.Doc().IsModified());

    f.Doc().SetModifiedFlag(false);
    f.Stop();
    ASSERT_EQ(f.Start(), Result::Run);
    EXPECT_EQ(f.newFileShown, 1);
    EXPECT_TRUE(f.Doc().GetPathName().isEmpty());
}

} // namespace
