#pragma once
// The document's undo history: owned snapshot units, oldest first, with the
// undo point m_nPos between the states that undo and redo return to.
#include <memory>
#include <vector>

#include "undo/OstrelUndoUnit.h"

class CUndoStack {
public:
    void Push(COstrelUndoUnit* pUnit);
    // The unit to show after stepping back (the current state is kept in
    // pCurrent when this is the first undo since the last edit), or nullptr.
    COstrelUndoUnit* StepBack(COstrelUndoUnit* pCurrent);
    COstrelUndoUnit* StepForward();
    bool CanUndo() const { return m_nPos > 0; }
    bool CanRedo() const { return m_nPos < GetSize() - 1; }
    void Clear();
    // Drops the units from first on; the undo point goes to the new end.
    void DropFrom(int first) {
        m_arrUnits.resize(static_cast<std::size_t>(first));
        m_nPos = first;
    }

    // How many units were ever pushed: a command's edge tells by it which
    // snapshots the command took.
    unsigned long long PushCount() const { return m_nPushed; }

    int GetSize() const { return static_cast<int>(m_arrUnits.size()); }
    int GetPos() const { return m_nPos; }
    COstrelUndoUnit* GetAt(int i) const { return m_arrUnits[static_cast<std::size_t>(i)].get(); }

    std::vector<std::unique_ptr<COstrelUndoUnit>> m_arrUnits;
    int m_nPos = 0;
    int m_nMaxUnits = 100;

private:
    unsigned long long m_nPushed = 0;
};
