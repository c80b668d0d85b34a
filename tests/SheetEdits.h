#pragma once
// Set-up writes for tests, made through the sheet's own edit calls as the
// commands make them: rows and columns are read only from outside.
#include <string>

#include "model/CheckItem.h"
#include "model/SheetFile.h"

// The check state of a cell, stored as given (any value), whatever its type.
inline void SetChecked(CSheetFile& s, int line, int column, int b = 1) {
    s.EditLine(line, [&](CLineData& l) {
        if (auto* c = dynamic_cast<CCheckItem*>(l.GetAt(column)))
            c->m_bCheck = b;
    });
}

inline void SetLineName(CSheetFile& s, int line, const std::string& name) {
    s.EditLine(line, [&](CLineData& l) { l.m_strName = name; });
}

inline void SetColumnName(CSheetFile& s, int column, const std::string& name) {
    s.EditColumn(column, [&](CColumnData& c) { c.m_strName = name; });
}
