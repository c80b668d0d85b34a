#include "view/InvalidatingDC.h"

#include <algorithm>
#include <utility>

CInvalidatingDC::CInvalidatingDC(std::function<void(const CRect&)> sink,
                                 std::function<TEXTMETRIC(const CFont*)> measure)
    : m_sink(std::move(sink)), m_measure(std::move(measure)) {}

void CInvalidatingDC::Touch(const CRect& rc) {
    if (rc.IsRectEmpty())
        return;
    CRect r = m_bClipped ? rc.Intersect(m_clip) : rc;
    if (!r.IsRectEmpty() && m_sink)
        m_sink(r);
}

const CPen* CInvalidatingDC::SelectObject(const CPen* pPen) {
    return std::exchange(m_pPen, pPen);
}

const CFont* CInvalidatingDC::SelectObject(const CFont* pFont) {
    return std::exchange(m_pFont, pFont);
}

void CInvalidatingDC::MoveTo(int x, int y) {
    m_pos = CPoint(x, y);
}

void CInvalidatingDC::LineTo(int x, int y) {
    // The pixels from the start to one short of the end: their bounding box
    // with one pixel to spare covers every pen of width one.
    CRect rc(std::min(m_pos.x, x), std::min(m_pos.y, y), std::max(m_pos.x, x) + 1,
             std::max(m_pos.y, y) + 1);
    Touch(rc);
    m_pos = CPoint(x, y);
}

void CInvalidatingDC::FillSolidRect(const CRect& rc, COLORREF color) {
    m_bkColor = color;
    Touch(rc);
}

void CInvalidatingDC::Rectangle(const CRect& rc) {
    Touch(rc);
}

COLORREF CInvalidatingDC::SetBkColor(COLORREF color) {
    return std::exchange(m_bkColor, color);
}

COLORREF CInvalidatingDC::SetTextColor(COLORREF color) {
    return std::exchange(m_textColor, color);
}

int CInvalidatingDC::SetBkMode(int mode) {
    return std::exchange(m_nBkMode, mode);
}

int CInvalidatingDC::DrawText(const std::string& text, const CRect& rc, UINT /*format*/) {
    // Text never leaves its rectangle unless asked to; the model never asks.
    if (!text.empty())
        Touch(rc);
    return rc.Height();
}

bool CInvalidatingDC::GetTextMetrics(TEXTMETRIC* pMetrics) {
    if (!pMetrics)
        return false;
    if (m_measure) {
        *pMetrics = m_measure(m_pFont);
        return true;
    }
    *pMetrics = TEXTMETRIC{};
    return false;
}

void CInvalidatingDC::SelectClipRect(const CRect& rc) {
    m_clip = rc;
    m_bClipped = true;
}

bool CInvalidatingDC::RectVisible(const CRect& rc) const {
    return !m_bClipped || m_clip.Intersects(rc);
}
