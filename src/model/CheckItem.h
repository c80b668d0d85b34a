#pragma once
// A check cell: a 15 x 15 box centred in the cell, checked or not.
#include <typeinfo>

#include "model/DataItem.h"

// GetType is not overridden here: AsCheckItem relies on that.
class CCheckItem : public CDataItem {
    DECLARE_SERIAL(CCheckItem)
public:
    CCheckItem() { m_nType = CELL_CHECK; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC* pDC, const CDisplaySettings& look) const override;
    void Toggle() override { m_bCheck ^= 1; }
    void SetRect(int l, int t, int r, int b) override;
    CDataItem* Clone() const override;
    // A check cell read the short way (CArchive::TakeObjectOf), exactly as
    // ReadObject and Serialize would read it, or nullptr when the next object
    // is anything else.
    static CCheckItem* ReadNext(CArchive& ar);
    // Writes p the short way (CArchive::PutObjectOf) when it is a check cell
    // of this very class following another; false (nothing written) else.
    static bool WriteNext(CArchive& ar, const CDataItem* p);

    // The box: centred in the rectangle SetRect gave the cell (at least a
    // pixel below its top); empty while the cell has not been placed.
    CRect CheckRect() const;
    // Back to unplaced: an empty rectangle and an empty box.
    void Unplace() {
        m_rect = CRect();
        m_bPlaced = false;
    }

    int m_bCheck = 0;

private:
    // The tick, inside the box's frame, when the cell is checked.
    void DrawCross(CDC* pDC, const CRect& box, const CDisplaySettings& look) const;

    // Whether m_rect came from SetRect (only then is there a box). The box
    // itself is not kept: a sheet holds a great many cells.
    bool m_bPlaced = false;
};

// The check cell a cell is, or nullptr: a cell counts as a check cell only
// when it says so (a file may store any type on either class). The exact
// class is tried first: it is what almost every cell is, it tells its type
// by its own m_nType (it keeps GetType as it is), and it is far cheaper to
// test than a cast that searches the class tree.
inline const CCheckItem* AsCheckItem(const CDataItem* p) {
    if (!p)
        return nullptr;
    if (typeid(*p) == typeid(CCheckItem))
        return p->m_nType == CELL_CHECK ? static_cast<const CCheckItem*>(p) : nullptr;
    if (p->GetType() != CELL_CHECK)
        return nullptr;
    return dynamic_cast<const CCheckItem*>(p);
}
inline CCheckItem* AsCheckItem(CDataItem* p) {
    return const_cast<CCheckItem*>(AsCheckItem(static_cast<const CDataItem*>(p)));
}
