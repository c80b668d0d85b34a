#include "dialogs/ColorBtn.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "fw/UserInterface.h"
#include "qt/QtDC.h"

namespace {

void SetPixel(CDC* pDC, int x, int y, COLORREF color) {
    pDC->FillSolidRect(CRect(x, y, x + 1, y + 1), color);
}

} // namespace

CColorBtn::CColorBtn(QWidget* parent)
    : QPushButton(parent),
      m_faceColor(ArgbToColorRef(QApplication::palette().color(QPalette::Button).rgb())) {
    // Enter belongs to the dialog's default button, not to the palette.
    setAutoDefault(false);
    m_dlgPalette.m_pButton = this;
    connect(this, &QPushButton::clicked, this, &CColorBtn::OnClicked);
}

UINT CColorBtn::ItemState() const {
    UINT state = 0;
    if (isDown())
        state |= ODS_SELECTED;
    if (!isEnabled())
        state |= ODS_DISABLED;
    if (hasFocus())
        state |= ODS_FOCUS;
    return state;
}

void CColorBtn::DrawItem(CDC* pDC, const CRect& rc, UINT state) const {
    int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const CPen* oldPen = pDC->SelectObject(&m_penBlack);
    // The face leaves out the last column and row, as a fill without a pen does.
    pDC->FillSolidRect(CRect(L, T, R - 1, B - 1), m_faceColor);

    if (!(state & ODS_SELECTED)) {
        pDC->SelectObject(&m_penBlack);
        pDC->MoveTo(L, B - 1);
        pDC->LineTo(R - 1, B - 1);
        pDC->LineTo(R - 1, T);
        pDC->SelectObject(&m_penDark);
        pDC->MoveTo(L + 1, B - 2);
        pDC->LineTo(R - 2, B - 2);
        pDC->LineTo(R - 2, T + 1);
        pDC->SelectObject(&m_penWhite);
        pDC->LineTo(L + 1, T + 1);
        pDC->LineTo(L + 1, B - 2);
    } else {
        pDC->SelectObject(&m_penDark);
        pDC->MoveTo(L, B - 1);
        pDC->LineTo(L, T);
        pDC->LineTo(R - 1, T);
        pDC->SelectObject(&m_penWhite);
        pDC->MoveTo(R - 1, T - 1);
        pDC->LineTo(R - 1, B - 1);
        pDC->LineTo(L + 1, B - 1);
        pDC->SelectObject(&m_penBlack);
        pDC->MoveTo(L + 1, B - 2);
        pDC->LineTo(L + 1, T + 1);
        pDC->LineTo(R - 2, T + 1);
        // The content moves with the pressed face.
        ++L;
        ++T;
        ++R;
        ++B;
    }

    // The etched separator.
    pDC->SelectObject(&m_penWhite);
    pDC->MoveTo(R - 10, T + 4);
    pDC->LineTo(R - 10, B - 4);
    pDC->SelectObject(&m_penDark);
    pDC->MoveTo(R - 11, T + 4);
    pDC->LineTo(R - 11, B - 4);

    // The arrow: five, three and one pixel.
    const bool disabled = (state & ODS_DISABLED) != 0;
    const int M = B / 2;
    pDC->SelectObject(disabled ? &m_penDark : &m_penBlack);
    pDC->MoveTo(R - 4, M - 1);
    pDC->LineTo(R - 9, M - 1);
    pDC->MoveTo(R - 5, M);
    pDC->LineTo(R - 8, M);
    if (disabled) {
        SetPixel(pDC, R - 4, M - 1, 0xFFFFFF);
        SetPixel(pDC, R - 5, M, 0xFFFFFF);
        SetPixel(pDC, R - 6, M + 1, 0xFFFFFF);
    } else {
        SetPixel(pDC, R - 6, M + 1, 0x000000);
        // The swatch, framed in black.
        pDC->FillSolidRect(CRect(L + 5, T + 4, R - 15, B - 4), m_color);
        pDC->SelectObject(&m_penBlack);
        pDC->Rectangle(CRect(L + 5, T + 4, R - 15, B - 4));
    }

    if (state & ODS_FOCUS) {
        for (int x = L + 3; x < R - 4; x += 2) {
            SetPixel(pDC, x, T + 3, 0x000000);
            SetPixel(pDC, x, B - 4, 0x000000);
        }
        for (int y = T + 3; y < B - 4; y += 2) {
            SetPixel(pDC, L + 3, y, 0x000000);
            SetPixel(pDC, R - 4, y, 0x000000);
        }
    }
    pDC->SelectObject(oldPen);
}

void CColorBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    CQtDC dc(painter);
    DrawItem(&dc, CRect(0, 0, width(), height()), ItemState());
}

void CColorBtn::OnClicked() {
    // Only a pick sets the index, so a close without one leaves the colour.
    if (m_dlgPalette.DoModal() != IDOK || m_dlgPalette.m_nColorIndex < 0)
        return;
    m_color = CColorBtnDlg::Palette().Color(m_dlgPalette.m_nColorIndex);
    update();
}
