// The main frame's help: the help routine, F1 on menu items and elsewhere,
// the help commands and the home page.
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QProxyStyle>

#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "fw/CommandRoute.h"
#include "fw/UserInterface.h"
#include "res/AppInfo.h"
#include "res/CommandIds.h"

namespace {

// Menus of this frame: the menu bar's popups and the view's context menu.
bool BelongsTo(const QWidget* w, const QWidget* frame) {
    for (; w; w = w->parentWidget())
        if (w == frame)
            return true;
    return false;
}

// Greyed menu items can be highlighted, so that F1 explains them too (and
// the keyboard steps over them as the platform's menus do).
class CMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace

void CMainFrame::WinHelp(DWORD dwData, UINT nCmd) {
    CWaitCursor wait;
    // Nothing keeps tracking the mouse while help comes up: open menus
    // close and a capture is let go.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
    }
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();

    QString missing = CHelpWindow::MissingFile(m_strHelpFilePath);
    if (missing.isEmpty()) {
        if (!m_pHelpWnd)
            m_pHelpWnd = new CHelpWindow(this);
        // A collection that names no readable help file counts as missing too.
        if (!m_pHelpWnd->SetCollection(m_strHelpFilePath)) {
            const QFileInfo qhc(m_strHelpFilePath);
            missing =
                qhc.absolutePath() + QChar('/') + qhc.completeBaseName() + QStringLiteral(".qch");
        }
    }
    if (!missing.isEmpty()) {
        AfxGetUserInterface().MessageBox("ヘルプファイルがありません：" + missing.toStdString(),
                                         MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    switch (nCmd) {
    case HELP_CONTEXT:
        m_pHelpWnd->ShowContext(dwData);
        break;
    case HELP_FINDER:
        m_pHelpWnd->ShowDefaultTopic();
        break;
    case HELP_PARTIALKEY:
        m_pHelpWnd->ShowIndex();
        break;
    default:
        break;
    }
}

void CMainFrame::OnHelpInfo(int id) {
    // 9 is the id the system gives the window's own menu.
    if (id <= 0 || id == 9) {
        RunCommand(ID_HELP);
        return;
    }
    WinHelp(HID_BASE_COMMAND | DWORD(id), HELP_CONTEXT);
}

void CMainFrame::OnHelpSearch() {
    WinHelp(0, HELP_PARTIALKEY);
}

void CMainFrame::OnHomePage() {
    // Whether a browser came up is the desktop's business.
    AfxGetUserInterface().ShellOpen(appinfo::HomePage());
}

void CMainFrame::OnContextHelp() {
    WinHelp(DWORD(HID_BASE_RESOURCE) + ActiveWindowHelpId(), HELP_CONTEXT);
}

void CMainFrame::PrepareMenu(QObject* watched) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || !BelongsTo(menu, this))
        return;
    if (!m_pMenuStyle) {
        m_pMenuStyle = new CMenuStyle;
        m_pMenuStyle->setParent(this);
    }
    if (menu->style() != m_pMenuStyle)
        menu->setStyle(m_pMenuStyle);
}

UINT CMainFrame::ActiveWindowHelpId() const {
    // A dialog is known by its template's id; one without (a message box,
    // Qt's own dialogs) takes the help of the window that opened it.
    for (const QWidget* w = QApplication::activeModalWidget(); w; w = w->parentWidget()) {
        bool isId = false;
        const uint id = w->objectName().toUInt(&isId);
        if (isId && id > 0)
            return id;
    }
    return IDR_MAINFRAME;
}

bool CMainFrame::OnHelpKey(QObject* watched) {
    if (!watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    // F1 in a dialog: the framework's default path, help for the active window.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (w->window() != modal)
            return false;
        OnHelpInfo(0);
        return true;
    }
    if (auto* menu = qobject_cast<QMenu*>(w)) {
        if (!BelongsTo(menu, this))
            return false;
        const QAction* item = menu->activeAction();
        int id = 0;
        if (item && !item->isSeparator() && !item->menu() && item->data().isValid())
            id = int(item->data().toUInt());
        OnHelpInfo(id);
        return true;
    }
    if (w->window() != this)
        return false;
    OnHelpInfo(0);
    return true;
}
