#pragma once
// A push button that shows a colour and lets the user change it: the face
// with a framed swatch on the left, an etched separator and a small arrow on
// the right, drawn pixel by pixel through the drawing context. A click opens
// the shared palette just below it; a pick changes m_color and redraws the
// button. The owner sets m_color before and reads it afterwards; it is not
// told of changes.
#include <QPushButton>

#include "dialogs/ColorBtnDlg.h"
#include "fw/DC.h"

class CColorBtn : public QPushButton {
    Q_OBJECT
public:
    // Item states of a drawing (the platform's owner-draw values).
    enum : UINT { ODS_SELECTED = 0x1, ODS_DISABLED = 0x4, ODS_FOCUS = 0x10 };

    explicit CColorBtn(QWidget* parent = nullptr);

    COLORREF m_color = 0xFFFFFF;

    // Draws the whole button into rc for the given item states.
    void DrawItem(CDC* pDC, const CRect& rc, UINT state) const;
    // The states the button is in now.
    UINT ItemState() const;
    // Runs the palette; on a pick, takes its colour and redraws.
    void OnClicked();

    CColorBtnDlg m_dlgPalette;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CPen m_penBlack{0x000000};
    CPen m_penDark{RGB(128, 128, 128)};
    CPen m_penWhite{0xFFFFFF};
    // The desktop's button face when the button was made.
    COLORREF m_faceColor;
};
