#include "pages/ChartAxisPage.h"
#include "pages/ChartSubPages.h"

namespace pages {

std::unique_ptr<CChartSubPage> MakeChartAxisSubPage(int axis)
{
    auto page = std::make_unique<CChartAxisPage>();
    page->SetAxis(axis == CChartAxisPage::kVertical ? CChartAxisPage::kVertical : CChartAxisPage::kHorizontal);
    return page;
}

} // namespace pages
