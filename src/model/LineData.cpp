#include "model/LineData.h"

#include "model/CheckItem.h"
#include "model/DisplaySettings.h"
#include "model/LayoutParams.h"
#include "model/PixelMath.h"

IMPLEMENT_SERIAL(CLineData, nullptr, 1)

CLineData::CLineData(const std::string& name, int nColumns) : m_strName(name) {
    Reserve(static_cast<std::size_t>(nColumns > 0 ? nColumns : 0));
    for (int i = 0; i < nColumns; ++i)
        Add(new CCheckItem);
    m_nPlacedId = kUnplaced;
    m_nPlacedVersion = GetVersion();
}

CLineData::CLineData(const CLineData& src)
    : CObject(), CTypedPtrArray<CDataItem>(), m_strName(src.m_strName),
      m_strDetail(src.m_strDetail), m_strLinkFile(src.m_strLinkFile), m_rect(src.m_rect),
      m_bSelected(src.m_bSelected), m_nPlacedId(src.m_nPlacedId), m_nPlacedTop(src.m_nPlacedTop) {
    Reserve(static_cast<std::size_t>(src.GetSize()));
    for (const CDataItem* p : src)
        Add(p->Clone());
    // The copy's cells sit where the source's were: still placed if those were.
    if (src.m_nPlacedVersion == src.GetVersion())
        m_nPlacedVersion = GetVersion();
}

void CLineData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(100);
        ar.WriteString(m_strName);
        ar.WriteString(m_strDetail);
        ar.WriteString(m_strLinkFile);
        ar.WriteCount(static_cast<std::size_t>(GetSize()));
        for (CDataItem* p : *this)
            if (!CCheckItem::WriteNext(ar, p))
                ar.WriteObject(p);
    } else {
        DWORD version;
        ar >> version;
        m_strName = ar.ReadString();
        m_strDetail = ar.ReadString();
        m_strLinkFile = ar.ReadString();
        const std::size_t n = ar.ReadCount();
        RemoveAll();
        Reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            // Nearly every cell is a check cell like the one before it.
            CDataItem* p = CCheckItem::ReadNext(ar);
            Add(p ? p : static_cast<CDataItem*>(ar.ReadObject(RUNTIME_CLASS(CDataItem))));
        }
        m_rect = CRect();
        m_nPlacedId = kUnplaced; // new cells: every rectangle empty
        m_nPlacedTop = 0;
        m_nPlacedVersion = GetVersion();
    }
}

void CLineData::Place(std::uint32_t id, const CLayoutParams& p, int t) {
    m_nPlacedId = id;
    m_nPlacedTop = t;
    m_nPlacedVersion = GetVersion();
    if (id == kUnplaced) {
        m_rect = CRect();
        for (CDataItem* c : *this) {
            if (auto* k = dynamic_cast<CCheckItem*>(c))
                k->Unplace();
            else
                c->m_rect = CRect();
        }
        return;
    }
    const int b = p.Bottom(t);
    m_rect.SetRect(p.nLeft, t, p.nRight, b);
    const int first = p.FirstColumn();
    const int n = GetSize();
    for (int i = 0; i < n; ++i) {
        if (i < first) {
            GetAt(i)->SetRect(0, 0, 0, 0);
        } else {
            const int x = p.CellLeft(i);
            GetAt(i)->SetRect(x, t, ClampCoord(std::int64_t(x) + p.nColumnWidth), b);
        }
    }
}

int CLineData::ItemFromPoint(int x, int y) const {
    const int n = GetSize();
    for (int i = 0; i < n; ++i)
        if (GetAt(i)->HitTest(x, y))
            return i;
    return -1;
}

void CLineData::Draw(CDC* pDC, const CDisplaySettings& look, int nameWidth, int firstColumn,
                     int right, int curColumn) const {
    const CRect& r = m_rect;
    const CPen* oldPen = pDC->SelectObject(&look.m_penLine);
    pDC->MoveTo(r.left, r.bottom);
    pDC->LineTo(r.right, r.bottom);

    const COLORREF bg = m_bSelected ? look.SelColor : look.BackColor;
    pDC->FillSolidRect(r.Deflated(1), bg);
    DrawCursor(pDC, look, curColumn);

    pDC->SetBkColor(bg);
    pDC->SetTextColor(m_bSelected ? look.SelTextColor : look.TextColor);
    const CFont* oldFont = pDC->SelectObject(&look.m_fontLine);
    pDC->DrawText(m_strName,
                  CRect(r.left, ClampCoord(std::int64_t(r.top) + 1),
                        ClampCoord(std::int64_t(r.left) + ClampPixelSize(nameWidth)), r.bottom),
                  DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    pDC->SelectObject(oldFont);

    const int n = GetSize();
    for (int i = firstColumn < 0 ? 0 : firstColumn; i < n; ++i) {
        const CDataItem* p = GetAt(i);
        if (p->GetRect().left > right)
            break;
        if (pDC->RectVisible(p->GetRect()))
            p->Draw(pDC, look);
    }
    pDC->SelectObject(oldPen);
}

void CLineData::DrawGrid(CDC* pDC, int nameWidth, int firstColumn, int right) const {
    const CRect& r = m_rect;
    const int x = ClampCoord(std::int64_t(r.left) + ClampPixelSize(nameWidth));
    pDC->MoveTo(x, r.top);
    pDC->LineTo(x, r.bottom);
    const int n = GetSize();
    for (int i = firstColumn < 0 ? 0 : firstColumn; i < n; ++i) {
        const CRect rc = GetAt(i)->GetRect();
        if (rc.left > right)
            break;
        pDC->MoveTo(rc.right, r.top);
        pDC->LineTo(rc.right, r.bottom);
    }
}

void CLineData::DrawCursor(CDC* pDC, const CDisplaySettings& look, int curColumn) const {
    if (curColumn < 0 || curColumn >= GetSize())
        return;
    pDC->FillSolidRect(GetAt(curColumn)->GetRect().Deflated(1),
                       m_bSelected ? look.CellColor : look.BackColor);
}
