#pragma once
// A main window that remembers its placement and whether its tool bar and
// status bar are shown: written to the "Window size" settings when the
// window closes, restored when it is first shown.
#include <string>

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QRect>

// Show commands as the settings store them.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOW = 5
};
enum : int { WPF_RESTORETOMAXIMIZED = 2 };

// The placement record: the normal rectangle, the minimised and maximised
// positions, the show state and its flags. The normal rectangle is the
// outer one, frame included, as the platform's placement record gives it.
struct CWindowPlacement {
    int showCmd = SW_SHOWNORMAL;
    int flags = 0;
    QPoint ptMinPosition{0, 0};
    QPoint ptMaxPosition{-1, -1};
    QRect rcNormalPosition = DefaultRect();

    // The rectangle of the settings table's default "Rect".
    static QRect DefaultRect();

    // "left,top,right,bottom,minx,miny,maxx,maxy"; fields that do not scan keep their defaults.
    static CWindowPlacement FromRectString(const std::string& text);
    std::string RectString() const;
};

// The frame around a window's inner area (how far the outer rectangle
// reaches beyond it on each side), and the rectangles one gives the other.
QMargins FrameMarginsOf(const QRect& outer, const QRect& inner);
inline QRect OuterRect(const QRect& inner, const QMargins& frame) {
    return inner.marginsAdded(frame);
}
inline QRect InnerRect(const QRect& outer, const QMargins& frame) {
    return outer.marginsRemoved(frame);
}

class CContFrameWnd : public QMainWindow {
public:
    explicit CContFrameWnd(QWidget* parent = nullptr);

    // First call only: restore the placement (which may replace nCmdShow); then show.
    void ActivateFrame(int nCmdShow = SW_SHOW);
    void LoadPlacement(int& nCmdShow);
    void SavePlacement();
    // The placement the window has now (normal rectangle even while maximised).
    CWindowPlacement GetWindowPlacement() const;
    // Places the window so that its frame covers outer: the frame's top-left
    // corner at outer's, and the inner area outer less the frame, corrected
    // once the window manager has framed the window.
    void SetNormalRect(const QRect& outer);

    bool m_bFirstActivate = true;

protected:
    bool event(QEvent* e) override;
    // The bars whose visibility is remembered (found by their command ids).
    QWidget* FindBar(int id) const;
    CWindowPlacement m_placement;

private:
    // Notes the frame while the window is shown in the normal state.
    void TrackFrame();

    QMargins m_frameMargins; // the frame as last seen in the normal state
    QRect m_rcPendingOuter;  // an outer rectangle still to be matched, or null
};
