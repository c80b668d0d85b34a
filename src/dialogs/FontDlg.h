#pragma once
// The choice of the row font or the column font, over the desktop's font
// dialog. It starts at the font as the settings describe it and offers the
// screen fonts without the effects group, so underline stays as it was. On
// OK the chosen font comes back in the same description: a negative height
// (the character height in pixels, as the font dialog's choices are stored),
// the weight on the 1..1000 scale (400 normal, 700 bold), and the character
// set 128 for a face that covers Japanese, 0 otherwise.
#include <functional>

#include <QFont>

#include "fw/DC.h"

class QWidget;

class CFontDlg {
public:
    CFontDlg(const CFont& font, QWidget* pParent = nullptr);

    // IDOK (m_font holds the choice) or IDCANCEL (m_font unchanged).
    int DoModal();

    CFont m_font;

    // When set, DoModal() calls this instead of showing the dialog: tests
    // answer for the user by filling m_font and returning IDOK/IDCANCEL.
    static std::function<int(CFontDlg&)> s_hook;

    // The dialog's starting font for a description, in points at dpi.
    static QFont ToQFont(const CFont& font, double dpi);
    // The description of a chosen font. A face the user kept keeps the name
    // it is stored under (a Windows face mapped to an installed one stays
    // "ＭＳ Ｐゴシック"); underline comes from original.
    static CFont FromQFont(const QFont& chosen, const CFont& original, double dpi);

private:
    QWidget* m_pParent;
};
