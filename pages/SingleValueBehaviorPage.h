#pragma once

// The "Behavior" tab of the single-value components: the scale (how the limits are found, what
// happens at each limit, increment, snapping, logarithmic scale), the play options, the mouse
// interaction, the entry effect and dynamic visibility. One layout serves every single-value
// symbol: what a component lacks is disabled or hidden.

#include "pages/FieldPage.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/Font.h"
#include "propui/ComponentPage.h"

class CSliderCtrl;

class CSingleValueBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 235,
        IDD_GRID = 550,
        IDC_SCALE_GROUP = 2100,
        IDC_INTERACTION_GROUP = 2101,
        IDC_VISIBILITY_GROUP = 2102,
        IDC_INITIAL = 2103,
        IDC_MIN_BEHAVIOR = 2104,
        IDC_MAX_BEHAVIOR = 2105,
        IDC_INITIAL_LABEL = 2106,
        IDC_MIN_BEHAVIOR_LABEL = 2107,
        IDC_MAX_BEHAVIOR_LABEL = 2108,
        IDC_SNAP = 2109,
        IDC_LOG = 2110,
        IDC_VERTICAL = 2111,
        IDC_RADIAL = 2112,
        IDC_AUTORESIZE = 2113,
        IDC_STATUS_RANGE = 2114,
        IDC_STATUS_LINK = 2115,
        IDC_EFFECT_LABEL = 2116,
        IDC_EFFECT = 2117,
        IDC_DURATION_LABEL = 2118,
        IDC_STATUS_LABEL = 2119,
        IDC_TRACKING_LABEL = 2120,
        IDC_SENSITIVITY_LABEL = 2121,
        IDC_ELASTICITY_LABEL = 2122,
        IDC_SENSITIVITY = 2123,
        IDC_ELASTICITY = 2124,
        IDC_MIN_LABEL = 2125,
        IDC_MAX_LABEL = 2126,
        IDC_INC_LABEL = 2127,
        IDC_PLAY_GROUP = 2128,
        IDC_PLAY_BUTTON = 2129,
        IDC_AUTO_REWIND = 2130,
        IDC_AUTO_REPLAY = 2131,
        IDC_SOUND = 2132,
        IDC_PLAY_TIME_LABEL = 2133,
        IDC_FFW_REW = 2134,
        IDC_PREV_NEXT = 2135,
        IDC_SHOW_SLIDER = 2136,
        IDC_KEY = 2137,
        IDC_KEY_LABEL = 2138,
        IDC_KEY_LINK = 2139,
        // The spin edits keep the ids other code knows them by.
        IDC_MIN = 302,
        IDC_MAX = 179,
        IDC_INC = 180,
        IDC_PLAY_TIME = 181,
        IDC_DURATION = 272,
    };
    // The answer to a spin edit's report that the page has handled it.
    static constexpr LRESULT kSpinHandled = 0x10001;

    // The grid moves "Autoresize Value Box" above the sensitivity slider.
    static DialogTemplate MakeTemplate(bool grid);

    CSingleValueBehaviorPage();
    ~CSingleValueBehaviorPage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    int GetTypeIndex() const { return m_typeIndex; }
    CSpinEdit* Spin(int id) const;

    // Handlers.
    void OnInitialChanged();
    void OnMinBehaviorChanged() { OnLimitBehaviorChanged(true); }
    void OnMaxBehaviorChanged() { OnLimitBehaviorChanged(false); }
    void OnPlayButton();
    void OnCheck(UINT id);
    void OnVertical() { StoreTracking(true); }
    void OnRadial() { StoreTracking(false); }
    void OnAutoResize();
    void OnStatusLink();
    void OnKeyLink() { m_key.OnLink(); }
    void OnIntroStyleChanged();
    void OnHScroll(UINT code, UINT pos, CWnd* bar);
    LRESULT OnEditCommitted(WPARAM wParam, LPARAM lParam);
    LRESULT OnSpinChanged(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* Group() const { return pages::PageGroup(*this, "Behavior"); }
    CParameter* Find(const char* key) const;
    std::string Text(const char* key) const;
    bool IsOpen(const char* key) const { return Text(key) == "open"; }
    void NotifyIfChanged(bool changed);

    bool BindCheckBoxOrChoice(const char* key, int id);
    void SetChoiceFromCombo(const char* key, int comboId);
    void BindSpins();
    void ShowPlayOptions();
    void ShowInitialChoices();
    void ShowLimitControls();
    void ShowLimitBehaviors();
    void ShowInteraction();
    void CloseUpInteraction();
    void ShowVisibility();
    void StoreTracking(bool first);
    void EnableInputDisabledControls(bool enable);
    void OnLimitBehaviorChanged(bool lower);
    void EnableRewindReplay(bool enable);

    CSliderCtrl* Slider(int id) const;

    pages::CLinkedValueEdit m_key;
    CFont m_font;
    CParameter* m_alertsEnabled = nullptr;
    CParameter* m_minMaxEnabled = nullptr;
    int m_typeIndex = -1;
    bool m_grid = false;
    bool m_bound[5] = {};
};
