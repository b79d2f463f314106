#include "pages/CollaborationPages.h"
#include "pages/PageGroups.h"

namespace pages {

void RegisterTableAndPeoplePages(CPageClassRegistry& registry)
{
    RegisterPlain<CConnectionLightGeneralPage>(registry, "CConnectionLightGeneralPage");
    RegisterPlain<CLoginGeneralPage>(registry, "CLoginGeneralPage");
    RegisterPlain<CLoginAppearancePage>(registry, "CLoginAppearancePage");
    RegisterPlain<CPeopleListGeneralPage>(registry, "CPeopleListGeneralPage");
}

} // namespace pages
