// The editor: Qt's own texts in Japanese, the settings store, message boxes
// and clipboard of the desktop, then the application's start-up.
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include <QApplication>
#include <QTranslator>

#include <csignal>

#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/StopSignals.h"
#include "app/TavrelApp.h"
#include "fw/UserInterface.h"
#include "qt/QtProfile.h"
#include "qt/QtUserInterface.h"
#include "res/AppInfo.h"
#include "res/CommandIds.h"

namespace {

// "--help" and "--version" alone on the command line answer on the terminal;
// the help line tells where the help file was looked for and whether it
// opens, which also checks an installation. -1: not such a request.
int AnswerTerminal(const QStringList& args) {
    if (args.size() != 1)
        return -1;
    if (args[0] == QLatin1String("--version")) {
        std::printf("%s %s\n", appinfo::Name(), appinfo::Version());
        return 0;
    }
    if (args[0] != QLatin1String("--help"))
        return -1;
    std::printf("usage: tavreler [FILE.tvr]\n"
                "       tavreler /p FILE.tvr\n"
                "       tavreler /pt FILE.tvr PRINTER\n"
                "       tavreler --print-to-pdf OUT.pdf FILE.tvr\n"
                "       tavreler --help | --version\n");
    const QString help = FindHelpFile(GetModulePath(QString()));
    QString missing = CHelpWindow::MissingFile(help);
    if (missing.isEmpty() && !CHelpWindow::HasTopic(help, DWORD(HID_BASE_RESOURCE) + IDR_MAINFRAME))
        missing = help; // there, but not readable as help
    if (!missing.isEmpty()) {
        std::printf("ヘルプファイルがありません：%s\n", missing.toLocal8Bit().constData());
        return 1;
    }
    std::printf("ヘルプ: %s\n", help.toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before any window system is asked for, so they work without a display.
    if (argc == 2 &&
        (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)) {
        QCoreApplication core(argc, argv);
        if (const int answered = AnswerTerminal(QCoreApplication::arguments().mid(1));
            answered >= 0)
            return answered;
    }
    // Printing to a file needs no window: without a display it runs on the
    // offscreen platform, and its messages go to standard error.
    bool printToPdf = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], CCommandLineInfo::kPrintToPdf) == 0) {
            if (argc != 4 || i != 1) {
                std::fprintf(stderr, "usage: tavreler --print-to-pdf OUT.pdf FILE.tvr\n");
                return 1;
            }
            printToPdf = true;
        }
    if (printToPdf && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A save past the file-size limit fails with its message instead of
    // ending the program with the sheet unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    // A large sheet named on the command line is read while the window
    // system starts. (The arguments are read as Qt will read them; a window
    // system option taken for a file name costs one failed read.)
    QStringList early;
    for (int i = 1; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<CSheetPreload> preload = CTavrelApp::StartPreload(early);
    QApplication qapp(argc, argv);
    QTranslator translator;
    SetUpApplication(translator);

    CQtProfile profile;
    CQtUserInterface ui;
    CScriptedUserInterface terminal;
    terminal.SetEcho(true);
    AfxSetUserInterface(printToPdf ? static_cast<CUserInterface*>(&terminal) : &ui);

    int status = 0;
    {
        CTavrelApp app(profile);
        app.SetPreload(std::move(preload));
        // A logout or a kill writes the recovery copy before the program goes.
        CStopSignals stopSignals;
        QObject::connect(&stopSignals, &CStopSignals::StopRequested,
                         [&app] { app.OnStopRequested(); });
        QStringList args = QCoreApplication::arguments();
        args.removeFirst();
        switch (app.InitInstance(args)) {
        case CTavrelApp::StartResult::Failed:
            status = 1;
            break;
        case CTavrelApp::StartResult::Done:
            status = 0;
            break;
        case CTavrelApp::StartResult::Run:
            ui.SetOwner(app.GetMainWnd());
            // Asked to stop while starting (in the first dialog): already done.
            if (!app.StopRequested())
                status = QApplication::exec();
            break;
        }
        ui.SetOwner(nullptr);
    }
    AfxSetUserInterface(nullptr);
    AfxSetProfile(nullptr);
    return status;
}
