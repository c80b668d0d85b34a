#pragma once
// The program's picture, kept once as shapes on a 16 x 16 grid: a white
// sheet with a yellow header row, grey grid lines, a black outline and a red
// tick. The window icon, the desktop's icons at every size and the scalable
// icon are all drawn from it; a sheet file's icon adds a folded corner.
#include <QImage>
#include <QString>

enum class IconKind { Program, SheetFile };

// The picture at px x px pixels, transparent round the sheet.
QImage DrawIconPicture(IconKind kind, int px);
// The same picture as an SVG document.
QString IconPictureSvg(IconKind kind);
