#pragma once

// The "Titles" sub-page of the chart Appearance page: the title block (title and subtitle
// fonts, alignment, a box with border and fill) and the legend (shown or not, font, box). While
// alerts are on the legend stays off, since the alert colours replace the series colours it
// would explain.

#include "pages/ChartSubPageKit.h"
#include "platform/dialogs/DialogTemplate.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"

#include <initializer_list>

class CChartTitlesPage : public pages::CChartSubPageBase {
public:
    enum : int {
        IDD = 253,
        IDC_TITLE_GROUP = 1400,
        IDC_SHOW_TITLE = 1401,
        IDC_TITLE_FONT_LABEL = 1402,
        IDC_TITLE_FONT = 1403,
        IDC_SUBTITLE_FONT_LABEL = 1404,
        IDC_SUBTITLE_FONT = 1405,
        IDC_ALIGN_LABEL = 1406,
        IDC_ALIGN = 1407,
        IDC_TITLE_BORDER = 1408,
        IDC_TITLE_BORDER_COLOR = 1409,
        IDC_TITLE_WEIGHT_LABEL = 1410,
        IDC_TITLE_WEIGHT = 1411,
        IDC_TITLE_FILL = 1412,
        IDC_TITLE_FILL_COLOR = 1413,
        IDC_LEGEND_GROUP = 1420,
        IDC_SHOW_LEGEND = 1421,
        IDC_LEGEND_FONT_LABEL = 1422,
        IDC_LEGEND_FONT = 1423,
        IDC_LEGEND_BORDER = 1424,
        IDC_LEGEND_BORDER_COLOR = 1425,
        IDC_LEGEND_WEIGHT_LABEL = 1426,
        IDC_LEGEND_WEIGHT = 1427,
        IDC_LEGEND_FILL = 1428,
        IDC_LEGEND_FILL_COLOR = 1429,
    };

    static DialogTemplate MakeTemplate();

    CChartTitlesPage();

    using CChartSubPageBase::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void UpdateTitleControls();
    void UpdateLegendControls();

    void OnAlignChanged();

    CFontDataCtrl& TitleFont() { return m_titleFont; }
    CFontDataCtrl& LegendFont() { return m_legendFont; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* TextFormat(std::initializer_list<const char*> keys) const;
    CParameter* Find(const char* key) const;

    CParameterSet* m_titleSet = nullptr;
    CParameterSet* m_legendSet = nullptr;
    CFontDataCtrl m_titleFont;
    CFontDataCtrl m_subtitleFont;
    CFontDataCtrl m_legendFont;
};
