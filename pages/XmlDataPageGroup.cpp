#include "pages/PageGroups.h"

namespace pages {

void RegisterXmlDataPages(CPageClassRegistry&)
{
}

} // namespace pages
