#include "pages/ChartSubPages.h"

#include "pages/ChartLayoutPage.h"
#include "pages/ChartSeriesPage.h"
#include "pages/ChartTitlesPage.h"
#include "pages/ComboSeriesPage.h"

namespace pages {

std::unique_ptr<CChartSubPage> MakeChartSeriesSubPage()
{
    return std::make_unique<CChartSeriesPage>();
}

std::unique_ptr<CChartSubPage> MakeComboSeriesSubPage()
{
    return std::make_unique<CComboSeriesPage>();
}

std::unique_ptr<CChartSubPage> MakeChartTitlesSubPage()
{
    return std::make_unique<CChartTitlesPage>();
}

std::unique_ptr<CChartSubPage> MakeChartLayoutSubPage()
{
    return std::make_unique<CChartLayoutPage>();
}

} // namespace pages
