#pragma once

// The "General" tab of the horizontal and vertical lines: colour and weight.

#include "pages/FieldPage.h"

class CLineGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 257,
        IDC_COLOR_LABEL = 1200,
        IDC_COLOR = 1201,
        IDC_WEIGHT_LABEL = 1202,
        IDC_WEIGHT = 1203,
    };
    static DialogTemplate MakeTemplate();

    CLineGeneralPage();
};
