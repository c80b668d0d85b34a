// What the window manager reads from our windows on a real X display (a
// private Xvfb): the title of every dialog and of the help window exactly as
// the window sets it, and the program's icon on the windows that can come
// before the main window. The windows are made by this binary started again
// on that display, set up as the program sets itself up; xprop reads them.
#include <cstdio>
#include <memory>
#include <vector>

#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

#include "app/HelpWindow.h"
#include "app/TavrelApp.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/ColumnEditDlg.h"
#include "dialogs/LineEditDlg.h"
#include "dialogs/NewFileDlg.h"
#include "dialogs/SetDlg.h"

namespace {

// ---- The child: shows the windows, says their ids, waits to be told to go.

int RunTitleChild() {
    QTranslator translator;
    SetUpApplication(translator);
    std::vector<std::unique_ptr<QWidget>> windows;
    // In the order a start can bring them: the first new-file dialog and the
    // recovery question come before the main window.
    windows.push_back(std::make_unique<CNewFileDlg>());
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(QStringLiteral("Tavreler"));
    box->setText(QStringLiteral("復元しますか?"));
    windows.push_back(std::move(box));
    windows.push_back(std::make_unique<CSetDlg>());
    windows.push_back(std::make_unique<CAboutDlg>());
    windows.push_back(std::make_unique<CLineEditDlg>());
    windows.push_back(std::make_unique<CColumnEditDlg>());
    auto colors = std::make_unique<QColorDialog>();
    colors->setOption(QColorDialog::DontUseNativeDialog);
    windows.push_back(std::move(colors));
    windows.push_back(std::make_unique<CHelpWindow>());
    for (const auto& w : windows) {
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            return 3;
        std::printf("%llu\t%s\n", static_cast<unsigned long long>(w->winId()),
                    w->windowTitle().toUtf8().constData());
    }
    std::printf("shown\n");
    std::fflush(stdout);
    // Until the parent has read the properties and closes our input.
    char buf[64];
    while (std::fread(buf, 1, sizeof buf, stdin) > 0) {
    }
    return 0;
}

class TitleChildEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("TAVRELER_TITLE_CHILD"))
            std::_Exit(RunTitleChild());
    }
};

[[maybe_unused]] testing::Environment* const g_titleChild =
    testing::AddGlobalTestEnvironment(new TitleChildEnvironment);

// ---- The parent: an X display of its own, and xprop.

class XDisplay {
public:
    XDisplay() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        for (int n = 140; n < 200; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            m_server.start(xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                                  QStringLiteral("0"), QStringLiteral("1280x900x24"),
                                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            if (QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 10000)) {
                m_name = QStringLiteral(":%1").arg(n);
                return;
            }
            m_server.kill();
            m_server.waitForFinished();
        }
    }
    ~XDisplay() {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
    }
    const QString& Name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

// One property of a window as xprop prints it, in a UTF-8 locale.
QString Property(const QString& display, const QString& id, const QStringList& what) {
    QProcess xprop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(env);
    xprop.start(QStringLiteral("xprop"), QStringList{QStringLiteral("-id"), id} + what);
    xprop.waitForFinished(10000);
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

TEST(WindowTitles, TheWindowManagerReadsEachTitleAsSetAndTheProgramsIcon) {
    if (QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        GTEST_SKIP() << "xprop is not installed";
    XDisplay display;
    if (display.Name().isEmpty())
        GTEST_SKIP() << "no Xvfb";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAVRELER_TITLE_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display.Name());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=WindowTitles.*")});
    QStringList lines;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            child.waitForReadyRead(50);
            while (child.canReadLine())
                lines << QString::fromUtf8(child.readLine()).chopped(1);
            return lines.contains(QStringLiteral("shown")) || child.state() == QProcess::NotRunning;
        },
        30000))
        << child.readAllStandardError().toStdString();
    ASSERT_TRUE(lines.contains(QStringLiteral("shown")))
        << child.readAllStandardError().toStdString();
    int windows = 0;
    for (const QString& line : lines) {
        const QStringList parts = line.split(QChar('\t'));
        if (parts.size() != 2)
            continue;
        ++windows;
        const QString& id = parts[0];
        const QString& title = parts[1];
        EXPECT_EQ(Property(display.Name(), id, {QStringLiteral("_NET_WM_NAME")}).toStdString(),
                  QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"%1\"").arg(title).toStdString());
        EXPECT_TRUE(
            Property(display.Name(), id,
                     {QStringLiteral("-len"), QStringLiteral("4"), QStringLiteral("_NET_WM_ICON")})
                .startsWith(QStringLiteral("_NET_WM_ICON(CARDINAL) =")))
            << title.toStdString();
    }
    EXPECT_EQ(windows, 8);
    child.closeWriteChannel();
    child.waitForFinished(10000);
}

} // namespace
