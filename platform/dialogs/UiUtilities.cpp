#include "platform/dialogs/UiUtilities.h"

#include <algorithm>

#include "platform/dialogs/CommonDialogs.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Screen.h"

int GetHorizontalDpi()
{
    return GetScreenMetrics().dpiX;
}

int GetVerticalDpi()
{
    return GetScreenMetrics().dpiY;
}

bool IsLargeFontsDisplay()
{
    const int across = GetHorizontalDpi();
    return across != 96 && across >= 120 && GetVerticalDpi() >= 120;
}

INT_PTR ChooseColorWithCustomColors(COLORREF& colour, bool ownedByMainWindow, COLORREF* custom,
                                    COLORREF* documentTable)
{
    CColorDialog dialog(colour, CC_ANYCOLOR, ownedByMainWindow ? AfxGetMainWnd() : nullptr);
    COLORREF* table = custom != nullptr ? custom : documentTable;
    if (table != nullptr) {
        dialog.m_cc.lpCustColors = table;
    }
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) {
        if (documentTable != nullptr && table != nullptr && table != documentTable) {
            std::copy(table, table + 16, documentTable);
        }
        colour = dialog.GetColor();
    }
    return result;
}

int CountChar(const char* text, char c)
{
    if (text == nullptr) {
        return 0;
    }
    int count = 0;
    for (; *text == c || *text == '.'; ++text) {
        if (*text == c) {
            ++count;
        }
    }
    return count;
}
