#include "app/ContFrameWnd.h"

#include <QEvent>
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

QMargins FrameMarginsOf(const QRect& outer, const QRect& inner) {
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

CContFrameWnd::CContFrameWnd(QWidget* parent) : QMainWindow(parent) {}

void CContFrameWnd::SetNormalRect(const QRect& outer) {
    // The frame is not known before the window manager has framed the
    // window: the inner area starts with the frame last seen (none at the
    // first showing) and is corrected by TrackFrame.
    m_rcPendingOuter = outer;
    resize(InnerRect(outer, m_frameMargins).size());
    // For a window, move() places the frame's corner.
    move(outer.topLeft());
}

void CContFrameWnd::TrackFrame() {
    if (!isVisible() ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QMargins frame = FrameMarginsOf(frameGeometry(), geometry());
    if (frame == m_frameMargins)
        return;
    m_frameMargins = frame;
    if (!m_rcPendingOuter.isNull()) {
        const QRect outer = m_rcPendingOuter;
        m_rcPendingOuter = QRect();
        resize(InnerRect(outer, frame).size());
        move(outer.topLeft());
    }
}

bool CContFrameWnd::event(QEvent* e) {
    const bool result = QMainWindow::event(e);
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowStateChange:
        TrackFrame();
        break;
    default:
        break;
    }
    return result;
}

QWidget* CContFrameWnd::FindBar(int id) const {
    return findChild<QWidget*>(QString::number(id));
}

CWindowPlacement CContFrameWnd::GetWindowPlacement() const {
    CWindowPlacement wp = m_placement;
    // The outer rectangle of the normal state: its inner area with the frame
    // as last seen in that state.
    const QRect inner = normalGeometry().isValid() ? normalGeometry() : geometry();
    wp.rcNormalPosition = OuterRect(inner, m_frameMargins);
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
        // Closed while minimised from the maximised state: restoring it
        // brings it back maximised.
        if (m_placement.flags & WPF_RESTORETOMAXIMIZED) {
            setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
            show();
        } else {
            showMinimized();
        }
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
    SetNormalRect(m_placement.rcNormalPosition);
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
