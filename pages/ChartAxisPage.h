#pragma once

// One axis of a chart, a sub-page of the chart Appearance page: whether the axis title, line,
// tick marks and labels show, the axis colour and weight, the fonts of the title and the
// labels, and the labels' number format. One class serves both axes; the horizontal (X) axis
// edits the "X" keys, the vertical (Y) axis the "Y" keys.

#include "pages/ChartSubPages.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

class CSpinEdit;

class CChartAxisPage : public pages::CChartSubPage {
public:
    enum : int {
        IDD = 254,
        IDC_TITLE_GROUP = 1400,
        IDC_SHOW_TITLE = 1401,
        IDC_TITLE_FONT = 1402,
        IDC_TITLE_FONT_LABEL = 1403,
        IDC_AXIS_GROUP = 1404,
        IDC_SHOW_AXIS = 1405,
        IDC_SHOW_MAJOR = 1406,
        IDC_SHOW_MINOR = 1407,
        IDC_COLOR = 1408,
        IDC_WEIGHT = 1409,
        IDC_WEIGHT_LABEL = 1410,
        IDC_LABELS_GROUP = 1411,
        IDC_SHOW_LABELS = 1412,
        IDC_LABEL_FONT = 1413,
        IDC_LABEL_FONT_LABEL = 1414,
        IDC_FORMAT = 1415,
    };
    enum Axis : int { kHorizontal = 0, kVertical = 1 };
    static DialogTemplate MakeTemplate();

    CChartAxisPage();
    ~CChartAxisPage() override;

    // Stores the chart-type index (Appearance order) and the axis, then creates the page.
    BOOL SetAxisAndCreate(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                          CParameterSet* root, int chartType, int axis);
    BOOL CreateForChart(int chartType, CParameterSet* group, const std::string& title, bool modal,
                        IPropertyOwner* owner, CParameterSet* root) override;
    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void SetAxis(int axis) { m_axis = axis; }
    int GetAxis() const { return m_axis; }
    int GetChartIndex() const { return m_chartIndex; }

    // After a switch: the title font, the axis line or the labels' font and format follow it.
    void AfterShowTitle();
    void AfterShowAxis();
    void AfterShowLabels();
    // Enables the number format by the chart kind, the shape of the chart's data and the labels.
    void UpdateNumberFormatState();

    CFontDataCtrl& TitleFont() { return m_titleFont; }
    CFontDataCtrl& LabelFont() { return m_labelFont; }
    CNumericFormatCtrl& NumberFormat() { return m_format; }
    CSpinEdit* Weight() const;

private:
    // The key of a role for this page's axis: "show%sAxisTitle" and the like with X or Y.
    std::string Key(const char* pattern) const;
    bool Shows(const char* pattern) const;
    void EnableAxisLine(bool show);

    CFontDataCtrl m_titleFont;
    CFontDataCtrl m_labelFont;
    CNumericFormatCtrl m_format;
    int m_axis = kHorizontal;
    int m_chartIndex = -1;
};
