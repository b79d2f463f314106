#pragma once

// The "Layout" sub-page of the chart Appearance page: the chart area (background art, border,
// fill), the plot area (border, fill, margin), the number of value-axis divisions and the major
// and minor gridlines in both directions. Background art and the chart area's own border and
// fill exclude each other: the art clears both, either of them clears the art.

#include "pages/ChartSubPageKit.h"
#include "platform/dialogs/DialogTemplate.h"
#include "propui/ColorButton.h"

#include <array>

class CChartLayoutPage : public pages::CChartSubPageBase {
public:
    enum : int {
        IDD = 255,
        IDC_CHART_GROUP = 1500,
        IDC_USE_ART = 1501,
        IDC_CHART_WEIGHT = 1502,
        IDC_CHART_WEIGHT_LABEL = 1503,
        IDC_CHART_BORDER = 1504,
        IDC_CHART_BORDER_COLOR = 1505,
        IDC_CHART_FILL = 1506,
        IDC_CHART_FILL_COLOR = 1507,
        IDC_PLOT_GROUP = 1510,
        IDC_MARGIN = 1511,
        IDC_MARGIN_LABEL = 1512,
        IDC_PLOT_WEIGHT = 1513,
        IDC_PLOT_WEIGHT_LABEL = 1514,
        IDC_PLOT_BORDER = 1515,
        IDC_PLOT_BORDER_COLOR = 1516,
        IDC_PLOT_FILL = 1517,
        IDC_PLOT_FILL_COLOR = 1518,
        IDC_MAJOR = 1519,
        IDC_MAJOR_LABEL = 1520,
        IDC_MINOR = 1521,
        IDC_MINOR_LABEL = 1522,
        IDC_HGRID_GROUP = 1530,
        IDC_VGRID_GROUP = 1531,
        // Each gridline family: check box, colour, weight spin, "Weight", from these bases.
        IDC_HMAJOR = 1532,
        IDC_HMINOR = 1536,
        IDC_VMAJOR = 1540,
        IDC_VMINOR = 1544,
        // Offsets within a gridline family.
        kFamilyCheck = 0,
        kFamilyColour = 1,
        kFamilyWeight = 2,
        kFamilyWeightLabel = 3,
    };

    static DialogTemplate MakeTemplate();

    CChartLayoutPage();

    using CChartSubPageBase::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void UpdateControlStates();
    // The plot area's colours and weight follow its switches.
    void UpdatePlotArea();
    // A gridline family's colour and weight follow its switch.
    void UpdateFamily(int base);

    void OnUseArt();
    void OnChartBorder();
    void OnChartFill();

protected:
    DECLARE_MESSAGE_MAP()

private:
    struct Family {
        int base;
        const char* showKey;
        const char* colourKey;
        const char* weightKey;
        CColorButton button; // a pie's greyed swatch
        bool weightBound = false;
    };
    CParameter* Find(const char* key) const;
    bool Has(const CParameterSet* set, const char* key) const;
    void EnableFamily(Family& family, bool on);
    void EnableChartBorder(bool on);

    CParameterSet* m_chartArea = nullptr;
    CParameterSet* m_plotArea = nullptr;
    std::array<Family, 4> m_families{{
        {IDC_HMAJOR, "showYAxisMajor", "YAxisMajorColor", "YAxisMajorWeight", {}},
        {IDC_HMINOR, "showYAxisMinor", "YAxisMinorColor", "YAxisMinorWeight", {}},
        {IDC_VMAJOR, "showXAxisMajor", "XAxisMajorColor", "XAxisMajorWeight", {}},
        {IDC_VMINOR, "showXAxisMinor", "XAxisMinorColor", "XAxisMinorWeight", {}},
    }};
};
