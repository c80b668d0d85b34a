#include "undo/UndoStack.h"

void CUndoStack::Push(COstrelUndoUnit* pUnit) {
    std::unique_ptr<COstrelUndoUnit> unit(pUnit);
    if (GetSize() >= m_nMaxUnits) {
        m_arrUnits.erase(m_arrUnits.begin());
        --m_nPos;
        if (m_nPos < 0)
            m_nPos = 0;
    }
    m_arrUnits.resize(static_cast<std::size_t>(m_nPos));
    m_arrUnits.push_back(std::move(unit));
    m_nPos = GetSize();
    ++m_nPushed;
}

COstrelUndoUnit* CUndoStack::StepBack(COstrelUndoUnit* pCurrent) {
    std::unique_ptr<COstrelUndoUnit> current(pCurrent);
    if (!CanUndo())
        return nullptr;
    // The first undo since the last edit keeps the latest state for redo.
    if (m_nPos == GetSize())
        m_arrUnits.push_back(std::move(current));
    --m_nPos;
    return GetAt(m_nPos);
}

COstrelUndoUnit* CUndoStack::StepForward() {
    if (!CanRedo())
        return nullptr;
    ++m_nPos;
    return GetAt(m_nPos);
}

void CUndoStack::Clear() {
    m_arrUnits.clear();
    m_nPos = 0;
}
