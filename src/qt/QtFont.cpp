#include "qt/QtFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct Realised {
    CFont key; // the description this font was made from
    QFont font;
};

bool SameDescription(const CFont& a, const CFont& b) {
    return a.m_strFaceName == b.m_strFaceName && a.m_nHeight == b.m_nHeight &&
           a.m_nWeight == b.m_nWeight && a.m_bItalic == b.m_bItalic &&
           a.m_bUnderline == b.m_bUnderline && a.m_nCharSet == b.m_nCharSet &&
           a.m_nPitchAndFamily == b.m_nPitchAndFamily;
}

QString FirstInstalled(const QStringList& candidates) {
    const QStringList families = QFontDatabase::families();
    for (const QString& c : candidates)
        if (families.contains(c, Qt::CaseInsensitive))
            return c;
    return {};
}

QFont Realise(const CFont& d) {
    InstallJapaneseFontSubstitutes();
    QFont font(QString::fromStdString(d.m_strFaceName));
    // Weights run 1..1000 as in the settings; Qt uses the same scale.
    font.setWeight(
        static_cast<QFont::Weight>(std::clamp(d.m_nWeight <= 0 ? 400 : d.m_nWeight, 1, 1000)));
    font.setItalic(d.m_bItalic != 0);
    font.setUnderline(d.m_bUnderline != 0);
    font.setKerning(false);
    if (d.m_nHeight < 0) {
        font.setPixelSize(-d.m_nHeight);
    } else {
        // The cell height: the largest font whose ascent and descent fit.
        const int cell = d.m_nHeight == 0 ? 16 : d.m_nHeight;
        int px = cell;
        font.setPixelSize(px);
        while (px > 1) {
            if (QtTextMetrics(font).tmHeight <= cell)
                break;
            font.setPixelSize(--px);
        }
    }
    return font;
}

} // namespace

void InstallJapaneseFontSubstitutes() {
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString gothic = FirstInstalled({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP",
                                           "Noto Sans JP", "VL PGothic", "TakaoPGothic"});
    const QString gothicMono =
        FirstInstalled({"IPAGothic", "Noto Sans Mono CJK JP", "IPAPGothic", "Noto Sans CJK JP"});
    const QString mincho = FirstInstalled(
        {"IPAPMincho", "IPAMincho", "Noto Serif CJK JP", "IPAPGothic", "Noto Sans CJK JP"});
    const QStringList families = QFontDatabase::families();
    auto map = [&](const QString& face, const QString& to) {
        if (!to.isEmpty() && !families.contains(face, Qt::CaseInsensitive))
            QFont::insertSubstitution(face, to);
    };
    for (const char* face :
         {"ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ ＵＩ ゴシック", "MS UI Gothic", "メイリオ",
          "Meiryo", "Meiryo UI", "游ゴシック", "Yu Gothic", "Yu Gothic UI"})
        map(QString::fromUtf8(face), gothic);
    for (const char* face : {"ＭＳ ゴシック", "MS Gothic"})
        map(QString::fromUtf8(face), gothicMono);
    for (const char* face :
         {"ＭＳ Ｐ明朝", "MS PMincho", "ＭＳ 明朝", "MS Mincho", "游明朝", "Yu Mincho"})
        map(QString::fromUtf8(face), mincho);
}

QFont QtFontFor(const CFont& font) {
    auto* cached = static_cast<Realised*>(font.m_pPlatform.get());
    if (cached && SameDescription(cached->key, font))
        return cached->font;
    auto realised = std::make_shared<Realised>();
    realised->key = font;
    realised->key.m_pPlatform.reset();
    realised->font = Realise(font);
    font.m_pPlatform = realised;
    return realised->font;
}

TEXTMETRIC QtTextMetrics(const QFont& font) {
    // The height as Qt's text layout takes it (the fractional ascent plus
    // descent, rounded up), so a line of text is exactly tmHeight high.
    QFontMetricsF fm(font);
    TEXTMETRIC tm;
    tm.tmHeight = static_cast<int>(std::ceil(fm.ascent() + fm.descent()));
    tm.tmAscent = static_cast<int>(std::ceil(fm.ascent()));
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmAveCharWidth = std::max(1, QFontMetrics(font).averageCharWidth());
    return tm;
}
