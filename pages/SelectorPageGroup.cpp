#include "pages/PageGroups.h"

namespace pages {

void RegisterSelectorPages(CPageClassRegistry&)
{
}

} // namespace pages
