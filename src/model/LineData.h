#pragma once
// One row: its name, detail and link file, its place on screen, and one cell
// per column (element j is the cell in column j).
#include <cstdint>
#include <string>

#include "fw/Archive.h"
#include "fw/DC.h"
#include "fw/Object.h"
#include "fw/TypedPtrArray.h"
#include "model/DataItem.h"

struct CDisplaySettings;
struct CLayoutParams;

class CLineData : public CObject, public CTypedPtrArray<CDataItem> {
    DECLARE_SERIAL(CLineData)
public:
    CLineData() = default;
    // A row with n unchecked check cells, not placed yet.
    CLineData(const std::string& name, int nColumns);
    CLineData(const CLineData& src);
    CLineData& operator=(const CLineData&) = delete;
    void Serialize(CArchive& ar) override;

    // Places the row and its cells with a set of layout parameters (number
    // id) and the row's top; cells before the first visible column are
    // scrolled out. The row remembers what it was placed with, so placing it
    // again the same way costs nothing.
    // kUnplaced: every rectangle empty, as in a new row.
    void Place(std::uint32_t id, const CLayoutParams& p, int t);
    static constexpr std::uint32_t kUnplaced = 0xFFFFFFFF;
    bool IsPlaced(std::uint32_t id, int t) const {
        return m_nPlacedId == id && m_nPlacedTop == t && m_nPlacedVersion == GetVersion();
    }
    // The rectangles are those of the last Place: no cell was added, removed
    // or moved since.
    bool IsPlacementKnown() const { return m_nPlacedId != 0 && m_nPlacedVersion == GetVersion(); }
    std::uint32_t PlacedId() const { return m_nPlacedId; }
    int PlacedTop() const { return m_nPlacedTop; }
    int ItemFromPoint(int x, int y) const;
    BOOL HitTest(int x, int y) const { return m_rect.PtInRect(CPoint(x, y)); }
    void Select() { m_bSelected = 1; }

    // Drawn in the sheet's look, the name in the first nameWidth pixels.
    void Draw(CDC* pDC, const CDisplaySettings& look, int nameWidth, int firstColumn, int right,
              int curColumn) const;
    void DrawGrid(CDC* pDC, int nameWidth, int firstColumn, int right) const;
    void DrawCursor(CDC* pDC, const CDisplaySettings& look, int curColumn) const;

    std::string m_strName;
    std::string m_strDetail;
    std::string m_strLinkFile;
    CRect m_rect;
    int m_bSelected = 0;

private:
    friend class CLineList;
    mutable int m_nRefs = 0; // sheets and snapshots holding this row (CLineList)
    std::uint32_t m_nPlacedId = 0;
    int m_nPlacedTop = 0;
    std::uint64_t m_nPlacedVersion = ~std::uint64_t(0);
};
