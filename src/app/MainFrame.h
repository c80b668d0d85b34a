#pragma once
// The main window: menu bar, tool bar, status bar and the grid view, all
// built from the command table. It heads the command routing: the view, the
// document, the frame itself, then the application.
#include <memory>
#include <span>
#include <vector>

#include <QString>

#include "app/ContFrameWnd.h"
#include "fw/CmdTarget.h"

class CHelpWindow;
class CTavrelDoc;
class CTavrelView;
class CViewCommandGuard;
class CRecentFileList;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QStyle;
class QToolBar;

class CMainFrame : public CContFrameWnd, public CCommandTable<CMainFrame> {
    Q_OBJECT
public:
    // pApp receives what neither the view, the document nor the frame handles.
    CMainFrame(CTavrelDoc* pDoc, CCmdTarget* pApp, CRecentFileList* pRecent = nullptr);
    ~CMainFrame() override;

    CTavrelView* GetActiveView() const { return m_pView; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }

    // The bars, exit and help; the route asks the view and the document
    // before this table, the application after it.
    static std::span<const Command> Commands();

    // Enable and check the tool bar buttons (when the program is idle).
    void UpdateToolBar();
    // The window title: "<document> - Tavreler".
    void OnUpdateFrameTitle();
    // The lock indicators for a KeyLockState() value: each shows its text
    // while its lock is on.
    void ShowLockState(int state);
    // The check counts pane follows the sheet and the cursor.
    void UpdateCounts();
    QLabel* CountsPane() const { return m_pCounts; }
    QLabel* FilterPane() const { return m_pFilterPane; }

    // Help. Every help request ends in WinHelp: HELP_CONTEXT opens the topic
    // of context number dwData, HELP_FINDER the first page, HELP_PARTIALKEY
    // the keyword index. A missing help file is reported with its path.
    void WinHelp(DWORD dwData, UINT nCmd);
    // The F1 request: id is the highlighted menu item's command, 0 for none.
    void OnHelpInfo(int id);
    void OnHelpSearch();
    void OnHomePage();
    void SetHelpFilePath(const QString& path) { m_strHelpFilePath = path; }
    const QString& HelpFilePath() const { return m_strHelpFilePath; }
    CHelpWindow* HelpWindow() const { return m_pHelpWnd; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenuBar();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    void FillRecentFiles(QMenu* fileMenu);
    void UpdateIndicators();
    // Context help for the active window: the dialog in front, else the main window.
    void OnContextHelp();
    bool OnHelpKey(QObject* watched);
    // The resource id whose help F1 shows when no menu item is highlighted.
    UINT ActiveWindowHelpId() const;
    void PrepareMenu(QObject* watched);

    CTavrelDoc* m_pDoc;
    CCmdTarget* m_pApp;
    CRecentFileList* m_pRecent;
    CTavrelView* m_pView = nullptr;
    std::unique_ptr<CViewCommandGuard> m_pGuard; // this frame's commands fail safely
    QToolBar* m_wndToolBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_pMessage = nullptr;
    QLabel* m_pFilterPane = nullptr;
    QLabel* m_pCounts = nullptr;
    std::vector<QLabel*> m_indicators;
    std::vector<QAction*> m_toolActions;
    std::vector<QAction*> m_recentActions;
    QAction* m_pRecentPlaceholder = nullptr;
    QString m_strHelpFilePath;
    CHelpWindow* m_pHelpWnd = nullptr;
    QStyle* m_pMenuStyle = nullptr;
    bool m_bShown = false;
};
