#include "pages/PageGroups.h"

namespace pages {

void RegisterTextPages(CPageClassRegistry&)
{
}

} // namespace pages
