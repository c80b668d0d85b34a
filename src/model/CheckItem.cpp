#include "model/CheckItem.h"

#include "model/DisplaySettings.h"
#include "model/PixelMath.h"

IMPLEMENT_SERIAL(CCheckItem, RUNTIME_CLASS(CDataItem), 1)

// ReadNext and WriteNext handle the same bytes the short way: the three
// change together.
void CCheckItem::Serialize(CArchive& ar) {
    CDataItem::Serialize(ar);
    if (ar.IsStoring()) {
        ar << DWORD(100) << LONG(m_bCheck);
    } else {
        DWORD version;
        LONG check;
        ar >> version >> check;
        m_bCheck = check;
    }
}

void CCheckItem::SetRect(int l, int t, int r, int b) {
    CDataItem::SetRect(l, t, r, b);
    m_bPlaced = true;
}

CCheckItem* CCheckItem::ReadNext(CArchive& ar) {
    // What the two Serialize read: the cell's version and type, then the
    // check cell's version and check (the versions are not kept).
    const BYTE* b = ar.TakeObjectOf(RUNTIME_CLASS(CCheckItem), 16);
    if (!b)
        return nullptr;
    auto dword = [](const BYTE* p) {
        return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
    };
    auto* p = new CCheckItem;
    p->m_nType = static_cast<LONG>(dword(b + 4));
    p->m_bCheck = static_cast<LONG>(dword(b + 12));
    return p;
}

bool CCheckItem::WriteNext(CArchive& ar, const CDataItem* p) {
    if (typeid(*p) != typeid(CCheckItem))
        return false;
    BYTE* b = ar.PutObjectOf(RUNTIME_CLASS(CCheckItem), 16);
    if (!b)
        return false;
    auto put = [](BYTE* at, DWORD v) {
        at[0] = BYTE(v);
        at[1] = BYTE(v >> 8);
        at[2] = BYTE(v >> 16);
        at[3] = BYTE(v >> 24);
    };
    put(b, 100);
    put(b + 4, static_cast<DWORD>(LONG(p->m_nType)));
    put(b + 8, 100);
    put(b + 12, static_cast<DWORD>(LONG(static_cast<const CCheckItem*>(p)->m_bCheck)));
    return true;
}

CRect CCheckItem::CheckRect() const {
    if (!m_bPlaced)
        return CRect();
    const CRect& rc = m_rect;
    // In 64 bits: any rectangle places its box without overflow.
    std::int64_t dy = (std::int64_t(rc.bottom) - rc.top - 15) / 2;
    const std::int64_t dx = (std::int64_t(rc.right) - rc.left - 15) / 2;
    if (dy < 1)
        dy = 1;
    const int x = ClampCoord(rc.left + dx);
    const int y = ClampCoord(rc.top + dy);
    return CRect(x, y, x + 15, y + 15);
}

CDataItem* CCheckItem::Clone() const {
    CCheckItem* p = new CCheckItem;
    p->m_nType = m_nType;
    p->m_rect = m_rect;
    p->m_bCheck = m_bCheck;
    p->m_bPlaced = m_bPlaced;
    return p;
}

void CCheckItem::Draw(CDC* pDC, const CDisplaySettings& look) const {
    if (m_rect.IsRectNull())
        return;
    const CRect box = CheckRect();
    const int L = box.left, T = box.top, R = box.right, B = box.bottom;
    if (pDC->IsPrinting()) {
        // Paper: the screen's white lower edges would vanish, so the whole
        // frame takes the box's darkest edge colour.
        // The frame goes over the fill: a printer's line straddles its
        // coordinate, and a fill drawn later would cover half of it.
        pDC->FillSolidRect(CRect(L + 1, T + 1, R, B), look.CheckBackColor);
        const CPen* old = pDC->SelectObject(&look.m_penBox[1]);
        pDC->Rectangle(CRect(L, T, R + 1, B + 1));
        DrawCross(pDC, box, look);
        pDC->SelectObject(old);
        return;
    }
    const CPen* old = pDC->SelectObject(&look.m_penBox[0]);
    pDC->MoveTo(L, T);
    pDC->LineTo(R, T);
    pDC->MoveTo(L, T);
    pDC->LineTo(L, B);
    pDC->SelectObject(&look.m_penBox[1]);
    pDC->MoveTo(L + 1, T + 1);
    pDC->LineTo(R - 1, T + 1);
    pDC->MoveTo(L + 1, T + 1);
    pDC->LineTo(L + 1, B - 1);
    pDC->SelectObject(&look.m_penBox[2]);
    pDC->MoveTo(R, T);
    pDC->LineTo(R, B);
    pDC->LineTo(L - 1, B);
    pDC->SelectObject(&look.m_penBox[3]);
    pDC->MoveTo(R - 1, T + 1);
    pDC->LineTo(R - 1, B - 1);
    pDC->LineTo(L, B - 1);
    pDC->FillSolidRect(CRect(L + 2, T + 2, R - 1, B - 1), look.CheckBackColor);
    DrawCross(pDC, box, look);
    pDC->SelectObject(old);
}

void CCheckItem::DrawCross(CDC* pDC, const CRect& box, const CDisplaySettings& look) const {
    if (!m_bCheck)
        return;
    const int L = box.left, T = box.top, R = box.right, B = box.bottom;
    pDC->SelectObject(&look.m_penCheck);
    pDC->MoveTo(L + 2, T + 2);
    pDC->LineTo(R - 1, B - 1);
    pDC->MoveTo(R - 2, T + 2);
    pDC->LineTo(L + 1, B - 1);
}
