#include "pages/PageGroups.h"

#include "pages/MapAppearancePage.h"
#include "pages/PlayOptionsBehaviorPage.h"
#include "pages/SelectorAppearancePage.h"
#include "pages/SelectorBehaviorPage.h"
#include "pages/SelectorGeneralPage.h"

namespace pages {

void RegisterSelectorPages(CPageClassRegistry& registry)
{
    RegisterPlain<CSelectorGeneralPage>(registry, "CSelectorGeneralPage");
    RegisterPlain<CSelectorBehaviorPage>(registry, "CSelectorBehaviorPage");
    RegisterPlain<CSelectorAppearancePage>(registry, "CSelectorAppearancePage");
    RegisterPlain<CPlayOptionsBehaviorPage>(registry, "CPlayOptionsBehaviorPage");
    // The maps' Appearance tab, and the alert icons' with the other template.
    registry.Register("CMapAppearancePage", [](int variant) -> std::unique_ptr<CComponentPage> {
        return std::make_unique<CMapAppearancePage>(variant);
    });
}

} // namespace pages
