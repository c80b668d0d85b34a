#pragma once
// The drawing interface the model paints through. It keeps the platform's
// rules: a line from P to Q leaves out Q, a filled rectangle leaves out its
// right and bottom edges, pens are one pixel wide, text goes into a rectangle.
#include <memory>
#include <string>

#include "fw/ColorRef.h"
#include "fw/Geometry.h"

// A solid pen.
struct CPen {
    COLORREF m_color = 0;
    int m_nWidth = 1;
};

// A font as it is described to the platform; the drawing context realises it.
// m_pPlatform caches the realised font of the drawing backend (it is replaced
// whenever the description changes, so it never goes stale).
struct CFont {
    std::string m_strFaceName; // UTF-8, exactly as stored in the settings
    int m_nHeight = 0;         // > 0: cell height in pixels, < 0: character height
    int m_nWeight = 400;
    BYTE m_bItalic = 0;
    BYTE m_bUnderline = 0;
    BYTE m_nCharSet = 128;
    BYTE m_nPitchAndFamily = 0x30;
    mutable std::shared_ptr<void> m_pPlatform;
};

struct TEXTMETRIC {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmAveCharWidth = 0;
};

// DrawText format flags (the platform's values).
enum : UINT {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_NOPREFIX = 0x800,
};

enum : int { TRANSPARENT = 1, OPAQUE = 2 };

class CDC {
public:
    virtual ~CDC() = default;

    // Select a pen or font; the previous one is returned so it can be restored.
    virtual const CPen* SelectObject(const CPen* pPen) = 0;
    virtual const CFont* SelectObject(const CFont* pFont) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0; // the end point is not drawn

    // Fills rc (right and bottom edges excluded) and makes color the background colour.
    virtual void FillSolidRect(const CRect& rc, COLORREF color) = 0;
    // Outlines rc with the current pen, inside (left, top)-(right-1, bottom-1).
    virtual void Rectangle(const CRect& rc) = 0;

    virtual COLORREF SetBkColor(COLORREF color) = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual int SetBkMode(int mode) = 0;

    // Text in code page 932.
    virtual int DrawText(const std::string& text, const CRect& rc, UINT format) = 0;
    virtual bool GetTextMetrics(TEXTMETRIC* pMetrics) = 0;

    // Restricts drawing to rc (replacing any earlier clip rectangle).
    virtual void SelectClipRect(const CRect& rc) = 0;
    // False when nothing inside rc can show (outside the clip or the area to paint).
    virtual bool RectVisible(const CRect& rc) const = 0;

    // True on paper: there is no lit edge to show against a white page.
    virtual bool IsPrinting() const { return false; }
};
