#pragma once
// Fonts as the settings describe them, realised on Qt: a positive height is
// the cell height (the largest pixel size whose ascent plus descent fits),
// a negative one the character height; the Windows Japanese faces map to an
// installed Japanese face while the stored name keeps its bytes.
#include <QFont>

#include "fw/DC.h"

// The Qt font for a description; cached in the description's platform slot.
QFont QtFontFor(const CFont& font);
// tmHeight = ascent + descent, tmAveCharWidth = the font's average character width.
TEXTMETRIC QtTextMetrics(const QFont& font);
// Maps the Windows Japanese face names onto installed faces (once per run).
void InstallJapaneseFontSubstitutes();
