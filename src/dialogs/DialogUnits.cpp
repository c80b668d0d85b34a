#include "dialogs/DialogUnits.h"

#include <QFontMetrics>

CDialogUnits::CDialogUnits(const QFont& font) {
    QFontMetrics fm(font);
    // The average width over the Latin letters, rounded as dialog templates do.
    int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = (width / 26 + 1) / 2;
    m_nBaseY = fm.height();
    // A font that measures as nothing (no font installed) would collapse the dialog.
    if (m_nBaseX <= 0)
        m_nBaseX = 6;
    if (m_nBaseY <= 0)
        m_nBaseY = 12;
}

QFont CDialogUnits::DialogFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(9);
    return font;
}
