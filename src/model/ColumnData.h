#pragma once
// One column: its name, detail and link file, and its header's place on screen.
#include <string>

#include "fw/Archive.h"
#include "fw/DC.h"
#include "fw/Object.h"
#include "model/CellPool.h"

struct CDisplaySettings;

class CColumnData : public CObject {
    DECLARE_SERIAL(CColumnData)
public:
    CColumnData() = default;
    explicit CColumnData(const std::string& name) : m_strName(name) {}
    CColumnData(const CColumnData& src);
    CColumnData& operator=(const CColumnData&) = delete;
    void Serialize(CArchive& ar) override;

    // Columns come from the cell pool too: a header may name millions of
    // them, and the general heap adds a header to each.
    static void* operator new(std::size_t size) { return CCellPool::Allocate(size); }
    static void operator delete(void* p, std::size_t size) noexcept { CCellPool::Free(p, size); }

    void SetRect(int l, int t, int r, int b) { m_rect.SetRect(l, t, r, b); }
    BOOL HitTest(int x, int y) const { return m_rect.PtInRect(CPoint(x, y)); }
    // x within the column's span, both edges included; y is not looked at.
    BOOL HorzHitTest(int x) const { return x >= m_rect.left && x <= m_rect.right; }
    void Select(CDC* pDC, const CDisplaySettings& look);
    void Draw(CDC* pDC, const CDisplaySettings& look) const;

    std::string m_strName; // code page 932, as every text of the sheet
    std::string m_strDetail;
    std::string m_strLinkFile;
    CRect m_rect;
    int m_bSelected = 0;

private:
    friend class CColumnList;
    int m_nRefs = 0; // sheets and snapshots holding this column (CColumnList)
};
