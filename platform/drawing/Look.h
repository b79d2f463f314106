#pragma once

// The look of the layer's own controls: flat buttons with rounded corners and hover and pressed
// shades, dashed focus rings, filled check boxes and radio buttons, pill-shaped scroll bar
// sliders and underlined tabs, as the desktop's default light theme draws its widgets. The
// colours are the system colours plus the few below, which a screen host reads from the
// toolkit's theme; headless they keep the default theme's values.

#include "platform/drawing/DC.h"

namespace ui {

struct LookColours {
    COLORREF buttonFace = RGB(246, 245, 244);
    COLORREF buttonHover = RGB(248, 248, 247);
    COLORREF buttonPressed = RGB(218, 214, 210);
    COLORREF border = RGB(205, 199, 194);
    COLORREF borderBottom = RGB(191, 184, 177);
    COLORREF accent = RGB(53, 132, 228);      // checked boxes, the current tab's line
    COLORREF accentBorder = RGB(27, 106, 203);
    COLORREF accentMark = RGB(255, 255, 255); // the check mark and the radio dot on the accent
    COLORREF trough = RGB(206, 206, 203);
    COLORREF slider = RGB(126, 129, 130);
    COLORREF sliderHover = RGB(86, 91, 92);
    COLORREF tabHeader = RGB(225, 222, 219);
};
const LookColours& GetLookColours();
void SetLookColours(const LookColours& colours);
void ResetLookColours();

struct ButtonLook {
    bool hot = false;
    bool pressed = false; // also a checked toggle
    bool disabled = false;
    bool isDefault = false;
};
// A push button's face and border inside rect; the corners show what was under them.
void DrawButtonFace(CDC& dc, const CRect& rect, const ButtonLook& state);
// The keyboard focus: a dashed line in the text colour faded into the face, not inverted.
void DrawFocusRing(CDC& dc, const CRect& rect, COLORREF text, COLORREF face);
// A check box (check: 0, 1 or 2 for indeterminate) or a radio button in a square box.
void DrawCheckMark(CDC& dc, const CRect& box, int check, bool radio, bool disabled);
// A scroll bar's slider in its trough.
void DrawSlider(CDC& dc, const CRect& slider, bool vertical, bool hot);
// A small chevron pointing up (dy < 0) or down (dy > 0), left (dx < 0) or right, centred.
void DrawChevron(CDC& dc, CPoint centre, int dx, int dy, int size, COLORREF colour);
// A pair of step buttons sharing one face, split across (horizontal: side by side, the left
// one pointing left), each with a chevron in the text colour.
void DrawStepButtons(CDC& dc, const CRect& rect, bool horizontal, bool disabled);

COLORREF MixColours(COLORREF a, COLORREF b, int percentA);

} // namespace ui
