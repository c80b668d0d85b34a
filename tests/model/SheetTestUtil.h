#pragma once
// Building small sheets from a compact description and writing them back
// as one line of text, so that import results compare as strings.
#include <string>
#include <vector>

#include "model/CheckItem.h"
#include "model/SheetFile.h"

namespace iotest {

// A row: its name and one letter per cell: '1' checked, '0' unchecked,
// 'p' a plain cell.
struct RowSpec {
    std::string name;
    std::string cells;
};

inline void BuildSheet(CSheetFile& sheet, const std::vector<std::string>& columns,
                       const std::vector<RowSpec>& rows) {
    for (const auto& c : columns)
        sheet.AddColumn(c, 1);
    for (const auto& r : rows) {
        sheet.AddLine(r.name);
        sheet.EditLine(sheet.GetSize() - 1, [&](CLineData& line) {
            for (std::size_t k = 0; k < r.cells.size() && static_cast<int>(k) < line.GetSize();
                 ++k) {
                const int i = static_cast<int>(k);
                if (r.cells[k] == 'p') {
                    line.RemoveAt(i);
                    line.InsertAt(i, new CDataItem);
                } else {
                    dynamic_cast<CCheckItem*>(line.GetAt(i))->m_bCheck = r.cells[k] == '1';
                }
            }
        });
    }
}

// "A,B;r1=10;r2=0p": the column names, then each row with its cells.
inline std::string Dump(const CSheetFile& sheet) {
    std::string s;
    for (int j = 0; j < sheet.m_Columns.GetSize(); ++j)
        s += (j ? "," : "") + sheet.m_Columns.GetAt(j)->m_strName;
    for (int i = 0; i < sheet.GetSize(); ++i) {
        const CLineData* pLine = sheet.GetAt(i);
        s += ";" + pLine->m_strName + "=";
        for (int k = 0; k < pLine->GetSize(); ++k) {
            const auto* pCheck = dynamic_cast<const CCheckItem*>(pLine->GetAt(k));
            s += pCheck ? (pCheck->m_bCheck ? '1' : '0') : 'p';
        }
    }
    return s;
}

// Code page 932 bytes of the texts the tests use.
inline const std::string kCorner = "\x8d\x80\x96\xda\x96\xbc"; // 項目名
inline const std::string kMaru = "\x81\x9b";                   // ○
inline const std::string kBatsu = "\x81\x7e";                  // ×

} // namespace iotest
