#pragma once

// The "Alerts" tab of every component with an alerts group: alerts on or off, which values are
// good (low, high or the middle), the number of alert colours and their thresholds on the alert
// control, each band's fill and font colour, the colour for missing data, how alerts show, and
// the target the values are measured against (typed or linked to cells).

#include "pages/FieldPage.h"
#include "platform/controls/InPlaceEdit.h"
#include "propui/AlertControl.h"
#include "propui/ColorButton.h"

class CAlertsPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 109,
        IDC_ENABLE = 1600,
        IDC_DEFINITION_GROUP = 1601,
        IDC_VARIABLE_LABEL = 1602,
        IDC_VARIABLE = 1603,
        IDC_LOW_GOOD = 1604,
        IDC_HIGH_GOOD = 1605,
        IDC_MID_GOOD = 1606,
        IDC_LEVELS_GROUP = 1607,
        IDC_COUNT_LABEL = 1608,
        IDC_COUNT = 1609,
        IDC_UP = 1610,
        IDC_DOWN = 1611,
        IDC_ALERTS = 1612,
        IDC_FILL_LABEL = 1613,
        IDC_FILL = 1614,
        IDC_FONT_LABEL = 1615,
        IDC_FONT = 1616,
        IDC_NODATA_LABEL = 1617,
        IDC_NODATA = 1618,
        IDC_DISPLAY_GROUP = 1619,
        IDC_OBJECT_ALERTS = 1620,
        IDC_VALUE_ALERTS = 1621,
        IDC_LEVEL_DISPLAY = 1622,
        IDC_TARGET_GROUP = 1623,
        IDC_TARGET = 1624,
        IDC_TARGET_LINK = 1625,
        IDC_TARGET_ARRAY = 1626,
    };
    static DialogTemplate MakeTemplate(const std::string& caption);

    CAlertsPage();
    ~CAlertsPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    // Alerts are on while their switch is (a component without one always has them).
    bool AlertsOn() const;
    void OnEnable();
    // The control marks the values that alert as the type radios say.
    void OnTypeChosen();
    void OnUp();
    void OnDown();
    void OnFill();
    void OnFont();
    void OnNoData();
    void OnTargetLink();
    void OnTargetArray();
    LRESULT OnThresholdsChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnBandChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

    CAlertControl& Control() { return m_alerts; }
    CColorButton& FillButton() { return m_fill; }
    CColorButton& FontButton() { return m_font; }
    CParameter* Target() const;

protected:
    void OnFieldChanged(const pages::ParamField& row) override;

private:
    void ApplyRules();
    void RefreshColours();
    void ShowCount();
    void ShowTarget();
    bool ValueAlertsOn() const;

    CAlertControl m_alerts;
    CColorButton m_fill;
    CColorButton m_font;
    CColorButton m_noData;
    CInPlaceEdit m_target;
    int m_minimum = 0;
    int m_maximum = 100;
    bool m_shown = false;
    bool m_targetLinkable = true;
    bool m_noFontColour = false;

protected:
    DECLARE_MESSAGE_MAP()
};
