#include "pages/AlertsPage.h"
#include "pages/ChartAppearancePage.h"
#include "pages/ChartBehaviorPage.h"
#include "pages/ChartGeneralPage.h"
#include "pages/PageGroups.h"

namespace pages {

void RegisterChartPages(CPageClassRegistry& registry)
{
    RegisterPlain<CChartGeneralPage>(registry, "CChartGeneralPage");
    RegisterPlain<CChartBehaviorPage>(registry, "CChartBehaviorPage");
    RegisterPlain<CChartAppearancePage>(registry, "CChartAppearancePage");
    RegisterPlain<CAlertsPage>(registry, "CAlertsPage");
}

} // namespace pages
