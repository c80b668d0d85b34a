#pragma once
// The drawing context over a QPainter, keeping the platform's rules: a line
// leaves out its end point, a filled rectangle its right and bottom edges,
// pens are cosmetic and one pixel wide, nothing is antialiased. On a device
// with more than one device pixel per pixel (a high-density screen) lines and
// outlines are filled pixel by pixel, so each covers exactly the device
// pixels of the pixels it would cover at scale 1: the picture at scale 1,
// enlarged, with no blur, gaps or overlaps.
#include <optional>

#include <QPoint>
#include <QRect>
#include <QRegion>

#include "fw/DC.h"

class QPainter;

class CQtDC : public CDC {
public:
    explicit CQtDC(QPainter& painter);
    ~CQtDC() override;

    // The part of the device a paint event asks for; RectVisible tests against it.
    void SetPaintRegion(const QRegion& region) { m_paintRegion = region; }

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
    bool IsPrinting() const override { return m_bPrinting; }
    void SetPrinting(bool printing) { m_bPrinting = printing; }

private:
    void ApplyPen();
    // Pixel (x, y) in the pen's colour (high density only).
    void FillPixels(int x, int y, int w, int h);

    QPainter& m_painter;
    const CPen* m_pPen = nullptr; // none: the default black pen
    const CFont* m_pFont = nullptr;
    COLORREF m_bkColor = 0xFFFFFF;
    COLORREF m_textColor = 0x000000;
    int m_nBkMode = OPAQUE;
    QPoint m_pos;
    std::optional<QRect> m_clip;
    std::optional<QRegion> m_paintRegion;
    bool m_bDense = false; // device pixel ratio above 1, no scaling of our own
    bool m_bPrinting = false;
};
