#include "dialogs/FontDlg.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "fw/UserInterface.h"
#include "qt/QtFont.h"

namespace {

double ScreenDpi(QWidget* pParent) {
    if (pParent && pParent->logicalDpiY() > 0)
        return pParent->logicalDpiY();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
}

// The installed family a stored face name is drawn with.
QString RealisedFamily(const CFont& font) {
    return QFontInfo(QtFontFor(font)).family();
}

} // namespace

CFontDlg::CFontDlg(const CFont& font, QWidget* pParent) : m_font(font), m_pParent(pParent) {}

QFont CFontDlg::ToQFont(const CFont& font, double dpi) {
    const QFont realised = QtFontFor(font);
    QFont f(RealisedFamily(font));
    f.setWeight(realised.weight());
    f.setItalic(realised.italic());
    f.setUnderline(realised.underline());
    const int px = realised.pixelSize() > 0 ? realised.pixelSize() : 16;
    f.setPointSizeF(px * 72.0 / dpi);
    return f;
}

CFont CFontDlg::FromQFont(const QFont& chosen, const CFont& original, double dpi) {
    CFont f = original;
    f.m_pPlatform.reset();
    const QString family = chosen.family();
    if (family.compare(RealisedFamily(original), Qt::CaseInsensitive) != 0)
        f.m_strFaceName = family.toStdString();
    int px = chosen.pixelSize();
    if (px <= 0)
        px = static_cast<int>(std::lround(chosen.pointSizeF() * dpi / 72.0));
    f.m_nHeight = -std::max(px, 1);
    f.m_nWeight = std::clamp(static_cast<int>(chosen.weight()), 1, 1000);
    f.m_bItalic = chosen.italic() ? 1 : 0;
    const QString installed = QFontInfo(QFont(family)).family();
    f.m_nCharSet =
        QFontDatabase::writingSystems(installed).contains(QFontDatabase::Japanese) ? 128 : 0;
    return f;
}

int CFontDlg::DoModal() {
    return AfxGetUserInterface().DoModal(*this);
}

int CFontDlg::ShowModal() {
    const double dpi = ScreenDpi(m_pParent);
    QFontDialog dlg(ToQFont(m_font, dpi), m_pParent);
    dlg.setOption(QFontDialog::DontUseNativeDialog);
    // No effects: strike-out and underline are not offered.
    for (QCheckBox* box : dlg.findChildren<QCheckBox*>()) {
        box->hide();
        if (auto* group = qobject_cast<QGroupBox*>(box->parentWidget()))
            group->hide();
    }
    // What the dialog shows may be rounded to the sizes it lists.
    const QFont shown = dlg.currentFont();
    if (dlg.exec() != QDialog::Accepted)
        return IDCANCEL;
    const QFont chosen = dlg.selectedFont();
    CFont font = FromQFont(chosen, m_font, dpi);
    // A size the user left alone keeps its exact height, so OK alone does not
    // turn a height into the nearest listed size. A cell height (positive)
    // becomes the character height of the same font, as the dialog gives it.
    if (qFuzzyCompare(chosen.pointSizeF(), shown.pointSizeF()))
        font.m_nHeight =
            m_font.m_nHeight < 0 ? m_font.m_nHeight : -std::max(QtFontFor(m_font).pixelSize(), 1);
    // A style the user left alone stays as stored: a face without a bold or
    // italic style shows only its regular one, yet draws them simulated.
    if (chosen.weight() == shown.weight() && chosen.italic() == shown.italic()) {
        font.m_nWeight = m_font.m_nWeight;
        font.m_bItalic = m_font.m_bItalic ? 1 : 0;
    }
    font.m_bUnderline = m_font.m_bUnderline ? 1 : 0;
    m_font = font;
    return IDOK;
}
