#include "pages/PageGroups.h"
#include "pages/SingleValueAppearancePage.h"
#include "pages/SingleValueBehaviorPage.h"
#include "pages/SingleValueGeneralPage.h"
#include "pages/TableSelectorPages.h"

namespace pages {

void RegisterSingleValuePages(CPageClassRegistry& registry)
{
    RegisterPlain<CSingleValueGeneralPage>(registry, "CSingleValueGeneralPage");
    RegisterPlain<CSingleValueBehaviorPage>(registry, "CSingleValueBehaviorPage");
    RegisterPlain<CSingleValueAppearancePage>(registry, "CSingleValueAppearancePage");
    RegisterPlain<CTableSelectorGeneralPage>(registry, "CTableSelectorGeneralPage");
    RegisterPlain<CTableSelectorBehaviorPage>(registry, "CTableSelectorBehaviorPage");
    RegisterPlain<CTableSelectorAppearancePage>(registry, "CTableSelectorAppearancePage");
}

} // namespace pages
