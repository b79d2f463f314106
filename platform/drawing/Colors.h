#pragma once

#include "platform/drawing/Geometry.h"

// The system colour indexes the drawing code asks for.
enum SysColorIndex : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
};

// The light flat palette of the desktop toolkit's default theme, so that headless drawing looks
// the same on every machine and like the screen. A screen host puts its theme's colours in
// (SetSysColor) when it can read them; ResetSysColors goes back to the fixed palette.
COLORREF GetSysColor(int index);
void SetSysColor(int index, COLORREF colour);
void ResetSysColors();
