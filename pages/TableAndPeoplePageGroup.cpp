#include "pages/PageGroups.h"

namespace pages {

void RegisterTableAndPeoplePages(CPageClassRegistry&)
{
}

} // namespace pages
