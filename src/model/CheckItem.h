#pragma once
// A check cell: a 15 x 15 box centred in the cell, checked or not.
#include <typeinfo>

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
// when it says so (a file may store any type on either class). The exact
// class is tried first: it is what almost every cell is, and far cheaper to
// test than a cast that searches the class tree.
inline const CCheckItem* AsCheckItem(const CDataItem* p) {
    if (!p || p->GetType() != CELL_CHECK)
        return nullptr;
    if (typeid(*p) == typeid(CCheckItem))
        return static_cast<const CCheckItem*>(p);
    return dynamic_cast<const CCheckItem*>(p);
}
inline CCheckItem* AsCheckItem(CDataItem* p) {
    return const_cast<CCheckItem*>(AsCheckItem(static_cast<const CDataItem*>(p)));
}
