#pragma once
// The application: start-up in its fixed order (help path, settings store and
// recent files, document with frame and view, command line, reopening the
// last file or a new sheet, showing the window), and the commands New, Open,
// the recent files and printing from the command line.
#include <memory>
#include <span>

#include <QString>
#include <QStringList>

#include "app/RecentFileList.h"
#include "document/SheetPreload.h"
#include "fw/CmdTarget.h"

class CMainFrame;
class CProfile;
class QTranslator;
class CRecoveryGuard;
class CTavrelDoc;

// What the command line asks for.
struct CCommandLineInfo {
    enum Shell { FileNew, FileOpen, FilePrint, FilePrintTo, FilePrintToPdf };
    Shell m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strPdfName; // FilePrintToPdf: the file the pages go to

    static constexpr const char* kPrintToPdf = "--print-to-pdf";

    // Arguments without the program name: nothing, FILE, /p FILE, /pt FILE PRINTER [DRIVER PORT],
    // --print-to-pdf OUT.pdf FILE.
    static CCommandLineInfo Parse(const QStringList& args);
};

class CTavrelApp : public CCommandTable<CTavrelApp> {
public:
    // Every setting of the run goes to profile.
    explicit CTavrelApp(CProfile& profile);
    ~CTavrelApp() override;

    enum class StartResult { Run, Done, Failed };
    // The start-up; Run: enter the event loop, Done: finished without a
    // window (printed), Failed: exit with an error.
    StartResult InitInstance(const QStringList& args);
    // The command line's file, already being read (see StartPreload); the
    // document takes it when it opens that file.
    void SetPreload(std::unique_ptr<CSheetPreload> preload) { m_pPreload = std::move(preload); }
    // Starts reading the file args open or print, if any.
    static std::unique_ptr<CSheetPreload> StartPreload(const QStringList& args);

    CTavrelDoc* GetDocument() const { return m_pDoc.get(); }
    CMainFrame* GetMainWnd() const { return m_pMainWnd.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    // The recovery copies of the document (made by InitInstance).
    CRecoveryGuard* Recovery() const { return m_pRecovery.get(); }

    // A stop signal or the session's end: the recovery copy is written at
    // once, then the program quits without questions.
    void OnStopRequested();
    bool StopRequested() const { return m_bStopRequested; }
    const QString& HelpFilePath() const { return m_strHelpFilePath; }

    // Save question, then the new-file step.
    bool OnFileNew();
    // File dialog, then OpenDocumentFile.
    void OnFileOpen();
    // Save question, then the file; a failed open leaves a new sheet behind.
    bool OpenDocumentFile(const QString& path);
    void OnOpenRecentFile(int nIndex);

    // New, Open, About and the recent files.
    static std::span<const Command> Commands();

private:
    bool PrintFile(const CCommandLineInfo& cmdInfo);

    CProfile& m_profile;
    CRecentFileList m_recentFiles;
    QString m_strHelpFilePath;
    std::unique_ptr<CTavrelDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<CRecoveryGuard> m_pRecovery;
    std::unique_ptr<CSheetPreload> m_pPreload;
    bool m_bStopRequested = false;
};

// The program's directory followed by name.
QString GetModulePath(const QString& name);

// The help collection; it registers the help file Tavrl.qch beside it.
inline constexpr const char* kHelpFileName = "Tavrl.qhc";
// Where the help is: beside the program (a build tree), else in
// ../share/tavreler/ (an installed tree). When neither has it, the last
// place tried, for the message that names it.
QString FindHelpFile(const QString& moduleDir);

// The program's names, its icon and Qt's own texts in Japanese, set once
// before any window: the settings store goes by the names, a window shown
// before the main one (the first new-file dialog, the recovery question, an
// error) carries the program's icon, and the window manager shows every
// title exactly as the window sets it. translator must outlive the windows.
void SetUpApplication(QTranslator& translator);
