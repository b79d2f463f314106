#include "pages/TrendIconGeneralPage.h"

using namespace pages;

DialogTemplate CTrendIconGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Data", IDC_DATA_GROUP, 7, 7, 241, 36, kGroupStyle)
        .Add("Edit", "", IDC_DATA, 14, 21, 200, 13, kEditStyle)
        .Add("Button", "...", IDC_DATA_LINK, 218, 21, 16, 13, kTab)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 50, 241, 36, kGroupStyle)
        .Add("Button", "Show Custom Color", IDC_USE_COLOR, 14, 66, 90, 10, kCheckStyle)
        .Add("Button", "", IDC_COLOR, 110, 64, 40, 14, kColorStyle);
    return t;
}

namespace {

std::vector<ParamField> Rows()
{
    using Page = CTrendIconGeneralPage;
    FieldPolicy data;
    // The value keeps its type when typed, and only a cell binding can be linked.
    data.linked.byType = true;
    data.linked.emptyOnClear = false;
    data.bindingOnly = true;
    return {LinkedRow(Page::IDC_DATA, Page::IDC_DATA_LINK, "mv", data),
            CheckedColourRow(Page::IDC_USE_COLOR, "useCustomColor", Page::IDC_COLOR, "customColor")};
}

} // namespace

CTrendIconGeneralPage::CTrendIconGeneralPage()
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(940))
{
}
