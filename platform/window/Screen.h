#pragma once

// The screen the windows live on: its size, the work area a maximised window fills, and the
// pixel density. Headless runs use a fixed 1280 x 1024 screen at 96 dots per inch unless a test
// or a host says otherwise.

#include "platform/drawing/Geometry.h"

struct ScreenMetrics {
    int width = 1280;
    int height = 1024;
    CRect workArea{0, 0, 1280, 1024};
    int dpiX = 96;
    int dpiY = 96;
};

const ScreenMetrics& GetScreenMetrics();
void SetScreenMetrics(const ScreenMetrics& metrics);
void ResetScreenMetrics();

enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
};
// Fixed values for the frame parts of a window (no theme to ask).
int GetSystemMetrics(int index);
