#pragma once
// A drawing context that draws nothing: every pixel the model would touch is
// handed, as a rectangle, to a sink (the view marks it for repainting). The
// model's highlight redraws run on it, so a cursor move costs one repaint of
// exactly the rows and headers it changed; the paint then draws only there.
#include <functional>

#include "fw/DC.h"

class CInvalidatingDC : public CDC {
public:
    // measure: metrics of a font, for callers that measure (may be empty).
    explicit CInvalidatingDC(std::function<void(const CRect&)> sink,
                             std::function<TEXTMETRIC(const CFont*)> measure = {});

    const CPen* SelectObject(const CPen* pPen) override;
    const CFont* SelectObject(const CFont* pFont) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillSolidRect(const CRect& rc, COLORREF color) override;
    void Rectangle(const CRect& rc) override;
    COLORREF SetBkColor(COLORREF color) override;
    COLORREF SetTextColor(COLORREF color) override;
    int SetBkMode(int mode) override;
    int DrawText(const std::string& text, const CRect& rc, UINT format) override;
    bool GetTextMetrics(TEXTMETRIC* pMetrics) override;
    void SelectClipRect(const CRect& rc) override;
    bool RectVisible(const CRect& rc) const override;

private:
    void Touch(const CRect& rc);

    std::function<void(const CRect&)> m_sink;
    std::function<TEXTMETRIC(const CFont*)> m_measure;
    const CPen* m_pPen = nullptr;
    const CFont* m_pFont = nullptr;
    COLORREF m_bkColor = 0xFFFFFF;
    COLORREF m_textColor = 0;
    int m_nBkMode = OPAQUE;
    CPoint m_pos;
    CRect m_clip;
    bool m_bClipped = false;
};
