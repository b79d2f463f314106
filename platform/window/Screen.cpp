#include "platform/window/Screen.h"

namespace {
ScreenMetrics& Slot()
{
    static ScreenMetrics metrics;
    return metrics;
}
} // namespace

const ScreenMetrics& GetScreenMetrics()
{
    return Slot();
}

void SetScreenMetrics(const ScreenMetrics& metrics)
{
    Slot() = metrics;
}

void ResetScreenMetrics()
{
    Slot() = ScreenMetrics{};
}

int GetSystemMetrics(int index)
{
    const ScreenMetrics& m = GetScreenMetrics();
    switch (index) {
    case SM_CXSCREEN:
        return m.width;
    case SM_CYSCREEN:
        return m.height;
    case SM_CXFULLSCREEN:
        return m.workArea.Width();
    case SM_CYFULLSCREEN:
        return m.workArea.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}
