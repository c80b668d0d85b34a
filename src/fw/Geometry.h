#pragma once
// Integer geometry with the platform's conventions: a rectangle holds its left
// and top edges but not its right and bottom ones.

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int ax, int ay) : x(ax), y(ay) {}
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // Right and bottom edges lie outside, as for the platform's PtInRect.
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void DeflateRect(int dx, int dy) {
        left += dx;
        top += dy;
        right -= dx;
        bottom -= dy;
    }
    constexpr void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr CRect Deflated(int d) const {
        return CRect(left + d, top + d, right - d, bottom - d);
    }
    // Intersection; an empty result is the null rectangle.
    constexpr CRect Intersect(const CRect& o) const {
        CRect r(left > o.left ? left : o.left, top > o.top ? top : o.top,
                right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom);
        if (r.IsRectEmpty())
            return CRect();
        return r;
    }
    constexpr bool Intersects(const CRect& o) const { return !Intersect(o).IsRectEmpty(); }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};
