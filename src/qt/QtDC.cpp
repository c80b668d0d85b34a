#include "qt/QtDC.h"

#include <QColor>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fw/Cp932.h"
#include "qt/QtFont.h"

namespace {

QColor ToQColor(COLORREF c) {
    return QColor::fromRgb(ColorRefToArgb(c));
}

QRect ToQRect(const CRect& rc) {
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

CQtDC::CQtDC(QPainter& painter) : m_painter(painter) {
    // A printer scales the world itself and keeps its own rule (see ApplyPen).
    // The engine's device is what is really painted on: a widget painted
    // into an image (or a backing store) has the image's pixel ratio.
    const QPaintDevice* device =
        painter.paintEngine() ? painter.paintEngine()->paintDevice() : painter.device();
    m_bDense = device && device->devicePixelRatioF() > 1.0 && !painter.worldTransform().isScaling();
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
    ApplyPen();
}

CQtDC::~CQtDC() {
    m_painter.restore();
}

void CQtDC::ApplyPen() {
    QPen pen(ToQColor(m_pPen ? m_pPen->m_color : 0));
    // One pixel on screen; on a scaled device (a printer) one screen pixel's
    // worth, so lines keep their weight on paper.
    const bool scaled = m_painter.worldTransform().isScaling();
    pen.setWidth(scaled ? 1 : 0);
    pen.setCosmetic(!scaled);
    pen.setCapStyle(Qt::SquareCap); // covers both end points; LineTo stops one short itself
    m_painter.setPen(pen);
}

void CQtDC::FillPixels(int x, int y, int w, int h) {
    m_painter.fillRect(QRect(x, y, w, h), m_painter.pen().color());
}

const CPen* CQtDC::SelectObject(const CPen* pPen) {
    const CPen* old = m_pPen;
    m_pPen = pPen;
    ApplyPen();
    return old;
}

const CFont* CQtDC::SelectObject(const CFont* pFont) {
    const CFont* old = m_pFont;
    m_pFont = pFont;
    if (pFont)
        m_painter.setFont(QtFontFor(*pFont));
    return old;
}

void CQtDC::MoveTo(int x, int y) {
    m_pos = QPoint(x, y);
}

void CQtDC::LineTo(int x, int y) {
    const QPoint from = m_pos;
    m_pos = QPoint(x, y);
    const int dx = x - from.x();
    const int dy = y - from.y();
    if (dx == 0 && dy == 0)
        return;
    // Stop one step short along the major axis: QPainter draws the end point.
    QPoint last;
    if (std::abs(dx) >= std::abs(dy)) {
        const int lx = x - Sign(dx);
        const int ly =
            from.y() +
            (dx == 0 ? 0 : static_cast<int>(std::lround(double(lx - from.x()) * dy / dx)));
        last = QPoint(lx, ly);
    } else {
        const int ly = y - Sign(dy);
        const int lx = from.x() + static_cast<int>(std::lround(double(ly - from.y()) * dx / dy));
        last = QPoint(lx, ly);
    }
    if (m_bDense) {
        // Whole pixels from the start to the last point: a cosmetic pen would
        // be one device pixel thin, a wide one would straddle pixel edges.
        if (from.x() == last.x() || from.y() == last.y()) {
            const int l = std::min(from.x(), last.x()), t = std::min(from.y(), last.y());
            FillPixels(l, t, std::max(from.x(), last.x()) - l + 1,
                       std::max(from.y(), last.y()) - t + 1);
            return;
        }
        const int ex = last.x() - from.x(), ey = last.y() - from.y();
        const int steps = std::max(std::abs(ex), std::abs(ey));
        for (int i = 0; i <= steps; ++i)
            FillPixels(from.x() + static_cast<int>(std::lround(double(i) * ex / steps)),
                       from.y() + static_cast<int>(std::lround(double(i) * ey / steps)), 1, 1);
        return;
    }
    if (last == from)
        m_painter.drawPoint(from);
    else
        m_painter.drawLine(from, last);
}

void CQtDC::FillSolidRect(const CRect& rc, COLORREF color) {
    m_bkColor = color;
    if (rc.right > rc.left && rc.bottom > rc.top)
        m_painter.fillRect(ToQRect(rc), ToQColor(color));
}

void CQtDC::Rectangle(const CRect& rc) {
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1)
        return;
    if (m_bDense) {
        const int w = rc.right - rc.left, h = rc.bottom - rc.top;
        FillPixels(rc.left, rc.top, w, 1);
        if (h > 1)
            FillPixels(rc.left, rc.bottom - 1, w, 1);
        if (h > 2) {
            FillPixels(rc.left, rc.top + 1, 1, h - 2);
            if (w > 1)
                FillPixels(rc.right - 1, rc.top + 1, 1, h - 2);
        }
        return;
    }
    // A cosmetic outline of an empty QRect draws nothing: one pixel is a point.
    if (rc.right - rc.left == 1 && rc.bottom - rc.top == 1) {
        m_painter.drawPoint(rc.left, rc.top);
        return;
    }
    // A cosmetic outline of QRect(x, y, w, h) covers x..x+w, y..y+h.
    m_painter.drawRect(QRect(rc.left, rc.top, rc.right - rc.left - 1, rc.bottom - rc.top - 1));
}

COLORREF CQtDC::SetBkColor(COLORREF color) {
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

COLORREF CQtDC::SetTextColor(COLORREF color) {
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

int CQtDC::SetBkMode(int mode) {
    const int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
}

int CQtDC::DrawText(const std::string& text, const CRect& rc, UINT format) {
    const QString str = QString::fromStdString(cp932::ToUtf8(text));
    int flags = 0;
    flags |= (format & DT_CENTER)  ? Qt::AlignHCenter
             : (format & DT_RIGHT) ? Qt::AlignRight
                                   : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= (format & DT_VCENTER)  ? Qt::AlignVCenter
                 : (format & DT_BOTTOM) ? Qt::AlignBottom
                                        : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    flags |= (format & DT_SINGLELINE) ? Qt::TextSingleLine : 0;
    flags |= (format & DT_WORDBREAK) ? Qt::TextWordWrap : 0;
    flags |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    flags |= (format & DT_NOCLIP) ? Qt::TextDontClip : 0;
    const QRect box = ToQRect(rc);
    QRect bounds = m_painter.fontMetrics().boundingRect(box, flags, str);
    // A line is as high as the metrics say, whatever leading the layout adds.
    const int lineHeight = QtTextMetrics(m_painter.font()).tmHeight;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            bounds.setTop(box.top() + (box.height() - lineHeight) / 2);
        else if (format & DT_BOTTOM)
            bounds.setTop(box.bottom() + 1 - lineHeight);
        else
            bounds.setTop(box.top());
        bounds.setHeight(lineHeight);
    }

    // Text wholly outside the clip would show nothing, yet a printer's file
    // would still carry it (a row beyond a page's edge read back as on the page).
    if (!(format & DT_NOCLIP) && m_clip && !box.intersects(*m_clip))
        return bounds.height();
    m_painter.save();
    if (!(format & DT_NOCLIP))
        m_painter.setClipRect(box, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (m_nBkMode == OPAQUE)
        m_painter.fillRect(bounds, ToQColor(m_bkColor));
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(box, flags, str);
    m_painter.restore();
    return bounds.height();
}

bool CQtDC::GetTextMetrics(TEXTMETRIC* pMetrics) {
    if (!pMetrics)
        return false;
    *pMetrics = QtTextMetrics(m_painter.font());
    return true;
}

void CQtDC::SelectClipRect(const CRect& rc) {
    m_clip = ToQRect(rc);
    m_painter.setClipRect(*m_clip, Qt::ReplaceClip);
}

bool CQtDC::RectVisible(const CRect& rc) const {
    QRect r = ToQRect(rc);
    if (r.isEmpty())
        return false;
    if (m_clip)
        r = r.intersected(*m_clip);
    if (r.isEmpty())
        return false;
    return !m_paintRegion || m_paintRegion->intersects(r);
}
