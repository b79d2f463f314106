#include "pages/ChartSubPages.h"

namespace pages {

// Not built yet: the Appearance page leaves these buttons disabled.
std::unique_ptr<CChartSubPage> MakeChartSeriesSubPage()
{
    return nullptr;
}

std::unique_ptr<CChartSubPage> MakeComboSeriesSubPage()
{
    return nullptr;
}

std::unique_ptr<CChartSubPage> MakeChartTitlesSubPage()
{
    return nullptr;
}

std::unique_ptr<CChartSubPage> MakeChartLayoutSubPage()
{
    return nullptr;
}

} // namespace pages
