// The editor: Qt's own texts in Japanese, the settings store, message boxes
// and clipboard of the desktop, then the application's start-up.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>

#include "app/MainFrame.h"
#include "app/StopSignals.h"
#include "app/TavrelApp.h"
#include "fw/UserInterface.h"
#include "qt/QtProfile.h"
#include "qt/QtUserInterface.h"

int main(int argc, char** argv) {
    // A save past the file-size limit fails with its message instead of
    // ending the program with the sheet unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavreler"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tavreler"));

    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    CQtProfile profile;
    CQtUserInterface ui;
    AfxSetUserInterface(&ui);

    int status = 0;
    {
        CTavrelApp app(profile);
        // A logout or a kill writes the recovery copy before the program goes.
        CStopSignals stopSignals;
        QObject::connect(&stopSignals, &CStopSignals::StopRequested, [&app] { app.OnStopRequested(); });
        QStringList args = QCoreApplication::arguments();
        args.removeFirst();
        switch (app.InitInstance(args)) {
        case CTavrelApp::StartResult::Failed: status = 1; break;
        case CTavrelApp::StartResult::Done: status = 0; break;
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
