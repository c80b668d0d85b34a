#pragma once
// A check cell: a 15 x 15 box centred in the cell, checked or not.
#include "model/DataItem.h"

class CCheckItem : public CDataItem {
    DECLARE_SERIAL(CCheckItem)
public:
    CCheckItem() { m_nType = 1; }
    void Serialize(CArchive& ar) override;

    void Draw(CDC* pDC) const override;
    void Toggle() override { m_bCheck ^= 1; }
    void SetRect(int l, int t, int r, int b) override;
    CDataItem* Clone() const override;

    int m_bCheck = 0;
    CRect m_rcCheck;
};
