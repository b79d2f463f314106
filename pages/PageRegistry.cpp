#include "pages/PageRegistry.h"

#include "pages/BackgroundGeneralPage.h"
#include "pages/CommonBehaviorPage.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/InputTextGeneralPages.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/NameValuePage.h"
#include "pages/PageGroups.h"
#include "pages/ScenarioGeneralPage.h"
#include "pages/TextFormatPage.h"
#include "pages/TrendIconGeneralPage.h"
#include "pages/TutorialPage.h"
#include "pages/UrlButtonPages.h"
#include "propui/PageFactory.h"

#include <memory>

namespace pages {

void RegisterComponentPages(CPageClassRegistry& registry, publish::ITempFileMaker& temporaries, SwfImportTip& tip)
{
    registry.Register("CBackgroundGeneralPage", [&temporaries, &tip](int) -> std::unique_ptr<CComponentPage> {
        return std::make_unique<CBackgroundGeneralPage>(temporaries, tip);
    });
    RegisterPlain<CCommonBehaviorPage>(registry, kCommonBehaviorPageClass);
    RegisterPlain<CNameValuePage>(registry, kNameValuePageClass);
    registry.Register("CFillBorderAppearancePage", [](int variant) -> std::unique_ptr<CComponentPage> {
        return std::make_unique<CFillBorderAppearancePage>(variant != 0);
    });
    RegisterPlain<CLineGeneralPage>(registry, "CLineGeneralPage");
    RegisterPlain<CTrendIconGeneralPage>(registry, "CTrendIconGeneralPage");
    RegisterPlain<CScenarioGeneralPage>(registry, "CScenarioGeneralPage");
    RegisterPlain<CInputTextGeneralPage>(registry, "CInputTextGeneralPage");
    RegisterPlain<CTextAreaGeneralPage>(registry, "CTextAreaGeneralPage");
    RegisterPlain<CLabelGeneralPage>(registry, "CLabelGeneralPage");
    RegisterPlain<CTextFormatPage>(registry, "CTextFormatPage");
    RegisterPlain<CTutorialPage>(registry, "CTutorialPage");
    RegisterPlain<CUrlButtonGeneralPage>(registry, "CUrlButtonGeneralPage");
    RegisterPlain<CUrlButtonAppearancePage>(registry, "CUrlButtonAppearancePage");
    RegisterSingleValuePages(registry);
    RegisterTextPages(registry);
    RegisterTableAndPeoplePages(registry);
    RegisterSelectorPages(registry);
    RegisterXmlDataPages(registry);
    RegisterChartPages(registry);
}

} // namespace pages
