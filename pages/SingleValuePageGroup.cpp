#include "pages/PageGroups.h"

namespace pages {

void RegisterSingleValuePages(CPageClassRegistry&)
{
}

} // namespace pages
