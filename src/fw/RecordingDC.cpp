#include "fw/RecordingDC.h"

#include <cstdlib>

CRecordingDC::CRecordingDC() {
    m_metrics = [](const CFont* f) {
        TEXTMETRIC tm;
        const int h = f ? std::abs(f->m_nHeight) : 16;
        tm.tmHeight = h;
        tm.tmAscent = h - h / 5;
        tm.tmDescent = h / 5;
        tm.tmAveCharWidth = h / 2 > 0 ? h / 2 : 1;
        return tm;
    };
}

const CPen* CRecordingDC::SelectObject(const CPen* pPen) {
    const CPen* old = m_pPen;
    m_pPen = pPen;
    return old;
}

const CFont* CRecordingDC::SelectObject(const CFont* pFont) {
    const CFont* old = m_pFont;
    m_pFont = pFont;
    return old;
}

void CRecordingDC::MoveTo(int x, int y) {
    m_pos = CPoint(x, y);
    m_records.push_back(
        {Op::MoveTo, CRect(x, y, x, y), m_pPen ? m_pPen->m_color : 0, m_bkColor, {}});
}

void CRecordingDC::LineTo(int x, int y) {
    // Records the segment from the current position to (x, y).
    m_records.push_back(
        {Op::LineTo, CRect(m_pos.x, m_pos.y, x, y), m_pPen ? m_pPen->m_color : 0, m_bkColor, {}});
    m_pos = CPoint(x, y);
}

void CRecordingDC::FillSolidRect(const CRect& rc, COLORREF color) {
    m_bkColor = color;
    m_records.push_back({Op::FillSolidRect, rc, color, m_bkColor, {}});
}

void CRecordingDC::Rectangle(const CRect& rc) {
    m_records.push_back({Op::Rectangle, rc, m_pPen ? m_pPen->m_color : 0, m_bkColor, {}});
}

COLORREF CRecordingDC::SetBkColor(COLORREF color) {
    COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

COLORREF CRecordingDC::SetTextColor(COLORREF color) {
    COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

int CRecordingDC::SetBkMode(int mode) {
    int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
}

int CRecordingDC::DrawText(const std::string& text, const CRect& rc, UINT format) {
    Record r{Op::DrawText, rc, m_textColor, m_bkColor, text, format, m_pFont};
    m_records.push_back(r);
    return m_metrics(m_pFont).tmHeight;
}

bool CRecordingDC::GetTextMetrics(TEXTMETRIC* pMetrics) {
    *pMetrics = m_metrics(m_pFont);
    return true;
}

void CRecordingDC::SelectClipRect(const CRect& rc) {
    m_clip = rc;
    m_bClipped = true;
}

bool CRecordingDC::RectVisible(const CRect& rc) const {
    return !m_bClipped || m_clip.Intersects(rc);
}
