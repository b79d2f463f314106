#pragma once

// The "Behavior" tab of the simple components: dynamic visibility (the component shows only
// while a cell holds a key) and the entry effect it comes into view with.

#include "pages/PageBlocks.h"
#include "pages/TemplatePage.h"
#include "propui/ComponentPage.h"

class CCommonBehaviorPage : public pages::CTemplatePage<CCommonBehaviorPage> {
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

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnDisplayStatusLink();
    void OnIntroStyleChanged();
    void OnDisplayKeyLink();
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void EnableKey(bool enable);

    pages::CLinkedValueEdit m_key;
    pages::CNumberEdit m_duration;
};
