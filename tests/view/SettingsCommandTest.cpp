// The view's settings command with the real dialog: what goes into the
// sheet and the settings on OK, what undo brings back, and the grid drawn
// again in the new row height and colours.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "CmdTestSheet.h"
#include "ViewTestUtil.h"
#include "dialogs/ModalDriver.h"
#include "dialogs/SetDlg.h"
#include "fw/Profile.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "res/CommandIds.h"
#include "view/SettingsCommand.h"
#include "ScriptedAnswers.h"

namespace {

// The settings dialog's controls while it is open.
struct SetDlgControls {
    CSetDlg* dlg;
    QLineEdit* Box(int id) const {
        return dlg->findChild<QLineEdit*>(QStringLiteral("idc%1").arg(id));
    }
    QComboBox* Marks() const { return dlg->findChild<QComboBox*>("idc1004"); }
    QCheckBox* OpenLast() const { return dlg->findChild<QCheckBox*>("idc1020"); }
    CColorBtn* Color(int id) const {
        return dlg->findChild<CColorBtn*>(QStringLiteral("idc%1").arg(id));
    }
    void Press(const char* name) const {
        QTest::mouseClick(dlg->findChild<QPushButton*>(name), Qt::LeftButton);
    }
};

// Runs drive on the settings dialog the command opens.
void DriveSettings(std::function<void(const SetDlgControls&)> drive) {
    DriveActiveModal([drive](QWidget* w) {
        auto* dlg = qobject_cast<CSetDlg*>(w);
        ASSERT_NE(dlg, nullptr);
        drive(SetDlgControls{dlg});
    });
}

class CCountingHost : public CTestViewHost {
public:
    void CalcMetricsAndLayout() override { ++m_nMeasures; }
    int m_nMeasures = 0;
};

class SettingsCmdTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetProfile(&m_profile);
        CSheetFile& s = S();
        s.SetLook(LoadDisplaySettings(m_profile));
        s.m_nColumnWidth = 10;
        s.m_nLineNameWidth = 10;
        s.m_nCsvMark = 0;
        s.m_dLineHeightRate = 1.5;
        s.AddColumn("c", 1);
        s.AddLine("r");
    }
    void TearDown() override { AfxSetProfile(nullptr); }
    CSheetFile& S() { return m_host.m_doc.m_Sheet; }
    CSheetDocument& Doc() { return m_host.m_doc; }

    CScriptedAnswers m_ui;
    CMemoryProfile m_profile;
    CCountingHost m_host;
    CSettingsCommand m_cmd{&m_host};
};

TEST_F(SettingsCmdTest, EnabledAlwaysAndOnlyForItsCommand) {
    CCmdUI ui;
    ui.m_nID = ID_VIEW_SETTINGS;
    ui.m_bEnabled = false;
    EXPECT_TRUE(m_cmd.OnUpdateCmdUI(ui));
    EXPECT_TRUE(ui.m_bEnabled);
    ui.m_nID = ID_VIEW_LINE_LINK;
    EXPECT_FALSE(m_cmd.OnUpdateCmdUI(ui));
    EXPECT_FALSE(m_cmd.OnCmdMsg(ID_VIEW_LINE_LINK));
}

TEST_F(SettingsCmdTest, DialogShowsTheSheetAndTheReopenSwitch) {
    S().m_nColumnWidth = 7;
    S().m_nLineNameWidth = 21;
    S().m_nCsvMark = 1;
    S().m_dLineHeightRate = 2.75;
    m_profile.WriteProfileInt("System", "InitFile", 0);
    bool driven = false;
    DriveSettings([&](const SetDlgControls& c) {
        driven = true;
        EXPECT_EQ(c.Box(1002)->text(), QStringLiteral("7"));
        EXPECT_EQ(c.Box(1001)->text(), QStringLiteral("21"));
        EXPECT_EQ(c.Box(1003)->text(), QStringLiteral("2.75"));
        EXPECT_EQ(c.Marks()->currentIndex(), 1);
        EXPECT_FALSE(c.OpenLast()->isChecked());
        c.Press("idcancel");
    });
    EXPECT_TRUE(m_cmd.OnCmdMsg(ID_VIEW_SETTINGS));
    EXPECT_TRUE(driven);
    // Cancel changes nothing and stores nothing.
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(S().m_nLineNameWidth, 21);
    EXPECT_FALSE(m_profile.Has("Tavrel", "LineHeight"));
    EXPECT_EQ(m_profile.GetProfileInt("System", "InitFile", -1), 0);
    EXPECT_EQ(m_host.m_nMeasures, 0);
    EXPECT_EQ(m_host.m_nViewUpdates, 0);
}

TEST_F(SettingsCmdTest, OkPutsTheValuesIntoSheetAndSettingsAndUndoBringsTheSheetsBack) {
    DriveSettings([&](const SetDlgControls& c) {
        c.Box(1002)->setText(QStringLiteral("8"));
        c.Box(1001)->setText(QStringLiteral("15"));
        c.Box(1003)->setText(QStringLiteral("2.5"));
        c.Marks()->setCurrentIndex(1);
        QTest::mouseClick(c.OpenLast(), Qt::LeftButton);
        c.Color(1015)->m_color = RGB(10, 20, 30);
        c.Press("idok");
    });
    m_cmd.OnCmdMsg(ID_VIEW_SETTINGS);
    EXPECT_EQ(S().m_nColumnWidth, 8);
    EXPECT_EQ(S().m_nLineNameWidth, 15);
    EXPECT_EQ(S().m_nCsvMark, 1);
    EXPECT_EQ(S().m_dLineHeightRate, 2.5);
    EXPECT_EQ(m_profile.GetProfileString("Tavrel", "LineHeight", ""), "2.5");
    EXPECT_EQ(m_profile.GetProfileInt("System", "InitFile", -1), 0);
    EXPECT_EQ(S().Look().BackColor, RGB(10, 20, 30));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(m_host.m_nMeasures, 1);
    EXPECT_EQ(m_host.m_nViewUpdates, 1);
    EXPECT_EQ(m_host.m_nScrollUpdates, 0);
    // A sheet made now starts with the new factor.
    EXPECT_EQ(CSheetFile().m_dLineHeightRate, 2.5);

    ASSERT_TRUE(Doc().CanUndo());
    Doc().Undo();
    EXPECT_EQ(S().m_nColumnWidth, 10);
    EXPECT_EQ(S().m_nLineNameWidth, 10);
    EXPECT_EQ(S().m_nCsvMark, 0);
    EXPECT_EQ(S().m_dLineHeightRate, 1.5);
    EXPECT_EQ(S().GetSize(), 1);
    // The colours and the reopen switch are not the sheet's.
    EXPECT_EQ(S().Look().BackColor, RGB(10, 20, 30));
    EXPECT_EQ(m_profile.GetProfileInt("Tavrel", "BackColor", -1), int(RGB(10, 20, 30)));
    EXPECT_EQ(m_profile.GetProfileInt("System", "InitFile", -1), 0);
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(SettingsCmdTest, OkWithoutChangesStillRecordsStoresAndMarks) {
    DriveSettings([&](const SetDlgControls& c) { c.Press("idok"); });
    m_cmd.OnCmdMsg(ID_VIEW_SETTINGS);
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(m_profile.GetProfileString("Tavrel", "LineHeight", ""), "1.5");
    EXPECT_TRUE(m_profile.Has("System", "InitFile"));
    EXPECT_EQ(m_profile.GetProfileInt("System", "InitFile", -1), 1);
    EXPECT_EQ(S().m_nColumnWidth, 10);
    EXPECT_EQ(m_host.m_nMeasures, 1);
}

TEST_F(SettingsCmdTest, BadNumberThenCancelKeepsTheSheetButTheColourStays) {
    DriveSettings([&](const SetDlgControls& c) {
        c.Color(1011)->m_color = RGB(200, 0, 0);
        c.Box(1001)->setText(QStringLiteral("-1"));
        c.Press("idok");
        EXPECT_TRUE(c.dlg->isVisible());
        c.Press("idcancel");
    });
    m_cmd.OnCmdMsg(ID_VIEW_SETTINGS);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, "正の整数を入力してください。");
    EXPECT_FALSE(Doc().CanUndo());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(S().m_nLineNameWidth, 10);
    EXPECT_EQ(S().Look().WakuColor, RGB(200, 0, 0));
    EXPECT_EQ(m_profile.GetProfileInt("Tavrel", "WakuColor", -1), int(RGB(200, 0, 0)));
}

// Through the real view: the grid is measured and drawn anew, the scroll bars stay.
TEST(SettingsCmdView, GridIsDrawnInTheNewRowHeightWidthAndColours) {
    CScriptedAnswers ui;
    ViewFixture f(30, 20);
    f.view->CalcMetricsAndLayout();
    CSheetFile& s = f.Sheet();
    const int avgWidth = s.LineNameWidthPx() / s.m_nLineNameWidth;
    const int charHeight = static_cast<int>(s.m_nLineHeight / s.m_dLineHeightRate);
    const int vMax = f.view->VScrollBar()->maximum(), hMax = f.view->HScrollBar()->maximum();
    f.view->VScrollBar()->setValue(2);
    s.SetTopLine(2);
    const int updates = f.doc->m_nViewUpdates;

    DriveSettings([&](const SetDlgControls& c) {
        c.Box(1001)->setText(QStringLiteral("15"));
        c.Box(1003)->setText(QStringLiteral("3"));
        c.Color(1011)->m_color = RGB(0, 160, 0);
        c.Press("idok");
    });
    EXPECT_TRUE(f.view->OnCmdMsg(ID_VIEW_SETTINGS));

    EXPECT_EQ(s.LineNameWidthPx(), 15 * avgWidth);
    EXPECT_NEAR(s.m_nLineHeight, 3 * charHeight, 3);
    EXPECT_EQ(f.view->VScrollBar()->maximum(), vMax);
    EXPECT_EQ(f.view->HScrollBar()->maximum(), hMax);
    EXPECT_EQ(f.view->VScrollBar()->value(), 2);
    EXPECT_EQ(f.doc->m_nViewUpdates, updates + 1);
    EXPECT_TRUE(f.doc->IsModified());
    const QImage img = f.Render();
    const int x = s.LineNameWidthPx(), y = s.m_nColumnHeight;
    EXPECT_EQ(PixelRef(img, x, y / 2), RGB(0, 160, 0));
    EXPECT_EQ(PixelRef(img, x / 2, y), RGB(0, 160, 0));
    const CRect row = s.GetAt(2)->m_rect;
    EXPECT_EQ(row.top, y);
    EXPECT_EQ(row.Height(), s.m_nLineHeight);
}

} // namespace
