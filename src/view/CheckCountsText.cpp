#include "view/CheckCountsText.h"

#include "model/SheetFile.h"

namespace {
QString Tally(const char* label, const CCheckTally& t) {
    return QString::fromUtf8(label) + QStringLiteral(" %1/%2").arg(t.nChecked).arg(t.nTotal);
}
} // namespace

QString CheckCountsText(const CSheetFile& sheet) {
    QString text = Tally("チェック", sheet.CheckCounts());
    if (sheet.m_nCurLine >= 0 && sheet.m_nCurLine < sheet.GetSize())
        text += QLatin1Char(' ') + Tally("行", sheet.LineCheckCounts(sheet.m_nCurLine));
    if (sheet.m_nCurColumn >= 0 && sheet.m_nCurColumn < sheet.m_Columns.GetSize())
        text += QLatin1Char(' ') + Tally("列", sheet.ColumnCheckCounts(sheet.m_nCurColumn));
    return text;
}
