#include "pages/LineGeneralPage.h"

#include "model/ParameterSet.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CLineGeneralPage, CComponentPage)
    .Command(IDC_COLOR, &CLineGeneralPage::OnColor)
    .Message(WM_INPLACE_NOTIFY, &CLineGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CLineGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Static", "Line Color", IDC_COLOR_LABEL, 14, 16, 60, 8, kLabelStyle)
        .Add("Button", "", IDC_COLOR, 80, 13, 40, 14, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 14, 38, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_WEIGHT, 80, 36, 36, 13, kEditStyle);
    return t;
}

BOOL CLineGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    BindColorButtonInSet("lineColor", IDC_COLOR, m_color, PageGroup(*this, "General"), false);
    return TRUE;
}

BOOL CLineGeneralPage::OnSetActive()
{
    const BOOL result = CComponentPage::OnSetActive();
    m_weight.Attach(*this, PageGroup(*this, "General")->FindParameter("lineThickness"), IDC_WEIGHT);
    return result;
}

void CLineGeneralPage::OnColor()
{
    CParameterSet* group = PageGroup(*this, "General");
    if (group->FindParameter("lineColor") != nullptr)
        OnColorButtonClicked("lineColor", m_color, group);
}

LRESULT CLineGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_weight.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}
