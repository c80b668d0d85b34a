#include "document/SheetDocument.h"

#include "model/SheetIo.h"
#include "undo/TavrlUndo.h"

void CSheetDocument::SaveUndo() {
    m_Undo.Push(new CTavrlUndo(m_Sheet));
}

void CSheetDocument::SetModifiedFlag(bool b) {
    m_bModified = b;
    if (b)
        ++m_nChanges;
    Changed();
}

void CSheetDocument::Changed() {
    if (m_onChange)
        m_onChange();
}

void CSheetDocument::Undo() {
    if (!CanUndo())
        return;
    // Only the first undo since the last edit keeps the shown state.
    CTavrlUndo* current = m_Undo.GetPos() == m_Undo.GetSize() ? new CTavrlUndo(m_Sheet) : nullptr;
    if (auto* unit = static_cast<CTavrlUndo*>(m_Undo.StepBack(current))) {
        m_Sheet.Copy(unit->m_Sheet);
        ++m_nChanges;
        Changed();
    }
}

void CSheetDocument::Redo() {
    if (auto* unit = static_cast<CTavrlUndo*>(m_Undo.StepForward())) {
        m_Sheet.Copy(unit->m_Sheet);
        ++m_nChanges;
        Changed();
    }
}

void CSheetDocument::DeleteContents() {
    m_Sheet.Clear();
    m_Undo.Clear();
}

std::optional<FileError> CSheetDocument::Open(const std::string& path) {
    m_Undo.Clear();
    const std::unique_ptr<CSheetPreload> preload = std::move(m_pPreload);
    auto err = preload && preload->Path() == path ? preload->TakeInto(m_Sheet)
                                                  : ReadSheetFile(m_Sheet, path);
    m_bModified = false;
    Changed();
    return err;
}

std::optional<FileError> CSheetDocument::Save(const std::string& path) {
    auto err = SaveSheetFile(m_Sheet, path);
    if (!err) {
        m_bModified = false;
        Changed();
    }
    return err;
}
