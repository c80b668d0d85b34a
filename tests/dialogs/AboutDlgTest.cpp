// The version dialog and its two links: what they show, what a click opens,
// their colours before and after a successful and a failed open (read from
// the drawn pixels too), the beep, the pointing hand, an empty link.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "DlgTestUtil.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/StaticLink.h"
#include "fw/UserInterface.h"
#include "res/AppInfo.h"
#include "ScriptedAnswers.h"

namespace {

// How many pixels of the control are drawn exactly in this colour.
int PixelsOf(QWidget* w, COLORREF c) {
    QImage image(w->size(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::white);
    w->render(&image);
    const QRgb want = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF))
                ++n;
    return n;
}

struct LinkCase {
    const char* name;
    int control; // 207 web, 206 mail
    bool opens;  // what the desktop's opener answers
};

class AboutLink : public ::testing::TestWithParam<LinkCase> {};

TEST_P(AboutLink, ColourBeforeAndAfterTheClick) {
    CScriptedAnswers ui;
    ui.m_bShellResult = GetParam().opens;
    CAboutDlg dlg;
    dlg.show();
    CStaticLink* link = dlg.findChild<CStaticLink*>(QString::number(GetParam().control));
    ASSERT_NE(link, nullptr);
    const std::string address =
        GetParam().control == CAboutDlg::IDC_WEB ? appinfo::HomePage() : appinfo::SupportAddress();
    EXPECT_EQ(link->text().toStdString(), address);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->LinkColor(), RGB(0, 0, 255));
    const int underline = link->fontMetrics().horizontalAdvance(link->text()) / 2;
    EXPECT_GT(PixelsOf(link, RGB(0, 0, 255)), underline);
    EXPECT_EQ(PixelsOf(link, RGB(128, 0, 128)), 0);

    QTest::mouseClick(link, Qt::LeftButton);

    const std::string target =
        GetParam().control == CAboutDlg::IDC_WEB ? address : "mailto:" + address;
    ASSERT_EQ(ui.m_opened.size(), 1u);
    EXPECT_EQ(ui.m_opened[0], target);
    const COLORREF now = GetParam().opens ? RGB(128, 0, 128) : RGB(0, 0, 255);
    const COLORREF old = GetParam().opens ? RGB(0, 0, 255) : RGB(128, 0, 128);
    EXPECT_EQ(link->LinkColor(), now);
    EXPECT_GT(PixelsOf(link, now), underline);
    EXPECT_EQ(PixelsOf(link, old), 0);
    EXPECT_EQ(ui.m_nBeeps, GetParam().opens ? 0 : 1);

    // A second click opens again; a visited link stays purple whatever the answer.
    ui.m_bShellResult = false;
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(ui.m_opened.size(), 2u);
    EXPECT_EQ(link->LinkColor(), now);
}

INSTANTIATE_TEST_SUITE_P(Links, AboutLink,
                         ::testing::Values(LinkCase{"WebOpened", CAboutDlg::IDC_WEB, true},
                                           LinkCase{"WebFailed", CAboutDlg::IDC_WEB, false},
                                           LinkCase{"MailOpened", CAboutDlg::IDC_MAIL, true},
                                           LinkCase{"MailFailed", CAboutDlg::IDC_MAIL, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AboutLink, EachDialogStartsBlue) {
    CScriptedAnswers ui;
    {
        CAboutDlg first;
        first.show();
        QTest::mouseClick(first.m_linkWeb, Qt::LeftButton);
        EXPECT_EQ(first.m_linkWeb->LinkColor(), RGB(128, 0, 128));
        EXPECT_EQ(first.m_linkMail->LinkColor(), RGB(0, 0, 255)); // only the clicked one
    }
    CAboutDlg second;
    EXPECT_EQ(second.m_linkWeb->LinkColor(), RGB(0, 0, 255));
}

TEST(StaticLink, EmptyTextAndNoLinkDoesNothing) {
    CScriptedAnswers ui;
    CStaticLink link;
    link.resize(100, 20);
    link.show();
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_TRUE(ui.m_opened.empty());
    EXPECT_EQ(ui.m_nBeeps, 0);
    EXPECT_EQ(link.LinkColor(), RGB(0, 0, 255));
}

TEST(StaticLink, LinkTextWinsOverTheShownText) {
    CScriptedAnswers ui;
    CStaticLink link(QStringLiteral("file:///tmp/x.html"));
    link.setText(QStringLiteral("shown"));
    EXPECT_TRUE(link.OnLButtonDown());
    ASSERT_EQ(ui.m_opened.size(), 1u);
    EXPECT_EQ(ui.m_opened[0], "file:///tmp/x.html");
}

TEST(StaticLink, OnlyTheLeftButtonOpens) {
    CScriptedAnswers ui;
    CStaticLink link;
    link.setText(QStringLiteral("https://tavreler.example/"));
    link.resize(200, 20);
    link.show();
    QTest::mouseClick(&link, Qt::RightButton);
    EXPECT_TRUE(ui.m_opened.empty());
}

TEST(AboutDlg, CaptionNameVersionAndCentredOverItsOwner) {
    CScriptedAnswers ui;
    QMainWindow owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    CAboutDlg dlg(&owner);
    EXPECT_EQ(dlg.objectName(), QStringLiteral("100"));
    QRect placed;
    DriveNextModal(dlg, [&] { placed = dlg.frameGeometry(); });
    dlg.DoModal();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_LE((placed.center() - owner.frameGeometry().center()).manhattanLength(), 2);
    bool named = false;
    for (QLabel* label : dlg.findChildren<QLabel*>())
        named = named || label->text() == QStringLiteral("Tavreler Version " TAVRELER_TEST_VERSION);
    EXPECT_TRUE(named);
}

} // namespace
