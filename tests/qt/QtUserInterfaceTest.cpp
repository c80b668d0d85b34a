// The desktop side of the user-interaction layer: real message boxes driven
// by a timer, the clipboard of the offscreen platform and shell open through
// URL handlers that record what would have been opened.
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMimeData>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "fw/Cp932.h"
#include "qt/QtUserInterface.h"

namespace {

// What the box looked like while it was up.
struct SeenBox {
    bool found = false;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // left to right
    QString defaultButton;
    QWidget* parent = nullptr;
    QRect geometry;
    bool stillOpenAfterAct = false;
};

QStringList ButtonTexts(QMessageBox* pBox) {
    QList<QPushButton*> list = pBox->findChildren<QPushButton*>();
    std::sort(list.begin(), list.end(), [](QPushButton* a, QPushButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    QStringList out;
    for (QPushButton* p : list)
        if (p->isVisible())
            out << p->text();
    return out;
}

QPushButton* ButtonWithText(QMessageBox* pBox, const QString& text) {
    for (QPushButton* p : pBox->findChildren<QPushButton*>())
        if (p->text() == text)
            return p;
    return nullptr;
}

// Shows a box through the interface; once it is up, records it and runs act.
// Should act leave the box open, the box is recorded as such and closed with
// its last button so that the test goes on.
int RunBox(CQtUserInterface& ui, const std::string& text, UINT type,
           const std::function<void(QMessageBox*)>& act, SeenBox& seen) {
    QTimer poll;
    poll.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!pBox || !pBox->isVisible()) {
            if (clock.elapsed() > 5000)
                poll.stop();
            return;
        }
        poll.stop();
        seen.found = true;
        seen.title = pBox->windowTitle();
        seen.text = pBox->text();
        seen.format = pBox->textFormat();
        seen.icon = pBox->icon();
        seen.buttons = ButtonTexts(pBox);
        if (auto* pDefault = pBox->defaultButton())
            seen.defaultButton = pDefault->text();
        seen.parent = pBox->parentWidget();
        seen.geometry = pBox->frameGeometry();
        act(pBox);
        QApplication::processEvents();
        if (QApplication::activeModalWidget() == pBox && pBox->isVisible()) {
            seen.stillOpenAfterAct = true;
            ButtonWithText(pBox, seen.buttons.back())->click();
        }
    });
    poll.start();
    return ui.MessageBox(text, type);
}

enum class Act { First, Second, Third, Escape, Enter };

struct BoxCase {
    const char* name;
    UINT type;
    QMessageBox::Icon icon;
    QStringList buttons;
    Act act;
    int answer;
    bool staysOnEscape;
};

const QString kOk = QStringLiteral("OK");
const QString kCancel = QStringLiteral("キャンセル");
const QString kYes = QStringLiteral("はい(&Y)");
const QString kNo = QStringLiteral("いいえ(&N)");

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class QtMessageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageBox, LooksAndAnswersAsTheStyleSays) {
    const BoxCase& c = GetParam();
    CQtUserInterface ui;
    SeenBox seen;
    const int answer = RunBox(
        ui, "保存しますか?", c.type,
        [&](QMessageBox* pBox) {
            switch (c.act) {
            case Act::First:
                ButtonWithText(pBox, c.buttons[0])->click();
                break;
            case Act::Second:
                ButtonWithText(pBox, c.buttons[1])->click();
                break;
            case Act::Third:
                ButtonWithText(pBox, c.buttons[2])->click();
                break;
            case Act::Escape:
                QTest::keyClick(pBox, Qt::Key_Escape);
                break;
            case Act::Enter:
                QTest::keyClick(pBox, Qt::Key_Return);
                break;
            }
        },
        seen);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, QStringLiteral("Tavreler"));
    EXPECT_EQ(seen.text, QStringLiteral("保存しますか?"));
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton, c.buttons.front());
    EXPECT_EQ(seen.stillOpenAfterAct, c.staysOnEscape);
    if (!c.staysOnEscape) {
        EXPECT_EQ(answer, c.answer);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, QtMessageBox,
    ::testing::Values(
        BoxCase{"OkClicked", MB_OK, QMessageBox::NoIcon, {kOk}, Act::First, IDOK, false},
        BoxCase{"OkEscape",
                MB_OK | MB_ICONEXCLAMATION,
                QMessageBox::Warning,
                {kOk},
                Act::Escape,
                IDOK,
                false},
        BoxCase{"ErrorEnter",
                MB_OK | MB_ICONHAND,
                QMessageBox::Critical,
                {kOk},
                Act::Enter,
                IDOK,
                false},
        BoxCase{"InformationOk",
                MB_ICONINFORMATION,
                QMessageBox::Information,
                {kOk},
                Act::First,
                IDOK,
                false},
        BoxCase{"OkCancelOk",
                MB_OKCANCEL | MB_ICONQUESTION,
                QMessageBox::Question,
                {kOk, kCancel},
                Act::First,
                IDOK,
                false},
        BoxCase{"OkCancelCancel",
                MB_OKCANCEL | MB_ICONQUESTION,
                QMessageBox::Question,
                {kOk, kCancel},
                Act::Second,
                IDCANCEL,
                false},
        BoxCase{"OkCancelEscape",
                MB_OKCANCEL | MB_ICONQUESTION,
                QMessageBox::Question,
                {kOk, kCancel},
                Act::Escape,
                IDCANCEL,
                false},
        BoxCase{"OkCancelEnterIsOk",
                MB_OKCANCEL,
                QMessageBox::NoIcon,
                {kOk, kCancel},
                Act::Enter,
                IDOK,
                false},
        BoxCase{"YesNoYes",
                MB_YESNO | MB_ICONQUESTION,
                QMessageBox::Question,
                {kYes, kNo},
                Act::First,
                IDYES,
                false},
        BoxCase{"YesNoNo",
                MB_YESNO | MB_ICONQUESTION,
                QMessageBox::Question,
                {kYes, kNo},
                Act::Second,
                IDNO,
                false},
        BoxCase{"YesNoEscapeStays",
                MB_YESNO | MB_ICONQUESTION,
                QMessageBox::Question,
                {kYes, kNo},
                Act::Escape,
                0,
                true},
        BoxCase{"YesNoCancelYes",
                MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                QMessageBox::Warning,
                {kYes, kNo, kCancel},
                Act::First,
                IDYES,
                false},
        BoxCase{"YesNoCancelNo",
                MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                QMessageBox::Warning,
                {kYes, kNo, kCancel},
                Act::Second,
                IDNO,
                false},
        BoxCase{"YesNoCancelCancel",
                MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                QMessageBox::Warning,
                {kYes, kNo, kCancel},
                Act::Third,
                IDCANCEL,
                false},
        BoxCase{"YesNoCancelEscape",
                MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                QMessageBox::Warning,
                {kYes, kNo, kCancel},
                Act::Escape,
                IDCANCEL,
                false},
        BoxCase{"YesNoCancelEnterIsYes",
                MB_YESNOCANCEL,
                QMessageBox::NoIcon,
                {kYes, kNo, kCancel},
                Act::Enter,
                IDYES,
                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtMessageBoxText, FileNamesAndMarkupAreShownAsTheyAre) {
    CQtUserInterface ui;
    SeenBox seen;
    const std::string text = "<b>a&b</b>.tvr への変更を保存しますか?";
    RunBox(
        ui, text, MB_OK, [](QMessageBox*) {}, seen);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.text.toStdString(), text);
    // The OK-only box was closed by the helper after the act left it open.
    EXPECT_TRUE(seen.stillOpenAfterAct);
}

TEST(QtMessageBoxOwner, ModalToTheOwnerAndCentredOverIt) {
    QWidget owner;
    owner.setGeometry(300, 200, 640, 480);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    CQtUserInterface ui;
    ui.SetOwner(&owner);
    SeenBox seen;
    RunBox(
        ui, "x", MB_OK, [](QMessageBox* pBox) { QTest::keyClick(pBox, Qt::Key_Escape); }, seen);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.parent, &owner);
    const QPoint delta = seen.geometry.center() - owner.frameGeometry().center();
    EXPECT_LE(delta.manhattanLength(), 4) << delta.x() << "," << delta.y();
}

TEST(QtMessageBoxOwner, AnOwnerThatWentAwayFallsBackToTheActiveWindow) {
    CQtUserInterface ui;
    auto* pGone = new QWidget;
    ui.SetOwner(pGone);
    delete pGone;
    QWidget active;
    active.show();
    QApplication::setActiveWindow(&active);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
    SeenBox seen;
    RunBox(
        ui, "x", MB_OK, [](QMessageBox* pBox) { QTest::keyClick(pBox, Qt::Key_Escape); }, seen);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.parent, &active);
}

class QtClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        m_pClipboard = QGuiApplication::clipboard();
        if (!m_pClipboard)
            GTEST_SKIP() << "this platform has no clipboard";
        m_pClipboard->setText(QStringLiteral("probe"));
        if (m_pClipboard->text() != QStringLiteral("probe"))
            GTEST_SKIP() << "this platform's clipboard keeps no text";
    }
    QClipboard* m_pClipboard = nullptr;
    CQtUserInterface m_ui;
};

TEST_F(QtClipboard, CodePage932TextRoundTripsAsUnicode) {
    // Double-byte text, half-width katakana, a backslash (0x5C, never a yen
    // sign), a circled digit from the NEC row, CR LF between rows.
    const std::string text = cp932::FromUtf8OrDie("項目\tﾁｪｯｸ\\①\r\n次の行");
    ASSERT_TRUE(m_ui.SetClipboardText(text));
    EXPECT_EQ(m_pClipboard->text(), QStringLiteral("項目\tﾁｪｯｸ\\①\r\n次の行"));
    EXPECT_EQ(m_ui.GetClipboardText(), text);
}

TEST_F(QtClipboard, TextFromOtherProgramsIsFoldedToTheWindowsCharacters) {
    m_pClipboard->setText(QString::fromUtf8("\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC"));
    EXPECT_EQ(m_ui.GetClipboardText(), cp932::FromUtf8OrDie("～－∥―￠￡￢"));
}

TEST_F(QtClipboard, TextCodePage932CannotHoldIsNotOffered) {
    for (const char* s : {"\U00020BB7野家", "한국어", "emoji \U0001F600"}) {
        m_pClipboard->setText(QString::fromUtf8(s));
        EXPECT_EQ(m_ui.GetClipboardText(), std::nullopt) << s;
    }
}

TEST_F(QtClipboard, NoTextOnTheClipboardGivesNothing) {
    m_pClipboard->clear();
    EXPECT_EQ(m_ui.GetClipboardText(), std::nullopt);
    auto* pData = new QMimeData;
    pData->setData(QStringLiteral("application/x-other"), QByteArray("\x01\x02", 2));
    m_pClipboard->setMimeData(pData);
    EXPECT_EQ(m_ui.GetClipboardText(), std::nullopt);
    m_pClipboard->setText(QString());
    EXPECT_EQ(m_ui.GetClipboardText().value_or("none"), "");
}

// Receives what QDesktopServices would hand to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> m_urls;
public slots:
    void open(const QUrl& url) { m_urls << url; }
};

class QtShellOpen : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_recorder, "open");
    }
    void TearDown() override {
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QUrl Opened(const std::string& target) {
        m_recorder.m_urls.clear();
        EXPECT_TRUE(m_ui.ShellOpen(target)) << target;
        EXPECT_EQ(m_recorder.m_urls.size(), 1) << target;
        return m_recorder.m_urls.value(0);
    }
    static constexpr const char* kSchemes[] = {"file", "http", "https", "mailto"};
    UrlRecorder m_recorder;
    CQtUserInterface m_ui;
};

TEST_F(QtShellOpen, AddressesGoAsAddresses) {
    QUrl u = Opened("https://example.com/a b?q=1#top");
    EXPECT_EQ(u.scheme(), QStringLiteral("https"));
    EXPECT_EQ(u.host(), QStringLiteral("example.com"));
    EXPECT_EQ(u.path(), QStringLiteral("/a b"));
    EXPECT_EQ(u.query(), QStringLiteral("q=1"));
    EXPECT_EQ(u.fragment(), QStringLiteral("top"));

    u = Opened("mailto:someone@example.com");
    EXPECT_EQ(u.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(u.path(), QStringLiteral("someone@example.com"));

    u = Opened("file:///tmp/x.txt");
    EXPECT_EQ(u.toLocalFile(), QStringLiteral("/tmp/x.txt"));

    u = Opened("HTTP://EXAMPLE.COM/");
    EXPECT_EQ(u.scheme(), QStringLiteral("http"));
}

TEST_F(QtShellOpen, PathsGoAsFilesWithEveryCharacterKept) {
    // "#", "?" and "%" would be cut off or decoded were a path read as an address.
    for (const char* path : {"/tmp/シート #1?.tvr", "/tmp/100%25 done.txt", "/tmp/trailing space ",
                             "/tmp/a;b,c.html"}) {
        const QUrl u = Opened(path);
        EXPECT_EQ(u.scheme(), QStringLiteral("file")) << path;
        EXPECT_EQ(u.toLocalFile().toStdString(), path);
    }
}

TEST_F(QtShellOpen, ADriveLetterOrARelativeNameIsAPath) {
    QUrl u = Opened("C:\\Docs\\a.txt");
    EXPECT_EQ(u.scheme(), QStringLiteral("file"));
    EXPECT_TRUE(u.toLocalFile().endsWith(QStringLiteral("C:\\Docs\\a.txt")));

    u = Opened("sub/link.txt");
    EXPECT_EQ(u.scheme(), QStringLiteral("file"));
    EXPECT_EQ(u.toLocalFile(), QDir::current().absoluteFilePath(QStringLiteral("sub/link.txt")));
}

TEST_F(QtShellOpen, NothingToOpenFails) {
    m_recorder.m_urls.clear();
    EXPECT_FALSE(m_ui.ShellOpen(""));
    EXPECT_TRUE(m_recorder.m_urls.isEmpty());
}

// A real dialog: the desktop interface shows it and gives the user's answer.
struct ShownDialog : QDialog, CModalDialog {
    int ShowModal() override { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }
};

TEST(QtDialogs, AreShownAndAnsweredByTheUser) {
    CQtUserInterface ui;
    ShownDialog dlg;
    bool visible = false;
    QTimer::singleShot(0, &dlg, [&] {
        visible = dlg.isVisible();
        dlg.accept();
    });
    EXPECT_EQ(ui.DoModal(dlg), IDOK);
    EXPECT_TRUE(visible);
    QTimer::singleShot(0, &dlg, [&] { dlg.reject(); });
    EXPECT_EQ(ui.DoModal(dlg), IDCANCEL);
}

// Printing starts with 10 mm margins; a page setup made in the preview holds
// for the prints that follow, in this run.
TEST(QtPrintMargins, StartAtTenMillimetresAndKeepThePreviewsPageSetup) {
    CQtUserInterface ui;
    std::vector<QMarginsF> seen; // the margins each preview first drew with
    const auto preview = [&](std::optional<QMarginsF> change) {
        bool first = true;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(w)) {
                    if (change)
                        dialog->printer()->setPageMargins(*change, QPageLayout::Millimeter);
                    dialog->reject();
                }
        });
        ui.PrintPreview([&](CPrinter& printer) {
            if (std::exchange(first, false))
                seen.push_back(printer.pageLayout().margins(QPageLayout::Millimeter));
            return true;
        });
    };
    preview(QMarginsF(25, 20, 15, 5));
    preview(std::nullopt);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], QMarginsF(10, 10, 10, 10));
    EXPECT_EQ(seen[1], QMarginsF(25, 20, 15, 5));
}

} // namespace

#include "QtUserInterfaceTest.moc"
