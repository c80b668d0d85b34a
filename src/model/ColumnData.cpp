#include "model/ColumnData.h"

#include "model/DisplaySettings.h"

IMPLEMENT_SERIAL(CColumnData, nullptr, 1)

CColumnData::CColumnData(const CColumnData& src)
    : CObject(), m_strName(src.m_strName), m_strDetail(src.m_strDetail),
      m_strLinkFile(src.m_strLinkFile), m_rect(src.m_rect), m_bSelected(src.m_bSelected) {}

void CColumnData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(100);
        ar.WriteString(m_strName);
        ar.WriteString(m_strDetail);
        ar.WriteString(m_strLinkFile);
    } else {
        DWORD version;
        ar >> version;
        m_strName = ar.ReadString();
        m_strDetail = ar.ReadString();
        m_strLinkFile = ar.ReadString();
    }
}

void CColumnData::Select(CDC* pDC, const CDisplaySettings& look) {
    m_bSelected = 1;
    Draw(pDC, look);
}

void CColumnData::Draw(CDC* pDC, const CDisplaySettings& look) const {
    const COLORREF bg = m_bSelected ? look.SelColor : look.BackColor;
    const CRect rc = m_rect.Deflated(1);
    pDC->FillSolidRect(rc, bg);
    pDC->SetBkColor(bg);
    pDC->SetTextColor(m_bSelected ? look.SelTextColor : look.TextColor);
    const CFont* old = pDC->SelectObject(&look.m_fontColumn);
    pDC->DrawText(m_strName, rc, DT_CENTER | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    pDC->SelectObject(old);
}
