#pragma once
// The sheet the editing benchmarks work on: rows × columns of check cells,
// laid out in a 1000 × 700 window, the cursor in the middle.
#include <memory>
#include <string>

#include "document/SheetDocument.h"
#include "model/LineData.h"
#include "model/SheetFile.h"

inline std::unique_ptr<CSheetDocument> MakeBenchDoc(int rows, int columns) {
    auto d = std::make_unique<CSheetDocument>();
    CSheetFile& s = d->m_Sheet;
    for (int c = 0; c < columns; ++c)
        s.AddColumn("column " + std::to_string(c), 1);
    for (int r = 0; r < rows; ++r)
        s.Add(std::make_unique<CLineData>("row " + std::to_string(r), columns));
    s.Layout(0, 0, 1000, 700);
    s.m_nCurLine = rows / 2;
    s.m_nCurColumn = columns / 2;
    return d;
}

// A short history: edits undone and redone by the undo benchmarks.
inline void MakeHistory(CSheetDocument& d, int edits) {
    for (int i = 0; i < edits; ++i) {
        d.SaveUndo();
        d.m_Sheet.m_nCurLine = i * 13 % d.m_Sheet.GetSize();
        d.m_Sheet.ToggleCur(nullptr);
    }
}
