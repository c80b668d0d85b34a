#pragma once
// The colour buttons' popup palette (template 5100): a caption-less window
// just below its button with the 20 swatches of the shared palette in a
// 4 × 5 grid and "Other..." for the desktop's colour dialog. It holds the
// mouse while open, so a click anywhere outside closes it without a change;
// Esc cancels, Tab moves among the swatches, Space or Enter picks one.
// A pick makes its slot the most recently used and ends with IDOK.
#include <QDialog>

#include "dialogs/ColorPalette.h"
#include "fw/Types.h"

class CColorBtn;
class QPushButton;

class CColorBtnDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 5100 };
    enum : int { IDC_SWATCH_FIRST = 5101, IDC_OTHER = 5121 };
    // The painted dialog frame around the template's client area, in pixels.
    enum { FRAME = 3 };

    explicit CColorBtnDlg(QWidget* pParent = nullptr);
    ~CColorBtnDlg() override;

    CColorBtn* m_pButton = nullptr;
    // The slot picked last; -1 until a pick in this run of the popup.
    int m_nColorIndex = -1;

    // Placed under m_pButton; IDOK after a pick, IDCANCEL otherwise.
    int DoModal();

    // The palette every colour button shares, for the whole run.
    static CColorPalette& Palette();

    // Where the popup goes: its top-left corner at the button's bottom-left;
    // above the button when it would pass the screen's bottom, shifted left
    // when it would pass the screen's right edge.
    static QRect PlacePopup(const QRect& button, const QSize& popup, const QRect& screen);

    // A swatch or "Other..." picked slot k.
    void OnPick(int k);
    // "Other...": the colour dialog; a colour the palette lacks replaces
    // the least recently used slot.
    void OnOther();

    QPushButton* Swatch(int k) const { return m_pSwatches[k]; }
    QPushButton* OtherButton() const { return m_pOther; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Place();
    // Hands a mouse event the popup received while holding the mouse on to
    // the child it is meant for.
    void Forward(QWidget* child, QMouseEvent* event);

    QPushButton* m_pSwatches[CColorPalette::SLOTS] = {};
    QPushButton* m_pOther = nullptr;
    QWidget* m_pPressed = nullptr; // the child a held button went down on
    bool m_bForwarding = false;
};
