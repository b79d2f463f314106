#pragma once

// The "Behavior" tab of every chart: how the published chart scales its value axes (zooming
// out automatically, fitting the data, or a fixed minimum and maximum), how soon it zooms
// out, the fixed label width with its unit abbreviations, the buttons it shows at run time,
// and the dynamic visibility and entry effect it shares with the other components.

#include "pages/FieldPage.h"

class CSpinEdit;
class CSliderCtrl;

class CChartBehaviorPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 244,
        IDC_SCALE_GROUP = 1500,
        IDC_ZOOM_OUT = 1501,
        IDC_AUTO_SCALE = 1502,
        IDC_MANUAL = 1503,
        IDC_MIN_Y_LABEL = 1504,
        IDC_MIN_Y = 1505,
        IDC_MAX_Y_LABEL = 1506,
        IDC_MAX_Y = 1507,
        IDC_MIN_X_LABEL = 1508,
        IDC_MIN_X = 1509,
        IDC_MAX_X_LABEL = 1510,
        IDC_MAX_X = 1511,
        IDC_SENSITIVITY_LABEL = 1512,
        IDC_SENSITIVITY = 1513,
        IDC_FIXED_WIDTH = 1514,
        IDC_UNITS_LABEL = 1515,
        IDC_UNITS = 1516,
        IDC_RUNTIME_GROUP = 1517,
        IDC_SHOW_FOCUS = 1518,
        IDC_SHOW_RESET = 1519,
        IDC_SHOW_SCALE = 1520,
        IDC_VISIBILITY_GROUP = 1521,
        IDC_STATUS_LABEL = 1522,
        IDC_STATUS_RANGE = 1523,
        IDC_STATUS_LINK = 1524,
        IDC_KEY_LABEL = 1525,
        IDC_KEY = 1526,
        IDC_KEY_LINK = 1527,
        IDC_EFFECT_LABEL = 1528,
        IDC_EFFECT = 1529,
        IDC_DURATION_LABEL = 1530,
        IDC_DURATION = 1531,
    };
    static DialogTemplate MakeTemplate();

    CChartBehaviorPage();
    ~CChartBehaviorPage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnZoomOut();
    void OnAutoScale();
    void OnManualScale();
    void OnFixedWidth();
    void OnUnits();
    void OnDisplayStatusLink();
    void OnDisplayKeyLink();
    void OnIntroStyleChanged();
    void OnHScroll(UINT code, UINT position, CWnd* bar);
    LRESULT OnSpinCommitted(WPARAM wParam, LPARAM lParam);
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

    CSpinEdit* Spin(int id) const;
    CSliderCtrl* Slider() const;
    int GetChartIndex() const { return m_chartIndex; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void StoreScale(const char* value);
    void ApplyScaleRule();
    void ApplyZoomRule();
    void ApplyEffectRule();
    void ApplyWidthRule();
    void EnableKey(bool enable);

    pages::CLinkedValueEdit m_key;
    bool m_zoomAvailable = true;
    int m_chartIndex = -1;
};
