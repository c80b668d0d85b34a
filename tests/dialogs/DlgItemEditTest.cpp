// The row and the column dialog, driven for real with QTest.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "DlgTestUtil.h"
#include "dialogs/ColumnEditDlg.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/FileChooser.h"
#include "dialogs/LineEditDlg.h"
#include "fw/UserInterface.h"
#include "ScriptedAnswers.h"

namespace {

struct Kind {
    const char* name;
    std::function<std::unique_ptr<CItemEditDlg>(QWidget*)> make;
    const char* caption;
    int width, height, nameWidth;
    bool centred;
};

const Kind kKinds[] = {
    {"Row", [](QWidget* p) { return std::make_unique<CLineEditDlg>(p); }, "行", 187, 173, 118,
     true},
    {"Column", [](QWidget* p) { return std::make_unique<CColumnEditDlg>(p); }, "列", 187, 174, 116,
     false},
};

class ItemEditDlgTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        m_owner.setGeometry(100, 100, 800, 600);
        m_dlg = GetParam().make(&m_owner);
    }
    QLineEdit* Name() { return m_dlg->findChild<QLineEdit*>("idc1000"); }
    QPlainTextEdit* Detail() { return m_dlg->findChild<QPlainTextEdit*>("idc1001"); }
    QLineEdit* Link() { return m_dlg->findChild<QLineEdit*>("idc1003"); }
    QPushButton* Button(const char* name) { return m_dlg->findChild<QPushButton*>(name); }

    CScriptedAnswers m_ui;
    QWidget m_owner;
    std::unique_ptr<CItemEditDlg> m_dlg;
};

TEST_P(ItemEditDlgTest, TemplateCaptionAndSizeInDialogUnits) {
    CDialogUnits du(m_dlg->font());
    EXPECT_EQ(m_dlg->windowTitle(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(m_dlg->size(), du.Size(GetParam().width, GetParam().height));
    ASSERT_NE(Name(), nullptr);
    EXPECT_EQ(Name()->width(), du.X(GetParam().nameWidth));
    ASSERT_NE(Detail(), nullptr);
    ASSERT_NE(Link(), nullptr);
    ASSERT_NE(Button("idc1013"), nullptr);
    EXPECT_EQ(Button("idc1013")->text(), QStringLiteral("..."));
    EXPECT_EQ(Button("idcancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(Button("idok")->isDefault());
}

TEST_P(ItemEditDlgTest, EnterInDetailBreaksLineEnterInNamePressesOk) {
    DriveNextModal(*m_dlg, [&] {
        QTest::keyClicks(Name(), "abc");
        QTest::keyClicks(Detail(), "x");
        QTest::keyClick(Detail(), Qt::Key_Return);
        QTest::keyClicks(Detail(), "y");
        EXPECT_TRUE(m_dlg->isVisible());
        QTest::keyClick(Name(), Qt::Key_Return);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_EQ(m_dlg->m_strName, "abc");
    EXPECT_EQ(m_dlg->m_strDetail, "x\r\ny");
    EXPECT_EQ(m_dlg->m_strLinkFile, "");
}

TEST_P(ItemEditDlgTest, EnterInLinkBoxPressesOkAndReturnsPathAsTyped) {
    DriveNextModal(*m_dlg, [&] {
        QTest::keyClicks(Link(), "/no/such/file.txt");
        QTest::keyClick(Link(), Qt::Key_Enter);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_EQ(m_dlg->m_strLinkFile, "/no/such/file.txt");
}

TEST_P(ItemEditDlgTest, OkWithEveryBoxEmptyGivesThreeEmptyTexts) {
    m_dlg->m_strName = "before";
    DriveNextModal(*m_dlg, [&] {
        Name()->clear();
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_EQ(m_dlg->m_strName, "");
    EXPECT_EQ(m_dlg->m_strDetail, "");
    EXPECT_EQ(m_dlg->m_strLinkFile, "");
}

TEST_P(ItemEditDlgTest, EscapeAndCancelLeaveMembersAsTheyWere) {
    for (auto key : {0, 1}) {
        m_dlg->m_strName = "keep";
        DriveNextModal(*m_dlg, [&, key] {
            QTest::keyClicks(Name(), "zzz");
            if (key)
                QTest::keyClick(Name(), Qt::Key_Escape);
            else
                QTest::mouseClick(Button("idcancel"), Qt::LeftButton);
        });
        EXPECT_EQ(m_dlg->DoModal(), IDCANCEL);
        EXPECT_EQ(m_dlg->m_strName, "keep");
    }
}

TEST_P(ItemEditDlgTest, EditShowsMembersAndKeepsUntouchedBytes) {
    m_dlg->m_strName = "\xED\x40"; // decodes to U+7E8A, which encodes as FA5C
    m_dlg->m_strDetail = "l1\r\nl2";
    m_dlg->m_strLinkFile = "\x83\x65\x83\x58\x83\x67.txt"; // テスト.txt
    DriveNextModal(*m_dlg, [&] {
        EXPECT_EQ(Name()->text(), QString(QChar(0x7E8A)));
        EXPECT_EQ(Detail()->toPlainText(), QStringLiteral("l1\nl2"));
        EXPECT_EQ(Link()->text(), QStringLiteral("テスト.txt"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_EQ(m_dlg->m_strName, "\xED\x40");
    EXPECT_EQ(m_dlg->m_strDetail, "l1\r\nl2");
    EXPECT_EQ(m_dlg->m_strLinkFile, "\x83\x65\x83\x58\x83\x67.txt");
}

TEST_P(ItemEditDlgTest, TextCodePageCannotHoldIsRefusedAndDialogStaysOpen) {
    bool stayedOpen = false;
    DriveNextModal(*m_dlg, [&] {
        QTest::keyClicks(Name(), "ok");
        Name()->insert(QString::fromUtf8("\xED\x95\x9C")); // as an input method commits it
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
        stayedOpen = m_dlg->isVisible();
        Name()->setText(QStringLiteral("ok"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_NE(m_ui.m_shown[0].text.find("\xED\x95\x9C"), std::string::npos);
    EXPECT_EQ(m_dlg->m_strName, "ok");
}

TEST_P(ItemEditDlgTest, BrowsePickReplacesOnlyTheLinkBox) {
    std::vector<CFileChooser::Request> asked;
    AnswerFileQuestions(m_ui, [&](const CFileChooser::Request& r) -> std::optional<QString> {
        asked.push_back(r);
        return QStringLiteral("/tmp/picked.doc");
    });
    DriveNextModal(*m_dlg, [&] {
        QTest::keyClicks(Name(), "n");
        QTest::keyClicks(Detail(), "d");
        QTest::keyClicks(Link(), "old");
        QTest::mouseClick(Button("idc1013"), Qt::LeftButton);
        EXPECT_EQ(Name()->text(), QStringLiteral("n"));
        EXPECT_EQ(Detail()->toPlainText(), QStringLiteral("d"));
        EXPECT_EQ(Link()->text(), QStringLiteral("/tmp/picked.doc"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg->DoModal(), IDOK);
    EXPECT_EQ(m_dlg->m_strLinkFile, "/tmp/picked.doc");
    EXPECT_EQ(m_dlg->m_strName, "n");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].bOpen);
    EXPECT_EQ(asked[0].title, QStringLiteral("リンクファイル"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("全てのﾌｧｲﾙ(*.*) |*.*||"));
    EXPECT_EQ(asked[0].flags, 0x1004u);
    EXPECT_EQ(asked[0].defExt, QStringLiteral("*"));
    EXPECT_EQ(asked[0].initialName, QStringLiteral("*.*"));
}

TEST_P(ItemEditDlgTest, BrowseCancelLeavesEveryBoxAsTyped) {
    AnswerFileQuestions(
        m_ui, [](const CFileChooser::Request&) -> std::optional<QString> { return std::nullopt; });
    DriveNextModal(*m_dlg, [&] {
        QTest::keyClicks(Name(), "n");
        QTest::keyClicks(Detail(), "d");
        QTest::keyClicks(Link(), "typed");
        QTest::mouseClick(Button("idc1013"), Qt::LeftButton);
        EXPECT_EQ(Name()->text(), QStringLiteral("n"));
        EXPECT_EQ(Detail()->toPlainText(), QStringLiteral("d"));
        EXPECT_EQ(Link()->text(), QStringLiteral("typed"));
    });
    EXPECT_EQ(m_dlg->DoModal(), IDCANCEL);
}

TEST_P(ItemEditDlgTest, RowDialogIsCentredColumnDialogIsNot) {
    QRect placed;
    DriveNextModal(*m_dlg, [&] { placed = m_dlg->frameGeometry(); });
    m_dlg->DoModal();
    const QPoint off = placed.center() - m_owner.frameGeometry().center();
    if (GetParam().centred) {
        // Centre points of rectangles round down, so odd sizes differ by a pixel or two.
        EXPECT_LE(off.manhattanLength(), 4) << off.x() << "," << off.y();
    } else {
        EXPECT_EQ(m_dlg->pos(), m_owner.geometry().topLeft());
        EXPECT_GT(off.manhattanLength(), 50);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ItemEditDlgTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// A scripted answer stands in for the user: the dialog is not shown, and only
// dialogs of the class it was given for are answered.
TEST(ItemEditDlgScript, AnswersItsOwnClassWithoutShowingTheDialog) {
    CScriptedAnswers ui;
    ui.AnswerDialogs<CLineEditDlg>([](CLineEditDlg& d) {
        d.m_strName = "scripted";
        return IDOK;
    });
    CLineEditDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "scripted");
    EXPECT_FALSE(dlg.isVisible());

    CColumnEditDlg column;
    bool shown = false;
    DriveNextModal(column, [&] { shown = column.isVisible(); });
    EXPECT_EQ(column.DoModal(), IDCANCEL);
    EXPECT_TRUE(shown);
    EXPECT_EQ(column.m_strName, "");
}

TEST(DialogUnitsTest, ConvertsWithQuarterAndEighthOfBaseUnits) {
    CDialogUnits du(6, 12);
    EXPECT_EQ(du.Size(187, 173), QSize(281, 260));
    EXPECT_EQ(du.X(118), 177);
    EXPECT_EQ(du.Y(8), 12);
}

} // namespace
