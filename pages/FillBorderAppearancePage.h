#pragma once

// The "Appearance" tab of the shapes, backgrounds and pictures (border and fill) and, in its
// second layout, of the play components (one transparency only).

#include "pages/FieldPage.h"

class CFillBorderAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD_BORDER_FILL = 250,
        IDD_DISPLAY = 287,
        IDC_BORDER_GROUP = 1100,
        IDC_FILL_GROUP = 1101,
        IDC_SHOW_BORDER = 1102,
        IDC_BORDER_COLOR = 1103,
        IDC_BORDER_TRANS_LABEL = 1104,
        IDC_BORDER_TRANS = 1105,
        IDC_WEIGHT = 1106,
        IDC_WEIGHT_LABEL = 1107,
        IDC_SHOW_FILL = 1108,
        IDC_FILL_COLOR = 1109,
        IDC_FILL_TRANS_LABEL = 1110,
        IDC_FILL_TRANS = 1111,
    };
    // displayOnly: the play components' layout, whose one spin edits "transparency".
    explicit CFillBorderAppearancePage(bool displayOnly = false);
    static DialogTemplate MakeTemplate(bool displayOnly);
};
