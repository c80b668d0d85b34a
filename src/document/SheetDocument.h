#pragma once
// The document's data side without any user interface: the one sheet, its
// undo history and the modified flag. The editor's document owns one.
#include <optional>
#include <string>

#include "fw/FileError.h"
#include "model/SheetFile.h"
#include "undo/UndoStack.h"

class CSheetDocument {
public:
    void SaveUndo();
    void Undo(); // only when CanUndo()
    void Redo(); // only when CanRedo()
    bool CanUndo() const { return m_Undo.CanUndo(); }
    bool CanRedo() const { return m_Undo.CanRedo(); }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool b = true) { m_bModified = b; }

    // Empties the sheet and the history (New and Open start afresh).
    void DeleteContents();
    // Reads path into the sheet; on failure the sheet is empty.
    std::optional<FileError> Open(const std::string& path);
    // Writes the sheet to path atomically; on success the modified flag clears.
    std::optional<FileError> Save(const std::string& path);

    CSheetFile m_Sheet;
    CUndoStack m_Undo;

private:
    bool m_bModified = false;
};
