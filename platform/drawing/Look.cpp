#include "platform/drawing/Look.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ui {
namespace {

LookColours& Slot()
{
    static LookColours colours;
    return colours;
}

// Each row of pixels whose centre lies inside a circle around (cx, cy), cx and cy in pixel
// coordinates (a centre between pixels is given as x.5).
void FillCircle(CDC& dc, double cx, double cy, double radius, COLORREF colour)
{
    const int top = static_cast<int>(std::floor(cy - radius));
    const int bottom = static_cast<int>(std::ceil(cy + radius));
    for (int y = top; y <= bottom; ++y) {
        const double dy = y + 0.5 - cy;
        if (std::abs(dy) > radius)
            continue;
        const double half = std::sqrt(radius * radius - dy * dy);
        const int left = static_cast<int>(std::lround(cx - half));
        const int right = static_cast<int>(std::lround(cx + half));
        if (right > left)
            dc.FillSolidRect(CRect(left, y, right, y + 1), colour);
    }
}

// A one-pixel border with rounded corners around r, its bottom line in its own colour.
void RoundedBorder(CDC& dc, const CRect& r, COLORREF colour, COLORREF bottom)
{
    dc.FillSolidRect(CRect(r.left + 1, r.top, r.right - 1, r.top + 1), colour);
    dc.FillSolidRect(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), colour);
    dc.FillSolidRect(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), colour);
    dc.FillSolidRect(CRect(r.left + 1, r.bottom - 1, r.right - 1, r.bottom), bottom);
}

} // namespace

const LookColours& GetLookColours()
{
    return Slot();
}

void SetLookColours(const LookColours& colours)
{
    Slot() = colours;
}

void ResetLookColours()
{
    Slot() = LookColours{};
}

COLORREF MixColours(COLORREF a, COLORREF b, int percentA)
{
    auto mix = [percentA](int x, int y) { return (x * percentA + y * (100 - percentA) + 50) / 100; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void DrawButtonFace(CDC& dc, const CRect& rect, const ButtonLook& state)
{
    const LookColours& c = GetLookColours();
    COLORREF face = state.pressed ? c.buttonPressed : state.hot ? c.buttonHover : c.buttonFace;
    COLORREF border = c.border;
    COLORREF bottom = state.pressed ? c.border : c.borderBottom;
    if (state.disabled) {
        face = MixColours(c.buttonFace, GetSysColor(COLOR_BTNFACE), 50);
        bottom = border = MixColours(c.border, GetSysColor(COLOR_BTNFACE), 70);
    } else if (state.isDefault) {
        // The button Enter presses: the accent colour for its border.
        border = bottom = c.accentBorder;
    }
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    dc.FillSolidRect(inner, face);
    RoundedBorder(dc, rect, border, bottom);
}

void DrawFocusRing(CDC& dc, const CRect& rect, COLORREF text, COLORREF face)
{
    const COLORREF ring = MixColours(text, face, 35);
    // Two pixels drawn, two left, all the way round.
    auto dash = [&](int x, int y, int step) {
        if (step % 4 < 2)
            dc.FillSolidRect(CRect(x, y, x + 1, y + 1), ring);
    };
    int step = 0;
    for (int x = rect.left; x < rect.right; ++x)
        dash(x, rect.top, step++);
    for (int y = rect.top + 1; y < rect.bottom; ++y)
        dash(rect.right - 1, y, step++);
    for (int x = rect.right - 2; x >= rect.left; --x)
        dash(x, rect.bottom - 1, step++);
    for (int y = rect.bottom - 2; y > rect.top; --y)
        dash(rect.left, y, step++);
}

void DrawCheckMark(CDC& dc, const CRect& box, int check, bool radio, bool disabled)
{
    const LookColours& c = GetLookColours();
    const bool on = check != 0 && !disabled;
    const COLORREF fill = on ? c.accent : disabled ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
    const COLORREF border = on ? c.accentBorder : c.border;
    const COLORREF mark = disabled ? GetSysColor(COLOR_GRAYTEXT) : c.accentMark;
    const double cx = box.left + box.Width() / 2.0;
    const double cy = box.top + box.Height() / 2.0;
    const double radius = std::min(box.Width(), box.Height()) / 2.0;
    if (radio) {
        FillCircle(dc, cx, cy, radius, border);
        FillCircle(dc, cx, cy, radius - 1, fill);
        if (check != 0)
            FillCircle(dc, cx, cy, std::max(1.5, radius / 2.6), mark);
        return;
    }
    CRect inner = box;
    inner.DeflateRect(1, 1);
    dc.FillSolidRect(inner, fill);
    RoundedBorder(dc, box, border, border);
    if (check == 2) {
        const int h = std::max(2, box.Height() / 7);
        dc.FillSolidRect(CRect(box.left + 3, box.top + (box.Height() - h) / 2, box.right - 3,
                               box.top + (box.Height() - h) / 2 + h),
                         mark);
    } else if (check == 1) {
        // A tick two pixels thick: down from the left third, then up to the top right.
        const int size = box.Width();
        const int x0 = box.left + size / 5;
        const int knee = box.left + size * 2 / 5;
        const int x1 = box.right - size / 5;
        const int yKnee = box.bottom - size * 3 / 10;
        for (int x = x0; x < x1; ++x) {
            const int y = x <= knee ? yKnee - (knee - x) : yKnee - (x - knee) * (yKnee - box.top - size / 4) /
                                                                     std::max(1, x1 - 1 - knee);
            dc.FillSolidRect(CRect(x, y - 1, x + 1, y + 1), mark);
        }
    }
}

void DrawSlider(CDC& dc, const CRect& slider, bool vertical, bool hot)
{
    const LookColours& c = GetLookColours();
    // A pill narrower than the bar, its ends rounded.
    CRect pill = slider;
    const int across = vertical ? slider.Width() : slider.Height();
    const int inset = std::max(1, across / 4);
    if (vertical)
        pill.DeflateRect(inset, 1);
    else
        pill.DeflateRect(1, inset);
    const COLORREF colour = hot ? c.sliderHover : c.slider;
    const double radius = (vertical ? pill.Width() : pill.Height()) / 2.0;
    if (radius < 1 || pill.IsRectEmpty()) {
        dc.FillSolidRect(pill, colour);
        return;
    }
    if (vertical) {
        const double first = pill.top + radius, last = pill.bottom - radius;
        if (last > first)
            dc.FillSolidRect(CRect(pill.left, static_cast<int>(first), pill.right, static_cast<int>(last)), colour);
        FillCircle(dc, pill.left + radius, first, radius, colour);
        FillCircle(dc, pill.left + radius, std::max(first, last), radius, colour);
    } else {
        const double first = pill.left + radius, last = pill.right - radius;
        if (last > first)
            dc.FillSolidRect(CRect(static_cast<int>(first), pill.top, static_cast<int>(last), pill.bottom), colour);
        FillCircle(dc, first, pill.top + radius, radius, colour);
        FillCircle(dc, std::max(first, last), pill.top + radius, radius, colour);
    }
}

void DrawChevron(CDC& dc, CPoint centre, int dx, int dy, int size, COLORREF colour)
{
    const int half = std::max(2, size / 2);
    const int depth = half / 2;
    for (int i = -half; i <= half; ++i) {
        // The tip sits `depth` pixels towards the pointing side, the arms `depth` away.
        const int along = depth - std::abs(i);
        if (dy != 0) {
            const int y = centre.y + (dy < 0 ? -along : along);
            dc.FillSolidRect(CRect(centre.x + i, y - 1, centre.x + i + 1, y + 1), colour);
        } else {
            const int x = centre.x + (dx < 0 ? -along : along);
            dc.FillSolidRect(CRect(x - 1, centre.y + i, x + 1, centre.y + i + 1), colour);
        }
    }
}

void DrawStepButtons(CDC& dc, const CRect& r, bool horizontal, bool disabled)
{
    CRect up(r.left, r.top, r.right, r.top + r.Height() / 2);
    CRect down(r.left, up.bottom, r.right, r.bottom);
    if (horizontal) {
        up = CRect(r.left, r.top, r.left + r.Width() / 2, r.bottom);
        down = CRect(up.right, r.top, r.right, r.bottom);
    }
    ButtonLook face;
    face.disabled = disabled;
    DrawButtonFace(dc, r, face);
    const COLORREF border = GetLookColours().border;
    if (horizontal)
        dc.FillSolidRect(CRect(up.right, r.top + 2, up.right + 1, r.bottom - 2), border);
    else
        dc.FillSolidRect(CRect(r.left + 2, up.bottom, r.right - 2, up.bottom + 1), border);
    const COLORREF mark = disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT);
    const int size = std::max(4, std::min(r.Width(), r.Height()) / 2 - 1);
    DrawChevron(dc, up.CenterPoint(), horizontal ? -1 : 0, horizontal ? 0 : -1, size, mark);
    DrawChevron(dc, down.CenterPoint(), horizontal ? 1 : 0, horizontal ? 0 : 1, size, mark);
}

} // namespace ui
