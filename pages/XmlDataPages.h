#pragma once

// The "Behavior" and "Appearance" tabs of the XML data connection: when it refreshes its data
// (and the dynamic visibility and entry effect every simple component has), and how its box
// and label look.

#include "pages/FieldPage.h"
#include "pages/PageBlocks.h"
#include "propui/ComponentPage.h"
#include "propui/FontDataCtrl.h"

class CXMLDataBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 368,
        IDC_VISIBILITY_GROUP = 3680,
        IDC_STATUS_RANGE = 3681,
        IDC_STATUS_LINK = 3682,
        IDC_EFFECT_LABEL = 3683,
        IDC_EFFECT = 3684,
        IDC_DURATION_LABEL = 3685,
        IDC_DURATION = 3686,
        IDC_KEY = 3687,
        IDC_STATUS_LABEL = 3688,
        IDC_KEY_LABEL = 3689,
        IDC_KEY_LINK = 3690,
        IDC_REFRESH_GROUP = 3691,
        IDC_REFRESH_LOAD = 3692,
        IDC_REFRESH_AUTO = 3693,
        IDC_INTERVAL = 3694,
        IDC_INTERVAL_LABEL = 3695,
    };
    CXMLDataBehaviorPage();
    static DialogTemplate MakeTemplate();
};

class CXMLDataAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 349,
        IDC_LABEL_GROUP = 3490,
        IDC_POSITION = 3491,
        IDC_POSITION_LABEL = 3492,
        IDC_TRANSPARENCY = 3493,
        IDC_TRANSPARENCY_LABEL = 3494,
        IDC_BACKGROUND_GROUP = 3495,
        IDC_FONT = 3496,
        IDC_FONT_LABEL = 3497,
        IDC_COLOR = 3498,
        IDC_USE_COLOR = 3499,
    };
    CXMLDataAppearancePage();
    static DialogTemplate MakeTemplate();

    CFontDataCtrl& Font() { return *FontOf(IDC_FONT); }
};
