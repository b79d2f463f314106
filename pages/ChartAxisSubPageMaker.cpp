#include "pages/ChartSubPages.h"

namespace pages {

// Not built yet: the Appearance page leaves the axis buttons disabled.
std::unique_ptr<CChartSubPage> MakeChartAxisSubPage(int)
{
    return nullptr;
}

} // namespace pages
