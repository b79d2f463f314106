#include "pages/PageGroups.h"

namespace pages {

void RegisterChartPages(CPageClassRegistry&)
{
}

} // namespace pages
