#pragma once

// The "General" tab of the label: the text it shows, typed or taken from a cell.

#include "pages/FieldPage.h"

class CLabelGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 258,
        IDC_DATA_GROUP = 1700,
        IDC_LINK_MODE = 1701,
        IDC_TEXT_MODE = 1702,
        IDC_RANGE = 1703,
        IDC_LINK = 1704,
        IDC_TEXT = 1705,
        IDC_HELP_MOVIE = 1706,
    };
    static DialogTemplate MakeTemplate();

    CLabelGeneralPage();
};
