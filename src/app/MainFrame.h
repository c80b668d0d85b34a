#pragma once
// The main window: menu bar, tool bar, status bar and the grid view, all
// built from the command table. It heads the command routing: the view, the
// document, the frame itself, then the application.
#include <vector>

#include "app/ContFrameWnd.h"
#include "fw/CmdTarget.h"

class CTavrelDoc;
class CTavrelView;
class CRecentFileList;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

class CMainFrame : public CContFrameWnd, public CCmdTarget {
    Q_OBJECT
public:
    // pApp receives what neither the view, the document nor the frame handles.
    CMainFrame(CTavrelDoc* pDoc, CCmdTarget* pApp, CRecentFileList* pRecent = nullptr);
    ~CMainFrame() override;

    CTavrelView* GetActiveView() const { return m_pView; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }

    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

    // Enable and check the tool bar buttons (when the program is idle).
    void UpdateToolBar();
    // The window title: "<document> - Tavreler".
    void OnUpdateFrameTitle();
    // The lock indicators for a KeyLockState() value: each shows its text
    // while its lock is on.
    void ShowLockState(int state);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenuBar();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();
    void FillRecentFiles(QMenu* fileMenu);
    void UpdateIndicators();

    CTavrelDoc* m_pDoc;
    CCmdTarget* m_pApp;
    CRecentFileList* m_pRecent;
    CTavrelView* m_pView = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_pMessage = nullptr;
    std::vector<QLabel*> m_indicators;
    std::vector<QAction*> m_toolActions;
    std::vector<QAction*> m_recentActions;
    QAction* m_pRecentPlaceholder = nullptr;
};
