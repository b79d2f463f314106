#include "platform/drawing/Colors.h"

#include <array>

namespace {

constexpr int kColourCount = 32;

// Face and text of the default light theme; borders and bevels are shades of its face.
constexpr std::array<COLORREF, kColourCount> FixedPalette()
{
    std::array<COLORREF, kColourCount> p{};
    p[COLOR_SCROLLBAR] = RGB(206, 206, 203);
    p[COLOR_BACKGROUND] = RGB(53, 132, 228);
    p[COLOR_WINDOW] = RGB(255, 255, 255);
    p[COLOR_WINDOWFRAME] = RGB(205, 199, 194);
    p[COLOR_WINDOWTEXT] = RGB(46, 52, 54);
    p[COLOR_HIGHLIGHT] = RGB(53, 132, 228);
    p[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    p[COLOR_BTNFACE] = RGB(246, 245, 244);
    p[COLOR_BTNSHADOW] = RGB(205, 199, 194);
    p[COLOR_GRAYTEXT] = RGB(146, 149, 149);
    p[COLOR_BTNTEXT] = RGB(46, 52, 54);
    p[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    p[COLOR_3DDKSHADOW] = RGB(168, 163, 158);
    p[COLOR_3DLIGHT] = RGB(250, 249, 248);
    return p;
}

std::array<COLORREF, kColourCount>& Palette()
{
    static std::array<COLORREF, kColourCount> palette = FixedPalette();
    return palette;
}

} // namespace

COLORREF GetSysColor(int index)
{
    return index >= 0 && index < kColourCount ? Palette()[static_cast<std::size_t>(index)] : RGB(0, 0, 0);
}

void SetSysColor(int index, COLORREF colour)
{
    if (index >= 0 && index < kColourCount)
        Palette()[static_cast<std::size_t>(index)] = colour;
}

void ResetSysColors()
{
    Palette() = FixedPalette();
}
