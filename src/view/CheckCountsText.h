#pragma once
// The text of the status bar pane that shows how much of the sheet is
// checked: "チェック 12/40", then "行 3/5" and "列 4/8" for the current row
// and column when there is one. Costs one walk of the current row.
#include <QString>

class CSheetFile;

QString CheckCountsText(const CSheetFile& sheet);
