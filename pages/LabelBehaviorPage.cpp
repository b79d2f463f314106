#include "pages/LabelBehaviorPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CLabelBehaviorPage, CCommonBehaviorPage)
    .CommandRange(IDC_H_ENABLE, IDC_H_AUTOHIDE, &CLabelBehaviorPage::OnHScroll)
    .CommandRange(IDC_V_ENABLE, IDC_V_AUTOHIDE, &CLabelBehaviorPage::OnVScroll) END_MESSAGE_MAP()

void CLabelBehaviorPage::AddScrollGroups(DialogTemplate& t, int left, int top, int width)
{
    const int box = (width - 6) / 2;
    const int right = left + box + 6;
    // The first button of each triplet and the box after it bound the radio groups.
    t.Add("Button", "Enable", IDC_H_ENABLE, left + 7, top + 11, box - 14, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Disable", IDC_H_DISABLE, left + 7, top + 22, box - 14, 10, kRadioStyle)
        .Add("Button", "Auto Hide", IDC_H_AUTOHIDE, left + 7, top + 33, box - 14, 10, kRadioStyle)
        .Add("Button", "Horizontal Scroll Behavior", IDC_H_GROUP, left, top, box, 47, kGroupStyle | WS_GROUP)
        .Add("Button", "Enable", IDC_V_ENABLE, right + 7, top + 11, box - 14, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Disable", IDC_V_DISABLE, right + 7, top + 22, box - 14, 10, kRadioStyle)
        .Add("Button", "Auto Hide", IDC_V_AUTOHIDE, right + 7, top + 33, box - 14, 10, kRadioStyle)
        .Add("Button", "Vertical Scroll Behavior", IDC_V_GROUP, right, top, box, 47, kGroupStyle | WS_GROUP);
}

DialogTemplate CLabelBehaviorPage::MakeTemplate()
{
    DialogTemplate t = CCommonBehaviorPage::MakeTemplate();
    t.id = IDD;
    AddScrollGroups(t, 7, 124, 241);
    return t;
}

BOOL CLabelBehaviorPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    return TRUE;
}

void CLabelBehaviorPage::AttachScrollGroups()
{
    CParameterSet* group = PageGroup(*this, "Behavior");
    m_horizontal.Attach(*this, group->FindParameter("hScrollBarBehavior"),
                        {IDC_H_ENABLE, IDC_H_DISABLE, IDC_H_AUTOHIDE, IDC_H_GROUP});
    m_vertical.Attach(*this, group->FindParameter("vScrollBarBehavior"),
                      {IDC_V_ENABLE, IDC_V_DISABLE, IDC_V_AUTOHIDE, IDC_V_GROUP});
}

BOOL CLabelBehaviorPage::OnInitDialog()
{
    CCommonBehaviorPage::OnInitDialog();
    AttachScrollGroups();
    return TRUE;
}

bool CLabelBehaviorPage::WrapsText() const
{
    const CParameter* format = FindInComponent(GetRootSet(), "formatValue");
    return format != nullptr && format->GetSet() != nullptr && BoolOf(format->GetSet(), "AWrapText");
}

void CLabelBehaviorPage::RefreshHorizontal()
{
    // The horizontal choice follows the Appearance tab's "Wrap Text", so it is read again
    // whenever this tab is shown.
    m_horizontal.Load();
    m_horizontal.Enable(!WrapsText());
}

BOOL CLabelBehaviorPage::OnSetActive()
{
    RefreshHorizontal();
    return CCommonBehaviorPage::OnSetActive();
}

void CLabelBehaviorPage::OnFieldChanged(const ParamField& row)
{
    if (row.kind == FieldKind::TypedVisibility)
        NotifyOwnerChanged();
}

int CLabelBehaviorPage::GetHelpContextId()
{
    const int focused = GetFocusedPageControlId();
    if (m_horizontal.Owns(focused))
        return 1447;
    if (m_vertical.Owns(focused))
        return 1426;
    switch (focused) {
    case IDC_DURATION:
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
        return 890;
    default:
        return -1;
    }
}
