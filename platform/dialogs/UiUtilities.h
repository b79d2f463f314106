#pragma once

// Small helpers the program's windows share: the display's pixel density, the colour dialog
// seeded with a table of custom colours, and a character count used by number formats.

#include <cstdint>

#include "platform/drawing/Geometry.h"

using INT_PTR = std::intptr_t;

// Logical pixels per inch of the display, across and down.
int GetHorizontalDpi();
int GetVerticalDpi();
// A display set up for large fonts: across not 96, and both at least 120.
bool IsLargeFontsDisplay();

// Runs the colour dialog (any colour) on `colour`, owned by the main window when asked. Its
// custom colours are `custom`, or `documentTable` when that is null (both 16 entries). On OK
// the chosen colour is stored in `colour` and the dialog's custom colours are copied into
// `documentTable`; on Cancel nothing changes. Returns the dialog's result (IDOK for OK).
INT_PTR ChooseColorWithCustomColors(COLORREF& colour, bool ownedByMainWindow, COLORREF* custom,
                                    COLORREF* documentTable);

// How many times `c` occurs in the leading run of `text` made of `c` and '.' (0 for null).
int CountChar(const char* text, char c);
