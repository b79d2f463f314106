#include "pages/PageRegistry.h"

#include "pages/BackgroundGeneralPage.h"
#include "pages/CommonBehaviorPage.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/InputTextGeneralPages.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/NameValuePage.h"
#include "pages/ScenarioGeneralPage.h"
#include "pages/TextFormatPage.h"
#include "pages/TrendIconGeneralPage.h"
#include "pages/TutorialPage.h"
#include "pages/UrlButtonPages.h"
#include "propui/PageFactory.h"

#include <memory>

namespace pages {

namespace {

template <class Page> void Plain(CPageClassRegistry& registry, const char* name)
{
    registry.Register(name, [](int) -> std::unique_ptr<CComponentPage> { return std::make_unique<Page>(); });
}

} // namespace

void RegisterComponentPages(CPageClassRegistry& registry, publish::ITempFileMaker& temporaries, SwfImportTip& tip)
{
    registry.Register("CBackgroundGeneralPage", [&temporaries, &tip](int) -> std::unique_ptr<CComponentPage> {
        return std::make_unique<CBackgroundGeneralPage>(temporaries, tip);
    });
    Plain<CCommonBehaviorPage>(registry, kCommonBehaviorPageClass);
    Plain<CNameValuePage>(registry, kNameValuePageClass);
    registry.Register("CFillBorderAppearancePage", [](int variant) -> std::unique_ptr<CComponentPage> {
        return std::make_unique<CFillBorderAppearancePage>(variant != 0);
    });
    Plain<CLineGeneralPage>(registry, "CLineGeneralPage");
    Plain<CTrendIconGeneralPage>(registry, "CTrendIconGeneralPage");
    Plain<CScenarioGeneralPage>(registry, "CScenarioGeneralPage");
    Plain<CInputTextGeneralPage>(registry, "CInputTextGeneralPage");
    Plain<CTextAreaGeneralPage>(registry, "CTextAreaGeneralPage");
    Plain<CLabelGeneralPage>(registry, "CLabelGeneralPage");
    Plain<CTextFormatPage>(registry, "CTextFormatPage");
    Plain<CTutorialPage>(registry, "CTutorialPage");
    Plain<CUrlButtonGeneralPage>(registry, "CUrlButtonGeneralPage");
    Plain<CUrlButtonAppearancePage>(registry, "CUrlButtonAppearancePage");
}

} // namespace pages
