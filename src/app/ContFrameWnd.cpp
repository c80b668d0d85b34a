#include "app/ContFrameWnd.h"

#include <QToolBar>

#include <cstdio>

#include "fw/Profile.h"
#include "model/Settings.h"
#include "res/CommandIds.h"

QRect CWindowPlacement::DefaultRect() {
    int v[4] = {0, 0, 0, 0};
    std::sscanf(settings::WindowRect.m_strDefault, "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

CWindowPlacement CWindowPlacement::FromRectString(const std::string& text) {
    CWindowPlacement wp;
    const QRect& d = wp.rcNormalPosition;
    int v[8] = {d.left(),
                d.top(),
                d.right() + 1,
                d.bottom() + 1,
                wp.ptMinPosition.x(),
                wp.ptMinPosition.y(),
                wp.ptMaxPosition.x(),
                wp.ptMaxPosition.y()};
    std::sscanf(text.c_str(), "%d,%d,%d,%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                &v[6], &v[7]);
    // A rectangle without area would give a window nobody can see or grab.
    if (v[2] > v[0] && v[3] > v[1])
        wp.rcNormalPosition = QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
    wp.ptMinPosition = QPoint(v[4], v[5]);
    wp.ptMaxPosition = QPoint(v[6], v[7]);
    return wp;
}

std::string CWindowPlacement::RectString() const {
    const QRect& r = rcNormalPosition;
    char buf[128];
    std::snprintf(buf, sizeof buf, "%d,%d,%d,%d,%d,%d,%d,%d", r.left(), r.top(),
                  r.left() + r.width(), r.top() + r.height(), ptMinPosition.x(), ptMinPosition.y(),
                  ptMaxPosition.x(), ptMaxPosition.y());
    return buf;
}

CContFrameWnd::CContFrameWnd(QWidget* parent) : QMainWindow(parent) {}

QWidget* CContFrameWnd::FindBar(int id) const {
    return findChild<QWidget*>(QString::number(id));
}

CWindowPlacement CContFrameWnd::GetWindowPlacement() const {
    CWindowPlacement wp = m_placement;
    wp.rcNormalPosition = normalGeometry().isValid() ? normalGeometry() : geometry();
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        wp.showCmd = SW_SHOWMINIMIZED;
        wp.flags = (state & Qt::WindowMaximized) ? WPF_RESTORETOMAXIMIZED : 0;
    } else if (state & Qt::WindowMaximized) {
        wp.showCmd = SW_SHOWMAXIMIZED;
        wp.flags = 0;
    } else {
        wp.showCmd = SW_SHOWNORMAL;
        wp.flags = 0;
    }
    return wp;
}

void CContFrameWnd::ActivateFrame(int nCmdShow) {
    if (m_bFirstActivate) {
        m_bFirstActivate = false;
        LoadPlacement(nCmdShow);
    }
    switch (nCmdShow) {
    case SW_HIDE:
        hide();
        break;
    case SW_SHOWMINIMIZED:
    case 6: // minimise
    case 7: // minimised without activation
        showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        showMaximized();
        break;
    default:
        show();
        break;
    }
    raise();
    activateWindow();
}

void CContFrameWnd::LoadPlacement(int& nCmdShow) {
    CProfile& profile = AfxGetProfile();
    m_placement =
        CWindowPlacement::FromRectString(ReadSettingString(settings::WindowRect, profile));
    m_placement.showCmd = ReadSettingInt(settings::WindowShowCmd, profile);
    // A stored hidden state would leave the program running without a window.
    if (m_placement.showCmd == SW_HIDE)
        m_placement.showCmd = SW_SHOWNORMAL;
    nCmdShow = m_placement.showCmd;
    m_placement.flags = ReadSettingInt(settings::WindowFlags, profile);
    if (QWidget* bar = FindBar(ID_VIEW_TOOLBAR))
        bar->setVisible(ReadSettingInt(settings::WindowToolBar, profile) != 0);
    if (QWidget* bar = FindBar(ID_VIEW_STATUS_BAR))
        bar->setVisible(ReadSettingInt(settings::WindowStatusBar, profile) != 0);
    setGeometry(m_placement.rcNormalPosition);
}

void CContFrameWnd::SavePlacement() {
    CProfile& profile = AfxGetProfile();
    const CWindowPlacement wp = GetWindowPlacement();
    WriteSettingString(settings::WindowRect, wp.RectString(), profile);
    WriteSettingInt(settings::WindowShowCmd, wp.showCmd, profile);
    WriteSettingInt(settings::WindowFlags, wp.flags, profile);
    // A floating tool bar is not part of the frame: its state is left as it was.
    auto docked = [](QWidget* bar) {
        auto* toolBar = qobject_cast<QToolBar*>(bar);
        return bar && !(toolBar && toolBar->isFloating());
    };
    if (QWidget* bar = FindBar(ID_VIEW_TOOLBAR); docked(bar))
        WriteSettingInt(settings::WindowToolBar, bar->isVisibleTo(this) ? 1 : 0, profile);
    if (QWidget* bar = FindBar(ID_VIEW_STATUS_BAR); docked(bar))
        WriteSettingInt(settings::WindowStatusBar, bar->isVisibleTo(this) ? 1 : 0, profile);
}
