#pragma once
// A text that works as a hyperlink: blue and underlined until a click has
// opened it, purple afterwards for as long as the control lives, with the
// pointing hand over it. A click opens the link text, or the control's own
// text when it has none, with the desktop's opener; a failed open beeps and
// keeps the colour.
#include <QLabel>
#include <QString>

#include "fw/ColorRef.h"

class CStaticLink : public QLabel {
    Q_OBJECT
public:
    static constexpr COLORREF kUnvisited = RGB(0, 0, 255);
    static constexpr COLORREF kVisited = RGB(128, 0, 128);

    explicit CStaticLink(const QString& link = QString(), QWidget* pParent = nullptr);

    // What a click opens; empty: the control's text.
    QString m_strLink;

    COLORREF LinkColor() const { return m_crLink; }
    // The click: opens the link; true when it was opened.
    bool OnLButtonDown();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void ApplyLook();

    COLORREF m_crLink = kUnvisited;
};
