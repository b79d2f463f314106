#pragma once

// The pages of the collaboration components: the connection light's three custom colours, the
// login's kind, button caption, fonts and colours, and the people list's label and colours.

#include "pages/FieldPage.h"
#include "propui/FontDataCtrl.h"

class CConnectionLightGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 364,
        IDC_APPEARANCE_GROUP = 3640,
        IDC_USE_ERROR = 3641,
        IDC_USE_DEFAULT = 3642,
        IDC_USE_GOOD = 3643,
        IDC_ERROR_COLOR = 3644,
        IDC_DEFAULT_COLOR = 3645,
        IDC_GOOD_COLOR = 3646,
    };
    static DialogTemplate MakeTemplate();

    CConnectionLightGeneralPage();
};

class CLoginGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 365,
        IDC_OPTIONS_GROUP = 3650,
        IDC_BOTH = 3651,
        IDC_USERNAME = 3652,
        IDC_PASSWORD = 3653,
        IDC_LABELS_GROUP = 3654,
        IDC_BUTTON_LABEL_LABEL = 3655,
        IDC_BUTTON_LABEL = 3656,
        IDC_BUTTON_LABEL_LINK = 3657,
    };
    static DialogTemplate MakeTemplate();

    CLoginGeneralPage();
};

class CLoginAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 366,
        IDC_FONT_GROUP = 3660,
        IDC_INPUT_FONT = 3661,
        IDC_INPUT_FONT_LABEL = 3662,
        IDC_BUTTON_FONT = 3663,
        IDC_BUTTON_FONT_LABEL = 3664,
        IDC_BACKGROUND_GROUP = 3665,
        IDC_USE_INPUT_COLOR = 3666,
        IDC_USE_BUTTON_COLOR = 3667,
        IDC_INPUT_COLOR = 3668,
        IDC_BUTTON_COLOR = 3669,
    };
    static DialogTemplate MakeTemplate();

    CLoginAppearancePage();
};

class CPeopleListGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 367,
        IDC_LABEL_GROUP = 3670,
        IDC_ALIGNMENT = 3671,
        IDC_ALIGNMENT_LABEL = 3672,
        IDC_FONT = 3673,
        IDC_FONT_LABEL = 3674,
        IDC_FILL_COLOR = 3675,
        IDC_FILL_COLOR_LABEL = 3676,
        IDC_BACKGROUND_GROUP = 3677,
        IDC_USE_DEFAULT_ART = 3678,
        IDC_THUMB_COLOR = 3679,
    };
    static DialogTemplate MakeTemplate();

    CPeopleListGeneralPage();
};
