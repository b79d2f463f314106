#include "pages/ScenarioGeneralPage.h"

using namespace pages;

DialogTemplate CScenarioGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Colors", IDC_COLORS_GROUP, 7, 7, 241, 54, kGroupStyle)
        .Add("Button", "Use Custom Color", IDC_USE_COLOR, 14, 22, 100, 10, kCheckStyle)
        .Add("Button", "", IDC_COLOR, 124, 20, 40, 14, kColorStyle)
        .Add("Button", "Use Custom Font Color", IDC_USE_FONT_COLOR, 14, 42, 100, 10, kCheckStyle)
        .Add("Button", "", IDC_FONT_COLOR, 124, 40, 40, 14, kColorStyle);
    return t;
}

CScenarioGeneralPage::CScenarioGeneralPage()
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); },
                 {CheckedColourRow(IDC_USE_COLOR, "useCustomColor", IDC_COLOR, "customColor"),
                  CheckedColourRow(IDC_USE_FONT_COLOR, "useCustomFontColor", IDC_FONT_COLOR, "customFontColor")},
                 Topic(2750))
{
}
