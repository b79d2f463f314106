#include "pages/LineGeneralPage.h"

using namespace pages;

DialogTemplate CLineGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Static", "Line Color", IDC_COLOR_LABEL, 14, 16, 60, 8, kLabelStyle)
        .Add("Button", "", IDC_COLOR, 80, 13, 40, 14, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 14, 38, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_WEIGHT, 80, 36, 36, 13, kEditStyle);
    return t;
}

CLineGeneralPage::CLineGeneralPage()
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); },
                 {ColourRow(IDC_COLOR, "lineColor"), NumberRow(IDC_WEIGHT, "lineThickness")}, Topic(930))
{
}
