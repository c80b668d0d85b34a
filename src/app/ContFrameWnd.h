#pragma once
// A main window that remembers its placement and whether its tool bar and
// status bar are shown: written to the "Window size" settings when the
// window closes, restored when it is first shown.
#include <string>

#include <QMainWindow>
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
// positions, the show state and its flags.
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

class CContFrameWnd : public QMainWindow {
public:
    explicit CContFrameWnd(QWidget* parent = nullptr);

    // First call only: restore the placement (which may replace nCmdShow); then show.
    void ActivateFrame(int nCmdShow = SW_SHOW);
    void LoadPlacement(int& nCmdShow);
    void SavePlacement();
    // The placement the window has now (normal rectangle even while maximised).
    CWindowPlacement GetWindowPlacement() const;

    bool m_bFirstActivate = true;

protected:
    // The bars whose visibility is remembered (found by their command ids).
    QWidget* FindBar(int id) const;
    CWindowPlacement m_placement;
};
