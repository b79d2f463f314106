#pragma once

// The "General" tab of every chart: the titles (typed or linked to cells), the data range cut
// into series by rows or columns, or the series one by one with their name, values, Y values
// and sizes, and the category labels. The page works through the chart data model, which
// writes the series into the component's parameters.

#include "model/ChartData.h"
#include "pages/FieldPage.h"
#include "platform/controls/InPlaceEdit.h"

class CListBox;

class CChartGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 212,
        IDC_TITLES_GROUP = 1200,
        IDC_TITLE_LABEL = 1201,
        IDC_TITLE = 1202,
        IDC_TITLE_LINK = 1203,
        IDC_SUBTITLE_LABEL = 1204,
        IDC_SUBTITLE = 1205,
        IDC_SUBTITLE_LINK = 1206,
        IDC_XTITLE_LABEL = 1207,
        IDC_XTITLE = 1208,
        IDC_XTITLE_LINK = 1209,
        IDC_YTITLE_LABEL = 1210,
        IDC_YTITLE = 1211,
        IDC_YTITLE_LINK = 1212,
        IDC_MODE_RANGE = 1213,
        IDC_RANGE_LABEL = 1214,
        IDC_RANGE = 1215,
        IDC_RANGE_LINK = 1216,
        IDC_SERIES_IN = 1217,
        IDC_ROWS = 1218,
        IDC_COLUMNS = 1219,
        IDC_MODE_SERIES = 1220,
        IDC_SERIES_LABEL = 1221,
        IDC_SERIES_LIST = 1222,
        IDC_ADD = 1223,
        IDC_REMOVE = 1224,
        IDC_NAME_LABEL = 1225,
        IDC_NAME = 1226,
        IDC_NAME_LINK = 1227,
        IDC_VALUES_LABEL = 1228,
        IDC_VALUES = 1229,
        IDC_VALUES_LINK = 1230,
        IDC_YVALUES_LABEL = 1231,
        IDC_YVALUES = 1232,
        IDC_YVALUES_LINK = 1233,
        IDC_SIZES_LABEL = 1234,
        IDC_SIZES = 1235,
        IDC_SIZES_LINK = 1236,
        IDC_CATEGORY_LABEL = 1237,
        IDC_CATEGORY = 1238,
        IDC_CATEGORY_LINK = 1239,
    };
    static constexpr const char* kTipText = "TIP: You may want to consider a smaller range. The current selection you "
                                            "have made may impact your computer's performance.";
    static constexpr const char* kModelErrorText =
        "There was an error detected in the model, probably due to sheet names changing on re-import.\n"
        "Please reselect the data source for this component.";
    static DialogTemplate MakeTemplate();

    CChartGeneralPage();
    ~CChartGeneralPage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;

    void OnDataRangeMode();
    void OnSeriesMode();
    void OnRows();
    void OnColumns();
    void OnDataRangeLink();
    void OnSeriesSelChange();
    void OnAdd();
    void OnRemove();
    void OnNameLink();
    void OnValuesLink();
    void OnYValuesLink();
    void OnSizesLink();
    void OnCategoryLink();
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

    CChartData& Data() { return m_data; }
    const CChartData& Data() const { return m_data; }
    int GetMode() const { return m_mode; }
    int GetChartIndex() const { return m_chartIndex; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CListBox& List();
    CChartSeries* Selected();
    void ApplyMode(int mode);
    void RefillSeries();
    void ShowSelection();
    void RefreshRangeTexts();
    void CheckOrientation();
    void SetOrientation(int orientation);
    void UpdateParameters();
    void PickSeriesCells(CCellBinding& (CChartSeries::*which)(), int editId);
    void ApplyAlertsRule();
    bool CategoryLinkable() const;

    CChartData m_data;
    int m_chartIndex = -1;
    int m_mode = 0;
    bool m_stateLoaded = false;
    CInPlaceEdit m_name;
};
