#pragma once

// The Series sub-page of the combination chart, whose series are each drawn as columns or as a
// line: settings of all column series, settings of all line series, and between them the
// type, colour, weight and marker of the series picked in the list, and the value labels.
//
// The per-series lists hold one element per series of one type, in series order:
// "markerColorsColumn" for the column series, "lineColors", "lineWeights", "seriesMarkers" and
// "markerColorsLine" for the line series. A series that changes type takes its element out of
// the old type's lists and gets one at its place in the new type's, so every other series
// keeps its own colours.

#include "pages/ChartSubPageKit.h"
#include "platform/dialogs/DialogTemplate.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

#include <cstdint>
#include <string>

class CComboSeriesPage : public pages::CChartSubPageBase {
public:
    enum : int {
        IDD = 346,
        IDC_COLUMN_GROUP = 1300,
        IDC_COLUMN_TRANS = 1301,
        IDC_COLUMN_TRANS_LABEL = 1302,
        IDC_USE_BAR_ART = 1303,
        IDC_HIGHLIGHTS = 1304,
        IDC_BAR_WIDTH = 1305,
        IDC_BAR_WIDTH_LABEL = 1306,
        IDC_SERIES_GROUP = 1307,
        IDC_SERIES = 1308,
        IDC_SERIES_LABEL = 1309,
        IDC_SERIES_COLOR = 1310,
        IDC_SERIES_COLOR_LABEL = 1311,
        IDC_WEIGHT = 1312,
        IDC_WEIGHT_LABEL = 1313,
        IDC_MARKER = 1314,
        IDC_MARKER_LABEL = 1315,
        IDC_MARKER_COLOR = 1316,
        IDC_VALUES_GROUP = 1317,
        IDC_SHOW_VALUES = 1318,
        IDC_VALUE_FONT = 1319,
        IDC_FONT_LABEL = 1320,
        IDC_NUMBER_FORMAT = 1321,
        IDC_TYPE = 1322,
        IDC_TYPE_LABEL = 1323,
        IDC_LINE_GROUP = 1324,
        IDC_SHOW_MARKERS = 1325,
        IDC_MARKER_TRANS = 1326,
        IDC_MARKER_TRANS_LABEL = 1327,
        IDC_USE_MARKER_ART = 1328,
        IDC_MARKER_SIZE = 1329,
        IDC_MARKER_SIZE_LABEL = 1330,
    };

    static DialogTemplate MakeTemplate();

    using CChartSubPageBase::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    int GetHelpContextId() override;

    void UpdateControlStates();
    void ShowSeries(int series);
    void FillSeriesCombo();

    void OnSeriesChanged();
    void OnTypeChanged();
    void OnShowMarkers();
    void OnUseMarkerArt();
    void OnUseBarArt();
    void OnHighlights();
    void OnShowValues();
    void OnSeriesColor();
    void OnMarkerColor();
    void OnMarkerChanged();

    // The position of a series among the series of its own type; -1 for a series not listed.
    int PositionInType(int series) const;
    bool IsColumn(int series) const;

protected:
    DECLARE_MESSAGE_MAP()

private:
    int SelectedSeries();
    bool TypeComboShowsColumn();
    void CountTypes(int& columns, int& lines) const;

    CColorButton m_seriesColor;
    CColorButton m_markerColor;
    CFontDataCtrl m_valueFont;
    CNumericFormatCtrl m_numberFormat;
};
