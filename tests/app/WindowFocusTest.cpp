// The keyboard after a window closes, as a user meets it without a window
// manager to hand it back: the grid takes keys right after the start-up
// recovery question, and the settings dialog takes typing again after its
// colour palette closes. Real message boxes and dialogs, real key events
// through the windows.
#include <functional>

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/RecoveryGuard.h"
#include "dialogs/ColorBtn.h"
#include "dialogs/ColorBtnDlg.h"
#include "dialogs/SetDlg.h"
#include "document/RecoveryStore.h"
#include "fw/CommandRoute.h"
#include "res/CommandIds.h"
#include "qt/QtUserInterface.h"

namespace {

template <class T> bool Is(QWidget* w) {
    return dynamic_cast<T*>(w) != nullptr;
}

TEST(KeyboardAfterStartQuestion, EnterRestoresAndTheGridTakesTheNextKeys) {
    AppFixture f;
    CQtUserInterface real;
    CUiScope realUi(real);
    {
        // A run that ended with unsaved changes left this copy.
        CSheetFile sheet;
        BuildNewSheet(sheet, "one\r\ntwo");
        std::ostringstream bytes;
        WriteSheet(sheet, bytes);
        const QString folder =
            QDir(f.Path("data"))
                .filePath(QCoreApplication::applicationName() + QStringLiteral("/recovery"));
        CRecoveryStore ended(folder.toStdString());
        ASSERT_FALSE(ended.Write(bytes.str(), "", 1000).has_value());
    }
    bool asked = false;
    WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
              [&asked](QWidget*) { asked = Type(Qt::Key_Return); });
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    ASSERT_TRUE(asked);
    CSheetFile& sheet = f.Doc().m_Sheet;
    ASSERT_EQ(sheet.GetSize(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.Frame()));
    EXPECT_TRUE(Type(Qt::Key_Down));
    EXPECT_TRUE(Type(Qt::Key_Right));
    EXPECT_EQ(sheet.m_nCurLine, 0);
    EXPECT_EQ(sheet.m_nCurColumn, 0);
    const bool couldUndo = f.Doc().CanUndo();
    EXPECT_TRUE(Type(Qt::Key_Space));
    EXPECT_TRUE(f.Doc().CanUndo() && !couldUndo);
}

TEST(KeyboardAfterPalette, SettingsTakeTypingAgainWhenThePaletteCloses) {
    AppFixture f;
    f.newFileAnswer = IDOK;
    f.newFileLines = "one";
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    CQtUserInterface real;
    CUiScope realUi(real);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.Frame()));
    bool paletteClosed = false;
    bool settingsTookEsc = false;
    WhenModal(Is<CSetDlg>, [&](QWidget* settings) {
        WhenModal(Is<CColorBtnDlg>, [&](QWidget*) { paletteClosed = Type(Qt::Key_Escape); });
        QTest::mouseClick(settings->findChild<QWidget*>(QStringLiteral("idc1011")), Qt::LeftButton);
        // The palette is gone; the next key is the user's answer to the settings.
        QTest::qWait(20);
        settingsTookEsc = Type(Qt::Key_Escape) && !settings->isVisible();
    });
    const int before = f.Doc().CanUndo();
    RunCommand(ID_VIEW_SETTINGS);
    EXPECT_TRUE(paletteClosed);
    EXPECT_TRUE(settingsTookEsc);
    // Esc cancelled the settings: nothing recorded.
    EXPECT_EQ(f.Doc().CanUndo(), before);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
