#pragma once
// Building a small sheet in one line and a compact text picture of a sheet,
// to compare before and after a command.
#include <string>

#include "SheetEdits.h"
#include "model/CheckItem.h"
#include "model/SheetFile.h"

// rows rows named r0.. and cols columns named c0.., the cells listed in
// checked ("row,col;...") ticked, the cursor at (curLine, curColumn).
inline void FillSheet(CSheetFile& s, int rows, int cols, int curLine, int curColumn,
                      const std::string& checked = "") {
    for (int c = 0; c < cols; ++c)
        s.AddColumn("c" + std::to_string(c), 1);
    for (int r = 0; r < rows; ++r)
        s.AddLine("r" + std::to_string(r));
    std::size_t pos = 0;
    while (pos < checked.size()) {
        std::size_t end = checked.find(';', pos);
        if (end == std::string::npos)
            end = checked.size();
        std::string pair = checked.substr(pos, end - pos);
        std::size_t comma = pair.find(',');
        int r = std::stoi(pair.substr(0, comma));
        int c = std::stoi(pair.substr(comma + 1));
        SetChecked(s, r, c);
        pos = end + 1;
    }
    s.m_nCurLine = curLine;
    s.m_nCurColumn = curColumn;
}

// "c0,c1|r0:10|r1:00|@1,0": column names, each row with its marks, cursor (row, column).
inline std::string Picture(const CSheetFile& s) {
    std::string out;
    for (int c = 0; c < s.m_Columns.GetSize(); ++c)
        out += (c ? "," : "") + s.m_Columns.GetAt(c)->m_strName;
    for (int r = 0; r < s.GetSize(); ++r) {
        const CLineData* line = s.GetAt(r);
        out += "|" + line->m_strName + ":";
        for (int c = 0; c < line->GetSize(); ++c) {
            const CCheckItem* check = AsCheckItem(line->GetAt(c));
            out += check ? (check->m_bCheck ? "1" : "0") : "-";
        }
    }
    out += "|@" + std::to_string(s.m_nCurLine) + "," + std::to_string(s.m_nCurColumn);
    return out;
}
