#include "pages/PageGroups.h"
#include "pages/XmlDataGeneralPage.h"
#include "pages/XmlDataPages.h"

namespace pages {

void RegisterXmlDataPages(CPageClassRegistry& registry)
{
    RegisterPlain<CXMLDataGeneralPage>(registry, "CXMLDataGeneralPage");
    RegisterPlain<CXMLDataBehaviorPage>(registry, "CXMLDataBehaviorPage");
    RegisterPlain<CXMLDataAppearancePage>(registry, "CXMLDataAppearancePage");
}

} // namespace pages
