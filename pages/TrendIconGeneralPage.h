#pragma once

// The "General" tab of the trend icon: the value it follows (typed or linked) and a custom
// background colour.

#include "pages/FieldPage.h"

class CTrendIconGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 256,
        IDC_DATA_GROUP = 1300,
        IDC_DATA = 1301,
        IDC_DATA_LINK = 1302,
        IDC_BACKGROUND_GROUP = 1303,
        IDC_USE_COLOR = 1304,
        IDC_COLOR = 1305,
    };
    static DialogTemplate MakeTemplate();

    CTrendIconGeneralPage();
};
