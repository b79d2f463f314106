#include "pages/CommonBehaviorPage.h"

#include <string>

using namespace pages;

DialogTemplate CCommonBehaviorPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 98, 22, 122, 13, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 224, 22, 16, 13, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 14, 84, 70, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 98, 82, 100, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 14, 104, 70, 8, kLabelStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 14, 24, 76, 8, kLabelStyle)
        .Add("Edit", "", IDC_DURATION, 98, 102, 40, 13, kEditStyle)
        .Add("Edit", "", IDC_KEY, 98, 44, 122, 13, kEditStyle)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 14, 46, 76, 8, kLabelStyle)
        .Add("Button", "...", IDC_KEY_LINK, 224, 44, 16, 13, kTab);
    return t;
}

namespace {

std::vector<ParamField> Rows(std::vector<ParamField> more)
{
    using Page = CCommonBehaviorPage;
    FieldPolicy policy;
    // The stage shows no entry effect, so there is nothing to republish; the document still
    // has to be saved.
    policy.republishEffect = false;
    std::vector<ParamField> rows = {WithEffectHelp(TypedVisibilityRow(VisibilityIdsOf<Page>(), policy))};
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

int TopicOfType(const CFieldPage& page)
{
    const std::string type = page.GetOwnerComponentType();
    if (type.find("Label") != std::string::npos)
        return 1420;
    if (type.find("Url") != std::string::npos)
        return 2730;
    return 875;
}

} // namespace

CCommonBehaviorPage::CCommonBehaviorPage()
    : CFieldPage(
          "Behavior", [](const CFieldPage&) { return MakeTemplate(); }, Rows({}), TopicOfType)
{
}

CCommonBehaviorPage::CCommonBehaviorPage(TemplateMaker makeTemplate, std::vector<ParamField> more,
                                         HelpTopic defaultHelp)
    : CFieldPage("Behavior", std::move(makeTemplate), Rows(std::move(more)), std::move(defaultHelp))
{
}
