#pragma once

// Points, sizes, rectangles and colour values in the shape the window layer and its users
// expect: signed 32-bit coordinates, y growing downwards, rectangles half-open on the right
// and bottom edges.

#include <cstdint>

using COLORREF = std::uint32_t; // 0x00BBGGRR

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Parameters keep colours as 0xRRGGBB while windows use 0x00BBGGRR; the same swap converts
// either way. The top byte is dropped so a stray alpha or flag byte never leaks into a colour.
constexpr std::uint32_t SwapRedBlue(std::uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct CSize {
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int x, int y) : cx(x), cy(y) {}

    constexpr bool operator==(const CSize&) const = default;
    constexpr CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
    constexpr CSize operator-() const { return {-cx, -cy}; }
};

struct CPoint {
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    constexpr bool operator==(const CPoint&) const = default;
    constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
    constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    constexpr void Offset(CSize s) { Offset(s.cx, s.cy); }
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy)
    {
    }
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y)
    {
    }

    constexpr bool operator==(const CRect&) const = default;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty means no area, whatever the orientation.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

    // The left and top edges belong to the rectangle, the right and bottom ones do not.
    constexpr bool PtInRect(CPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
    constexpr void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
    constexpr void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    constexpr void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    constexpr void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    constexpr void MoveToXY(CPoint p) { MoveToXY(p.x, p.y); }

    void NormalizeRect();
    // Both return false and leave an empty (all zero) rectangle when there is nothing to hold.
    bool IntersectRect(const CRect& a, const CRect& b);
    bool UnionRect(const CRect& a, const CRect& b);
};
