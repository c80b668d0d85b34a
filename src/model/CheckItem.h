#pragma once
// A check cell: a 15 x 15 box centred in the cell, checked or not.
#include "model/DataItem.h"

class CCheckItem : public CDataItem {
    DECLARE_SERIAL(CCheckItem)
public:
    CCheckItem() { m_nType = CELL_CHECK; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC* pDC) const override;
    void Toggle() override { m_bCheck ^= 1; }
    void SetRect(int l, int t, int r, int b) override;
    CDataItem* Clone() const override;

    int m_bCheck = 0;
    CRect m_rcCheck;
};

// The check cell a cell is, or nullptr: a cell counts as a check cell only
// when it says so (a file may store any type on either class).
inline CCheckItem* AsCheckItem(CDataItem* p) {
    return p && p->GetType() == CELL_CHECK ? dynamic_cast<CCheckItem*>(p) : nullptr;
}
inline const CCheckItem* AsCheckItem(const CDataItem* p) {
    return p && p->GetType() == CELL_CHECK ? dynamic_cast<const CCheckItem*>(p) : nullptr;
}
