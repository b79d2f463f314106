#include "pages/ScenarioGeneralPage.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CScenarioGeneralPage, CComponentPage)
    .Command(IDC_USE_COLOR, &CScenarioGeneralPage::OnUseCustomColor)
    .Command(IDC_USE_FONT_COLOR, &CScenarioGeneralPage::OnUseCustomFontColor)
    .Command(IDC_COLOR, &CScenarioGeneralPage::OnCustomColor)
    .Command(IDC_FONT_COLOR, &CScenarioGeneralPage::OnCustomFontColor) END_MESSAGE_MAP()

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

BOOL CScenarioGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "General");
    m_colour.Attach(*this, group, "useCustomColor", IDC_USE_COLOR, "customColor", IDC_COLOR);
    m_fontColour.Attach(*this, group, "useCustomFontColor", IDC_USE_FONT_COLOR, "customFontColor", IDC_FONT_COLOR);
    return TRUE;
}

BOOL CScenarioGeneralPage::OnSetActive()
{
    const BOOL result = CComponentPage::OnSetActive();
    m_colour.Refresh();
    m_fontColour.Refresh();
    return result;
}
