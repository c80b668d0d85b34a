#pragma once
// One cell of a row. The base class is a plain cell, which has no content:
// it draws nothing and ignores toggling. Check cells derive from it.
#include "fw/Archive.h"
#include "fw/DC.h"
#include "fw/Geometry.h"
#include "fw/Object.h"
#include "model/CellPool.h"

struct CDisplaySettings;

// What a cell is, as the file stores it in m_nType.
enum CellType : int { CELL_PLAIN = 0, CELL_CHECK = 1 };

class CDataItem : public CObject {
    DECLARE_SERIAL(CDataItem)
public:
    CDataItem() = default;
    void Serialize(CArchive& ar) override;

    // Cells come from the cell pool (a sheet holds a great many of them).
    static void* operator new(std::size_t size) { return CCellPool::Allocate(size); }
    static void operator delete(void* p, std::size_t size) noexcept { CCellPool::Free(p, size); }

    virtual int GetType() const { return m_nType; }
    virtual BOOL HitTest(int x, int y) const { return m_rect.PtInRect(CPoint(x, y)); }
    virtual void Draw(CDC* /*pDC*/, const CDisplaySettings& /*look*/) const {}
    virtual void Toggle() {}
    virtual void SetRect(int l, int t, int r, int b) { m_rect.SetRect(l, t, r, b); }
    virtual CRect GetRect() const { return m_rect; }
    virtual CDataItem* Clone() const;

    CRect m_rect;
    int m_nType = 0;
};
