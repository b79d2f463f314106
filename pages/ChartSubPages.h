#pragma once

// The sub-pages the chart Appearance page hosts in its child sheet: Series (the combination
// chart has its own), the two axis sub-pages, Titles and Layout. Each maker
// returns the page not yet created; the Appearance page creates it on the component's sets with
// the chart-type index of the Appearance order (pie 0, bar 1, xy 2, bubble 3, line 4, column 5,
// combo 6, stackbar 7, stackcolumn 8).

#include "pages/FieldPage.h"

#include <memory>
#include <string>

namespace pages {

// A sub-page of the chart Appearance page: a page of fields of the chart's Appearance group.
class CChartSubPage : public CFieldPage {
public:
    // A sub-page whose rows are its fields; one without rows lays itself out and binds its
    // controls itself.
    CChartSubPage(TemplateMaker makeTemplate = {}, std::vector<ParamField> rows = {}, HelpTopic defaultHelp = {})
        : CFieldPage("Appearance", std::move(makeTemplate), std::move(rows), std::move(defaultHelp))
    {
    }
    using CComponentPage::Create;
    // Creates the sub-page on the group set and the whole set for the given chart-type index.
    virtual BOOL CreateForChart(int chartType, CParameterSet* group, const std::string& title, bool modal,
                                IPropertyOwner* owner, CParameterSet* root) = 0;
};

std::unique_ptr<CChartSubPage> MakeChartSeriesSubPage();
std::unique_ptr<CChartSubPage> MakeComboSeriesSubPage();
// axis: 0 the horizontal (X) axis, 1 the vertical (Y) axis.
std::unique_ptr<CChartSubPage> MakeChartAxisSubPage(int axis);
std::unique_ptr<CChartSubPage> MakeChartTitlesSubPage();
std::unique_ptr<CChartSubPage> MakeChartLayoutSubPage();

} // namespace pages
