// The HTML export dialog, driven for real with QTest.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "DlgTestUtil.h"
#include "dialogs/FileChooser.h"
#include "dialogs/HtmlDlg.h"
#include "fw/UserInterface.h"
#include "ScriptedAnswers.h"

namespace {

class HtmlDlgTest : public ::testing::Test {
protected:
    QLineEdit* File() { return m_dlg.findChild<QLineEdit*>("idc1005"); }
    QLineEdit* Css() { return m_dlg.findChild<QLineEdit*>("idc1007"); }
    QCheckBox* Preview() { return m_dlg.findChild<QCheckBox*>("idc1012"); }
    QPushButton* Button(const char* name) { return m_dlg.findChild<QPushButton*>(name); }

    CScriptedAnswers m_ui;
    CHtmlDlg m_dlg;
};

struct EndCase {
    const char* name;
    const char* button;
    bool tickPreview;
    int result;
    BOOL toFile;
};

class HtmlDlgEnd : public HtmlDlgTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(HtmlDlgEnd, ButtonDecidesResultAndTarget) {
    const EndCase& c = GetParam();
    m_dlg.m_strFile = "out.html";
    m_dlg.m_strCss = "s.css";
    DriveNextModal(m_dlg, [&] {
        EXPECT_EQ(File()->text(), QStringLiteral("out.html"));
        EXPECT_EQ(Css()->text(), QStringLiteral("s.css"));
        EXPECT_FALSE(Preview()->isChecked());
        QTest::keyClicks(Css(), "x");
        if (c.tickPreview)
            QTest::mouseClick(Preview(), Qt::LeftButton);
        QTest::mouseClick(Button(c.button), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), c.result);
    EXPECT_EQ(m_dlg.m_bToFile, c.toFile);
    if (c.result == IDOK) {
        EXPECT_EQ(m_dlg.m_strCss, "s.cssx");
        EXPECT_EQ(m_dlg.m_bPreview, c.tickPreview ? TRUE : FALSE);
    } else {
        EXPECT_EQ(m_dlg.m_strCss, "s.css");
        EXPECT_EQ(m_dlg.m_bPreview, FALSE);
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, HtmlDlgEnd,
                         ::testing::Values(EndCase{"Ok", "idok", false, IDOK, TRUE},
                                           EndCase{"OkWithPreview", "idok", true, IDOK, TRUE},
                                           EndCase{"CopyEndsLikeOk", "idc1006", false, IDOK, FALSE},
                                           EndCase{"CopyWithPreview", "idc1006", true, IDOK, FALSE},
                                           EndCase{"Cancel", "idcancel", true, IDCANCEL, TRUE}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HtmlDlgTest, TextsAndCaption) {
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("HTML出力"));
    EXPECT_EQ(Button("idc1006")->text(), QStringLiteral("コピー(&C)"));
    EXPECT_EQ(Preview()->text(), QStringLiteral("ファイル出力してプレビュー(&P)"));
    EXPECT_TRUE(Button("idok")->isDefault());
}

TEST_F(HtmlDlgTest, BrowseAsksForHtmlFileAndKeepsStylesheet) {
    std::vector<CFileChooser::Request> asked;
    AnswerFileQuestions(m_ui, [&](const CFileChooser::Request& r) -> std::optional<QString> {
        asked.push_back(r);
        return QStringLiteral("/tmp/page.html");
    });
    DriveNextModal(m_dlg, [&] {
        QTest::keyClicks(Css(), "typed.css");
        QTest::mouseClick(Button("idc1010"), Qt::LeftButton);
        EXPECT_EQ(Css()->text(), QStringLiteral("typed.css"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(m_dlg.m_strFile, "/tmp/page.html");
    EXPECT_EQ(m_dlg.m_strCss, "typed.css");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].bOpen);
    EXPECT_EQ(asked[0].title, QStringLiteral("HTML出力"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("htmlﾌｧｲﾙ(*.html) |*.html||"));
    EXPECT_EQ(asked[0].defExt, QStringLiteral("html"));
    EXPECT_EQ(asked[0].initialName, QStringLiteral("*.html"));
    EXPECT_EQ(asked[0].flags, 0x80Eu);
}

TEST_F(HtmlDlgTest, CopyWithRefusedTextStaysOpen) {
    bool stayedOpen = false;
    DriveNextModal(m_dlg, [&] {
        File()->insert(QString::fromUtf8("\xF0\x9F\x98\x80.html")); // as an input method commits it
        QTest::mouseClick(Button("idc1006"), Qt::LeftButton);
        stayedOpen = m_dlg.isVisible();
    });
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(m_dlg.m_bToFile, TRUE);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_NE(m_ui.m_shown[0].text.find("\xF0\x9F\x98\x80"), std::string::npos);
}

TEST(FileChooserTest, FiltersShowEachDescriptionOnce) {
    EXPECT_EQ(CFileChooser::QtFilter(QStringLiteral("全てのﾌｧｲﾙ(*.*) |*.*||")),
              QStringLiteral("全てのﾌｧｲﾙ(*.*)"));
    EXPECT_EQ(
        CFileChooser::QtFilter(QStringLiteral("CSVﾌｧｲﾙ(*.csv) |*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt||")),
        QStringLiteral("CSVﾌｧｲﾙ(*.csv);;ﾃｷｽﾄﾌｧｲﾙ(*.txt)"));
}

} // namespace
