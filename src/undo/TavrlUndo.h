#pragma once
// One snapshot: a complete copy of the sheet.
#include "model/SheetFile.h"
#include "undo/OstrelUndoUnit.h"

class CTavrlUndo : public COstrelUndoUnit {
public:
    explicit CTavrlUndo(const CSheetFile& sheet) : m_Sheet(CSheetFile::kCopyTarget) {
        m_Sheet.Copy(sheet);
    }
    CSheetFile m_Sheet;
};
