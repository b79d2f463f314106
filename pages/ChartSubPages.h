#pragma once

// The sub-pages the chart Appearance page hosts in its child sheet: Series (the combination
// chart has its own), the two axis sub-pages, Titles and Layout. Each maker
// returns the page not yet created; the Appearance page creates it on the component's sets with
// the chart-type index of the Appearance order (pie 0, bar 1, xy 2, bubble 3, line 4, column 5,
// combo 6, stackbar 7, stackcolumn 8).

#include "propui/ComponentPage.h"

#include <memory>
#include <string>

namespace pages {

// A sub-page of the chart Appearance page.
class CChartSubPage : public CComponentPage {
public:
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
