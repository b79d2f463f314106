#include "pages/InputTextAppearancePage.h"
#include "pages/InputTextBehaviorPage.h"
#include "pages/LabelAppearancePage.h"
#include "pages/LabelBehaviorPage.h"
#include "pages/PageGroups.h"

namespace pages {

void RegisterTextPages(CPageClassRegistry& registry)
{
    RegisterPlain<CInputTextBehaviorPage>(registry, "CInputTextBehaviorPage");
    RegisterPlain<CInputTextAppearancePage>(registry, "CInputTextAppearancePage");
    RegisterPlain<CLabelBehaviorPage>(registry, "CLabelBehaviorPage");
    RegisterPlain<CLabelAppearancePage>(registry, "CLabelAppearancePage");
}

} // namespace pages
