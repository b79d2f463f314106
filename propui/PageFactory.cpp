#include "propui/PageFactory.h"

#include <array>

#include "model/ParameterKinds.h"
#include "propui/ComponentPage.h"

void CPageClassRegistry::Register(const std::string& className, Maker maker)
{
    m_makers[className] = std::move(maker);
}

bool CPageClassRegistry::IsRegistered(const std::string& className) const
{
    return m_makers.count(className) != 0;
}

std::unique_ptr<CComponentPage> CPageClassRegistry::Make(const std::string& className, int variant) const
{
    auto it = m_makers.find(className);
    if (it == m_makers.end() || !it->second)
        return nullptr;
    return it->second(variant);
}

const std::vector<std::string>* SpecialComponentPages(const std::string& typeName)
{
    struct Row {
        const char* typeName;
        std::vector<std::string> pages;
    };
    static const std::vector<Row> rows = {
        {"KVLineSymbol", {"CLineGeneralPage", kCommonBehaviorPageClass}},
        {"KVLineSymbolV", {"CLineGeneralPage", kCommonBehaviorPageClass}},
        {"KVTrendIconSymbol", {"CTrendIconGeneralPage", kCommonBehaviorPageClass}},
        {"KVUrlButtonSymbol", {"CUrlButtonGeneralPage", kCommonBehaviorPageClass, "CUrlButtonAppearancePage"}},
        {"KVScenarioSymbol", {"CScenarioGeneralPage", kCommonBehaviorPageClass}},
        {"KVLocalScenarioSymbol", {"CScenarioGeneralPage", kCommonBehaviorPageClass}},
        {"KVRemoteScenarioSymbol", {"CScenarioGeneralPage", kCommonBehaviorPageClass}},
        {"KVXMLDataSymbol", {"CXMLDataGeneralPage", "CXMLDataBehaviorPage", "CXMLDataAppearancePage"}},
        {"KVConnectionLightSymbol", {"CConnectionLightGeneralPage", kCommonBehaviorPageClass}},
        {"KVLoginSymbol", {"CLoginGeneralPage", kCommonBehaviorPageClass, "CLoginAppearancePage"}},
        {"KVPeopleListSymbol", {"CPeopleListGeneralPage", kCommonBehaviorPageClass}},
    };
    for (const Row& row : rows) {
        if (typeName == row.typeName)
            return &row.pages;
    }
    return nullptr;
}

std::optional<PageChoice> ChooseGroupPage(int pageKind, const std::string& groupName, const std::string& ownerType)
{
    using namespace model;
    auto any = [](const char* name, int variant = 0) { return std::optional<PageChoice>(PageChoice{name, variant}); };
    // The kinds whose pages follow the group's name: General, Behavior, Appearance.
    struct Triple {
        PageChoice general, behavior, appearance;
    };
    auto byName = [&](const Triple& t) -> std::optional<PageChoice> {
        const PageChoice* choice = groupName == "General"      ? &t.general
                                   : groupName == "Behavior"   ? &t.behavior
                                   : groupName == "Appearance" ? &t.appearance
                                                               : nullptr;
        if (choice == nullptr || choice->className.empty())
            return std::nullopt;
        return *choice;
    };
    switch (pageKind) {
    case kPageTextFormat:
        return any("CTextFormatPage");
    case kPageAlerts:
        return any("CAlertsPage");
    case kPageChartData:
        return byName({{"CChartGeneralPage"}, {"CChartBehaviorPage"}, {"CChartAppearancePage"}});
    case kPageSelector:
        return byName({{"CSelectorGeneralPage"}, {"CSelectorBehaviorPage"}, {"CSelectorAppearancePage"}});
    case kPageSelector2:
        return any("CMapAppearancePage", 0);
    case kPageSingleValue:
        return byName({{"CSingleValueGeneralPage"}, {"CSingleValueBehaviorPage"}, {"CSingleValueAppearancePage"}});
    case kPageBg:
        return byName({{"CBackgroundGeneralPage"}, {kCommonBehaviorPageClass}, {"CFillBorderAppearancePage", 0}});
    case kPageLabel:
        return byName({{"CLabelGeneralPage"}, {"CLabelBehaviorPage"}, {"CLabelAppearancePage"}});
    case kPageTable:
        return byName({{"CTableSelectorGeneralPage"}, {"CTableSelectorBehaviorPage"}, {"CTableSelectorAppearancePage"}});
    case kPagePlay:
        return byName({{}, {"CPlayOptionsBehaviorPage"}, {"CFillBorderAppearancePage", 1}});
    case kPageHelp:
        return any("CTutorialPage");
    case kPageAlertIcon:
        return any("CMapAppearancePage", 1);
    case kPageTextArea:
        return byName({{ownerType == "KVInputTextSymbol" ? "CInputTextGeneralPage" : "CTextAreaGeneralPage"},
                       {"CInputTextBehaviorPage"},
                       {"CInputTextAppearancePage"}});
    default: // default, external file, format array and any kind added later
        return any(kNameValuePageClass);
    }
}
