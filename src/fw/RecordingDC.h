#pragma once
// A drawing context that draws nothing and records every call, for tests of
// the model's drawing and measuring.
#include <functional>
#include <string>
#include <vector>

#include "fw/DC.h"

class CRecordingDC : public CDC {
public:
    enum class Op { MoveTo, LineTo, FillSolidRect, Rectangle, DrawText };
    struct Record {
        Op op;
        CRect rc;         // MoveTo/LineTo: (x, y, x, y)
        COLORREF color;   // pen colour for lines and outlines, fill colour, text colour
        COLORREF bkColor; // background colour at the time of the call
        std::string text; // DrawText
        UINT format = 0;  // DrawText
        const CFont* font = nullptr;
    };

    CRecordingDC();

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

    // Metrics for the selected font; by default the character height is
    // |height| and the average width half of it.
    std::function<TEXTMETRIC(const CFont*)> m_metrics;

    std::vector<Record> m_records;
    const CPen* m_pPen = nullptr;
    const CFont* m_pFont = nullptr;
    COLORREF m_bkColor = 0xFFFFFF;
    COLORREF m_textColor = 0;
    int m_nBkMode = OPAQUE;
    CRect m_clip;
    bool m_bClipped = false;
    CPoint m_pos;
};
