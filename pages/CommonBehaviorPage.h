#pragma once

// The "Behavior" tab of the simple components: dynamic visibility (the component shows only
// while a cell holds a key) and the entry effect it comes into view with.

#include "pages/FieldPage.h"

class CCommonBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 249,
        IDC_VISIBILITY_GROUP = 1000,
        IDC_STATUS_RANGE = 1001,
        IDC_STATUS_LINK = 1002,
        IDC_EFFECT_LABEL = 1003,
        IDC_EFFECT = 1004,
        IDC_DURATION_LABEL = 1005,
        IDC_STATUS_LABEL = 1006,
        IDC_DURATION = 1007,
        IDC_KEY = 1008,
        IDC_KEY_LABEL = 1009,
        IDC_KEY_LINK = 1010,
    };
    static DialogTemplate MakeTemplate();

    CCommonBehaviorPage();

protected:
    // Pages that add to the tab: their template and rows after the block's, and their topic.
    CCommonBehaviorPage(TemplateMaker makeTemplate, std::vector<pages::ParamField> more,
                        HelpTopic defaultHelp);
};
