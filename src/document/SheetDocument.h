#pragma once
// The document's data side without any user interface: the one sheet, its
// undo history and the modified flag. The editor's document is one (it derives
// from this class and adds the user interface).
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "fw/FileError.h"
#include "document/SheetPreload.h"
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
    void SetModifiedFlag(bool b = true);

    // Counts the changes of the sheet (each marking as modified, each undo
    // and redo); the listener hears of every change and of every change of
    // the modified flag. The recovery copies follow the document this way.
    unsigned long long ChangeCount() const { return m_nChanges; }
    void SetChangeListener(std::function<void()> listener) { m_onChange = std::move(listener); }

    // Empties the sheet and the history (New and Open start afresh).
    void DeleteContents();
    // Reads path into the sheet; on failure the sheet is empty.
    std::optional<FileError> Open(const std::string& path);
    // A read of a file already under way: the next Open takes its result
    // when it opens that same path, and drops it otherwise.
    void SetPreload(std::unique_ptr<CSheetPreload> preload) { m_pPreload = std::move(preload); }
    // Writes the sheet to path atomically; on success the modified flag clears.
    std::optional<FileError> Save(const std::string& path);

    // A command's edge (fw/CommandRoute.h): where the document stands before
    // a command, and the way back there when the command failed: the sheet
    // as the first snapshot the command took holds it, the snapshots the
    // command took dropped, the modified flag as it was.
    struct CCommandMark {
        unsigned long long nPushed = 0;
        bool bModified = false;
    };
    CCommandMark MarkCommand() const { return {m_Undo.PushCount(), m_bModified}; }
    void RollBackCommand(const CCommandMark& mark);

    CSheetFile m_Sheet;
    CUndoStack m_Undo;

private:
    void Changed();

    std::unique_ptr<CSheetPreload> m_pPreload;
    bool m_bModified = false;
    unsigned long long m_nChanges = 0;
    std::function<void()> m_onChange;
};
