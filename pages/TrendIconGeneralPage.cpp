#include "pages/TrendIconGeneralPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CTrendIconGeneralPage, CComponentPage)
    .Command(IDC_USE_COLOR, &CTrendIconGeneralPage::OnUseCustomColor)
    .Command(IDC_COLOR, &CTrendIconGeneralPage::OnCustomColor)
    .Command(IDC_DATA_LINK, &CTrendIconGeneralPage::OnDataLink)
    .Message(WM_INPLACE_NOTIFY, &CTrendIconGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

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

BOOL CTrendIconGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "General");
    CParameter* value = group->FindParameter("mv");
    CLinkedValueEdit::Policy policy;
    policy.byType = true;
    policy.emptyOnClear = false;
    m_data.Attach(*this, value != nullptr && value->GetBinding() != nullptr ? value : nullptr, IDC_DATA,
                  IDC_DATA_LINK, policy);
    m_colour.Attach(*this, group, "useCustomColor", IDC_USE_COLOR, "customColor", IDC_COLOR);
    return TRUE;
}

LRESULT CTrendIconGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_data.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}
