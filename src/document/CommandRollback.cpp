// CSheetDocument's way back from a command that failed (see CCommandMark).
#include "document/SheetDocument.h"
#include "undo/TavrlUndo.h"

void CSheetDocument::RollBackCommand(const CCommandMark& mark) {
    const unsigned long long pushed = m_Undo.PushCount() - mark.nPushed;
    if (pushed > 0 && pushed <= static_cast<unsigned long long>(m_Undo.GetSize())) {
        const int first = m_Undo.GetSize() - static_cast<int>(pushed);
        // The snapshot holds the sheet as it was when the command began.
        m_Sheet.Copy(static_cast<CTavrlUndo*>(m_Undo.GetAt(first))->m_Sheet);
        m_Undo.DropFrom(first);
    }
    m_bModified = mark.bModified;
    ++m_nChanges;
    Changed();
}
