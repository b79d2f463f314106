#pragma once

// The "Series" sub-page of the chart Appearance page (every chart but the combination chart):
// plot settings (markers, highlights or slice lines, size, transparency), the colours, weight and
// marker of the series picked in its list, and the value labels. The controls are the same for
// every chart; the page relabels, hides and moves them by the chart type.

#include "pages/ChartSubPageKit.h"
#include "platform/dialogs/DialogTemplate.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

#include <cstdint>
#include <string>

class CChartSeriesPage : public pages::CChartSubPageBase {
public:
    enum : int {
        IDD = 252,
        IDC_PLOT_GROUP = 1200,
        IDC_SHOW_MARKERS = 1201,
        IDC_TRANS_LABEL = 1202,
        IDC_TRANS = 1203,
        IDC_USE_ART = 1204,
        IDC_HIGHLIGHTS = 1205,
        IDC_SIZE_LABEL = 1206,
        IDC_SIZE = 1207,
        IDC_OVERLAP_LABEL = 1208,
        IDC_OVERLAP = 1209,
        IDC_SERIES_GROUP = 1210,
        IDC_SERIES_LABEL = 1211,
        IDC_SERIES = 1212,
        IDC_LINE_COLOR_LABEL = 1213,
        IDC_LINE_COLOR = 1214,
        IDC_WEIGHT_LABEL = 1215,
        IDC_WEIGHT = 1216,
        IDC_MARKER_LABEL = 1217,
        IDC_MARKER = 1218,
        IDC_MARKER_COLOR = 1219,
        IDC_VALUES_GROUP = 1220,
        IDC_SHOW_VALUES = 1221,
        IDC_FONT_LABEL = 1222,
        IDC_VALUE_FONT = 1223,
        IDC_CURRENT_LABEL = 1224,
        IDC_CURRENT = 1225,
        IDC_NUMBER_FORMAT = 1226,
    };

    static DialogTemplate MakeTemplate();

    using CChartSubPageBase::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void OnShowMarkers();
    void OnUseMarkerArt();
    void OnHighlights();
    void OnShowValues();
    void OnLineColor();
    void OnMarkerColor();
    void OnSeriesChanged();
    void OnMarkerChanged();
    void OnCurrentValueChanged();

    int GetFormatIndex() const { return m_formatIndex; }
    int GetSelectedSeries();
    CNumericFormatCtrl& NumberFormat() { return m_numberFormat; }
    CFontDataCtrl& ValueFont() { return m_valueFont; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    bool IsPie() const { return m_chartType == pages::kChartPie; }
    // How many value kinds the "Current Value" list offers: 2 for xy, 3 for bubble, else none.
    int ValueKinds() const;
    void ApplyLayout();
    void FillSeries();
    void LoadSeries(int index);
    void ApplyMarkerArtRule();
    void ApplyValueFormatRule(bool enable);
    void ShowFormatIndex();
    void FollowShowValues(bool on);
    CParameter* SeriesList() const;

    CColorButton m_lineColor;
    CColorButton m_markerColor;
    CFontDataCtrl m_valueFont;
    CNumericFormatCtrl m_numberFormat;
};
