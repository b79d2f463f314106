#include "platform/drawing/Colors.h"

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_SCROLLBAR:
        return RGB(212, 208, 200);
    case COLOR_BACKGROUND:
        return RGB(58, 110, 165);
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
        return RGB(10, 36, 106);
    case COLOR_BTNFACE:
    case COLOR_3DLIGHT:
        return RGB(212, 208, 200);
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_3DDKSHADOW:
        return RGB(64, 64, 64);
    default:
        return RGB(0, 0, 0);
    }
}
