#pragma once

// The "Behavior" tab of the selectors and maps: how a menu opens (always expanded, direction,
// animation, what opens it, when the choice is applied), sound, dynamic visibility with the
// entry effect, and the default selection (the item chosen when the movie starts, or a map's
// default region).

#include "pages/FieldPage.h"

class CSelectorBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 230,
        IDC_OPTIONS_GROUP = 1200,
        IDC_EXPANDED = 1201,
        IDC_SOUND = 1202,
        IDC_ANIMATION = 1203,
        IDC_DIRECTION_LABEL = 1204,
        IDC_DIRECTION = 1205,
        IDC_OPEN_ON_LABEL = 1206,
        IDC_OPEN_ON = 1207,
        IDC_UPDATE_ON_LABEL = 1208,
        IDC_UPDATE_ON = 1209,
        IDC_VISIBILITY_GROUP = 1210,
        IDC_STATUS_LABEL = 1211,
        IDC_STATUS_RANGE = 1212,
        IDC_STATUS_LINK = 1213,
        IDC_KEY_LABEL = 1214,
        IDC_KEY = 1215,
        IDC_KEY_LINK = 1216,
        IDC_EFFECT_LABEL = 1217,
        IDC_EFFECT = 1218,
        IDC_DURATION_LABEL = 1219,
        IDC_DURATION = 1220,
        IDC_DEFAULT_GROUP = 1221,
        IDC_DEFAULT_LABEL = 1222,
        IDC_DEFAULT = 1223,
        IDC_DEFAULT_REGION = 1224,
    };
    static DialogTemplate MakeTemplate();

    CSelectorBehaviorPage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnMenuExpanded();
    void OnAnimation();
    void OnOpenMenu();
    void OnUpdateOn();
    void OnOpenDirectionChanged();
    void OnSelectedRegion();

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const;
    CParameter* Direction() const;
    bool Expanded() const;
    void ShowMenuExpanded();
    void ShowOpenMenu();
    void ShowOpenDirection();
    void ShowAnimation();
    void ShowUpdateOn();
    void ShowDefaultSelection();
    void ShowDefaultRegion();
    // Returns true when the open animation had to be switched off.
    bool UpdateOpenControls(bool enable);
    bool SwitchAnimationOff();

    int m_type = -1;
};
