#pragma once

// The "Appearance" tab of the text inputs: the alignment, font and wrapping of the text, the
// fill behind it with its colour and transparency, and the colour of the scroll bars.

#include "pages/FieldPage.h"

class CInputTextAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 352,
        IDC_TEXT_GROUP = 2300,
        IDC_ALIGNMENT = 2301,
        IDC_FONT = 2302,
        IDC_ALIGNMENT_LABEL = 2303,
        IDC_FONT_LABEL = 2304,
        IDC_SHOW_FILL = 2305,
        IDC_FILL_COLOR = 2306,
        IDC_TRANSPARENCY = 2307,
        IDC_TRANSPARENCY_LABEL = 2308,
        IDC_USE_SCROLL_COLOR = 2309,
        IDC_SCROLL_COLOR = 2310,
        IDC_BACK_GROUP = 2311,
        IDC_WRAP = 2312,
        IDC_SCROLL_GROUP = 2313,
    };
    static DialogTemplate MakeTemplate();

    CInputTextAppearancePage();
};
