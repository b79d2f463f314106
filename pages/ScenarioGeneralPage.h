#pragma once

// The "General" tab of the scenario components: custom background and font colours.

#include "pages/FieldPage.h"

class CScenarioGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 323,
        IDC_USE_COLOR = 1400,
        IDC_COLOR = 1401,
        IDC_USE_FONT_COLOR = 1402,
        IDC_FONT_COLOR = 1403,
        IDC_COLORS_GROUP = 1404,
    };
    static DialogTemplate MakeTemplate();

    CScenarioGeneralPage();
};
