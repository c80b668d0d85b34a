#include "app/TavrelApp.h"

#include <iterator>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrinter>
#include <QTranslator>

#include "fw/CommandRoute.h"
#include "res/CommandIds.h"
#include "app/MainFrame.h"
#include "app/RecoveryGuard.h"
#include "app/TavrelDoc.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/FileChooser.h"
#include "fw/Profile.h"
#include "fw/UserInterface.h"
#include "model/Settings.h"
#include "qt/PrintSetup.h"
#include "qt/QtFont.h"
#include "res/ToolBarImages.h"
#include "view/TavrelView.h"

namespace {

bool IsFlag(const QString& arg, const char* name) {
    return (arg.startsWith(QChar('/')) || arg.startsWith(QChar('-'))) &&
           arg.mid(1).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

QString GetModulePath(const QString& name) {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.isEmpty() && !dir.endsWith(QChar('/')))
        dir += QChar('/');
    return dir + name;
}

namespace {

// Texts of Qt's file dialogs that Qt's Japanese translation lacks: the type
// the dialog gives folders and drives.
class CMissingQtTexts : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        if (qstrcmp(sourceText, "Folder") == 0)
            return QStringLiteral("フォルダー");
        if (qstrcmp(sourceText, "Drive") == 0)
            return QStringLiteral("ドライブ");
        if (qstrcmp(sourceText, "File") == 0)
            return QStringLiteral("ファイル");
        return {};
    }
};

} // namespace

void SetUpApplication(QTranslator& translator) {
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavreler"));
    // No display name: Qt would append it to every title the window manager
    // shows ("設定 — Tavreler"). Message boxes still take "Tavreler" from
    // the application's name.
    QApplication::setWindowIcon(AppIcon());
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    static CMissingQtTexts missing;
    QCoreApplication::installTranslator(&missing);
}

QString FindHelpFile(const QString& moduleDir) {
    const QString dir = moduleDir.endsWith(QChar('/')) ? moduleDir : moduleDir + QChar('/');
    // Beside the program in a build tree; in share/tavreler/ of an installed
    // tree, found from the program's folder so that the install can move.
    const QString places[] = {
        dir + QLatin1String(kHelpFileName),
        QDir::cleanPath(dir + QStringLiteral("../share/tavreler/") + QLatin1String(kHelpFileName)),
    };
    for (const QString& path : places)
        if (QFileInfo::exists(path) &&
            QFileInfo::exists(QFileInfo(path).path() + QStringLiteral("/Tavrl.qch")))
            return path;
    return places[std::size(places) - 1];
}

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& args) {
    CCommandLineInfo info;
    // Only the known switches are switches: on this platform a path may start with "/".
    QStringList rest;
    bool print = false;
    bool printTo = false;
    bool printToPdf = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String(kPrintToPdf) && i + 1 < args.size()) {
            printToPdf = true;
            info.m_strPdfName = args[++i];
        } else if (IsFlag(arg, "p"))
            print = true;
        else if (IsFlag(arg, "pt"))
            printTo = true;
        else if (IsFlag(arg, "dde") || IsFlag(arg, "automation") || IsFlag(arg, "embedding"))
            continue;
        else
            rest << arg;
    }
    if (!rest.isEmpty()) {
        info.m_strFileName = rest[0];
        info.m_nShellCommand = printToPdf ? FilePrintToPdf
                               : printTo  ? FilePrintTo
                               : print    ? FilePrint
                                          : FileOpen;
        if (printTo && rest.size() > 1)
            info.m_strPrinterName = rest[1];
    }
    return info;
}

CTavrelApp::CTavrelApp(CProfile& profile)
    : m_profile(profile), m_recentFiles(profile, settings::RecentFileCount) {}

CTavrelApp::~CTavrelApp() {
    m_pMainWnd.reset();
    m_pRecovery.reset();
    m_pDoc.reset();
    if (CommandRoute() == this)
        SetCommandRoute(nullptr);
}

CTavrelApp::StartResult CTavrelApp::InitInstance(const QStringList& args) {
    // Before any window: the first dialog (the new-file step) already names
    // the Windows Japanese face, which must resolve to an installed one.
    InstallJapaneseFontSubstitutes();
    m_strHelpFilePath = FindHelpFile(GetModulePath(QString()));

    AfxSetProfile(&m_profile);
    m_recentFiles.ReadList();

    m_pDoc = std::make_unique<CTavrelDoc>();
    m_pDoc->SetPreload(std::move(m_pPreload));
    m_pMainWnd = std::make_unique<CMainFrame>(m_pDoc.get(), this, &m_recentFiles);
    m_pMainWnd->SetHelpFilePath(m_strHelpFilePath);
    QObject::connect(m_pDoc.get(), &CTavrelDoc::FileUsed, m_pDoc.get(),
                     [this](const QString& path) { m_recentFiles.Add(path); });
    m_pRecovery = std::make_unique<CRecoveryGuard>(*m_pDoc, CRecoveryGuard::DefaultFolder());
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_pRecovery.get(),
                     [this](QSessionManager&) { m_pRecovery->WriteNow(); });

    const CCommandLineInfo cmdInfo = CCommandLineInfo::Parse(args);
    const int initFile = ReadSettingInt(settings::InitFile, m_profile);

    // Work left by a crash comes before anything else opens; printing from
    // the command line asks nothing.
    const bool interactive = cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew ||
                             cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen;
    if (interactive && m_pRecovery->OfferLeftCopies()) {
        m_pMainWnd->ActivateFrame(SW_SHOW);
        return StartResult::Run;
    }

    switch (cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (initFile != 0 && m_recentFiles.GetSize() > 0 && QFileInfo::exists(m_recentFiles[0])) {
            // A last file that exists but cannot be read is reported, then a new sheet starts.
            if (!m_pDoc->OnOpenDocument(m_recentFiles[0])) {
                m_pDoc->SetDefaultTitle();
                m_pDoc->OnNewDocument();
            }
        } else {
            m_pDoc->OnNewDocument();
        }
        break;
    case CCommandLineInfo::FileOpen:
        if (!m_pDoc->OnOpenDocument(cmdInfo.m_strFileName))
            return StartResult::Failed;
        break;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrintToPdf:
        return PrintFile(cmdInfo) ? StartResult::Done : StartResult::Failed;
    }

    m_pMainWnd->ActivateFrame(SW_SHOW);
    return StartResult::Run;
}

std::unique_ptr<CSheetPreload> CTavrelApp::StartPreload(const QStringList& args) {
    const CCommandLineInfo info = CCommandLineInfo::Parse(args);
    if (info.m_nShellCommand == CCommandLineInfo::FileNew)
        return nullptr;
    return std::make_unique<CSheetPreload>(info.m_strFileName.toStdString());
}

void CTavrelApp::OnStopRequested() {
    m_bStopRequested = true;
    if (m_pRecovery)
        m_pRecovery->WriteNow();
    // Not quit(): that closes the windows first, and the save question
    // would hold the program until the session kills it.
    QCoreApplication::exit(0);
}

bool CTavrelApp::PrintFile(const CCommandLineInfo& cmdInfo) {
    if (!m_pDoc->OnOpenDocument(cmdInfo.m_strFileName))
        return false;
    CTavrelView* view = m_pMainWnd->GetActiveView();
    // The view lays out for its size: give it the size the window would have.
    int nCmdShow = SW_SHOW;
    m_pMainWnd->LoadPlacement(nCmdShow);
    m_pMainWnd->m_bFirstActivate = false;
    view->resize(m_pMainWnd->centralWidget()->size());
    view->OnInitialUpdate();
    QPrinter printer(QPrinter::HighResolution);
    ApplyRunMargins(printer);
    const bool pdf = cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintToPdf;
    if (pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(cmdInfo.m_strPdfName);
    } else if (!cmdInfo.m_strPrinterName.isEmpty()) {
        printer.setPrinterName(cmdInfo.m_strPrinterName);
    }
    if (!printer.isValid() || !view->Printer().PrintTo(printer)) {
        const std::string message =
            pdf ? "PDF ファイルに書き込めませんでした：" + cmdInfo.m_strPdfName.toStdString()
                : std::string("印刷できませんでした。");
        AfxGetUserInterface().MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CTavrelApp::OnFileNew() {
    if (!m_pDoc->SaveModified())
        return false;
    return m_pDoc->OnNewDocument();
}

void CTavrelApp::OnFileOpen() {
    if (auto path = CFileChooser::SheetOpen(m_pMainWnd.get()))
        OpenDocumentFile(*path);
}

bool CTavrelApp::OpenDocumentFile(const QString& path) {
    // The file shown already is not read again.
    if (!m_pDoc->GetPathName().isEmpty() &&
        QFileInfo(path).absoluteFilePath() == m_pDoc->GetPathName())
        return true;
    if (!m_pDoc->SaveModified())
        return false;
    if (m_pDoc->OnOpenDocument(path))
        return true;
    // The old sheet is gone: start a new one in its place.
    m_pDoc->SetDefaultTitle();
    m_pDoc->OnNewDocument();
    return false;
}

void CTavrelApp::OnOpenRecentFile(int nIndex) {
    if (nIndex < 0 || nIndex >= m_recentFiles.GetSize())
        return;
    const QString path = m_recentFiles[nIndex];
    if (!m_pDoc->GetPathName().isEmpty() &&
        QFileInfo(path).absoluteFilePath() == m_pDoc->GetPathName())
        return;
    if (!m_pDoc->SaveModified())
        return;
    if (m_pDoc->OnOpenDocument(path))
        return;
    // An entry that cannot be opened goes; a cancelled question keeps it.
    m_recentFiles.Remove(nIndex);
    m_pDoc->SetDefaultTitle();
    m_pDoc->OnNewDocument();
}

namespace {
// The recent-file entry i: enabled while the list is that long.
template <int i> void OpenRecent(CTavrelApp& app) {
    app.OnOpenRecentFile(i);
}
template <int i> bool HasRecent(CTavrelApp& app) {
    return i < app.RecentFiles().GetSize();
}
static_assert(settings::RecentFileCount == 9 && ID_FILE_MRU_FILE9 == ID_FILE_MRU_FILE1 + 8,
              "one entry below for each recent file");
} // namespace

std::span<const CTavrelApp::Command> CTavrelApp::Commands() {
    static const Command kCommands[] = {
        {ID_FILE_NEW, [](CTavrelApp& a) { a.OnFileNew(); }},
        {ID_FILE_OPEN, [](CTavrelApp& a) { a.OnFileOpen(); }},
        {ID_APP_ABOUT,
         [](CTavrelApp& a) {
             CAboutDlg dlg(a.m_pMainWnd.get());
             dlg.DoModal();
         }},
        {ID_FILE_MRU_FILE1 + 0, OpenRecent<0>, HasRecent<0>},
        {ID_FILE_MRU_FILE1 + 1, OpenRecent<1>, HasRecent<1>},
        {ID_FILE_MRU_FILE1 + 2, OpenRecent<2>, HasRecent<2>},
        {ID_FILE_MRU_FILE1 + 3, OpenRecent<3>, HasRecent<3>},
        {ID_FILE_MRU_FILE1 + 4, OpenRecent<4>, HasRecent<4>},
        {ID_FILE_MRU_FILE1 + 5, OpenRecent<5>, HasRecent<5>},
        {ID_FILE_MRU_FILE1 + 6, OpenRecent<6>, HasRecent<6>},
        {ID_FILE_MRU_FILE1 + 7, OpenRecent<7>, HasRecent<7>},
        {ID_FILE_MRU_FILE1 + 8, OpenRecent<8>, HasRecent<8>},
    };
    return kCommands;
}
