#include "pages/CommonBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"

using namespace pages;

namespace {

const char* const kEffects[] = {"None", "Fade-in", "Grow", "Grow X first"};

CCellBinding* BindingOf(CParameterSet* set, const char* key)
{
    CParameter* parameter = set != nullptr ? set->FindParameter(key) : nullptr;
    return parameter != nullptr ? parameter->GetBinding() : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CCommonBehaviorPage, CComponentPage)
    .Command(IDC_STATUS_LINK, &CCommonBehaviorPage::OnDisplayStatusLink)
    .Control(CBN_SELCHANGE, IDC_EFFECT, &CCommonBehaviorPage::OnIntroStyleChanged)
    .Command(IDC_KEY_LINK, &CCommonBehaviorPage::OnDisplayKeyLink)
    .Message(WM_INPLACE_NOTIFY, &CCommonBehaviorPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

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

BOOL CCommonBehaviorPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "Behavior");
    CCellBinding* status = BindingOf(group, "displayStatus");
    SetDlgItemText(IDC_STATUS_RANGE, status != nullptr ? status->GetTexts().GetRangeText() : std::string());
    EnableItems(*this, {IDC_STATUS_LINK}, status != nullptr);

    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    for (const char* effect : kEffects)
        combo->AddString(effect);
    if (const CParameter* style = group->FindParameter("introStyle"))
        SelectExact(*combo, style->GetString());
    else
        EnableItems(*this, {IDC_EFFECT_LABEL, IDC_EFFECT}, false);

    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    policy.republishTyped = false;
    m_key.Attach(*this, group->FindParameter("displayKey"), IDC_KEY, IDC_KEY_LINK, policy);
    EnableKey(status != nullptr && status->IsBound());
    return TRUE;
}

BOOL CCommonBehaviorPage::OnSetActive()
{
    const bool bound = m_duration.Attach(*this, PageGroup(*this, "Behavior")->FindParameter("introTime"), IDC_DURATION);
    if (!bound)
        EnableItems(*this, {IDC_DURATION_LABEL}, false);
    const int selected = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT))->GetCurSel();
    if (selected == 0) {
        m_duration.Enable(false);
        EnableItems(*this, {IDC_DURATION_LABEL}, false);
    }
    return CComponentPage::OnSetActive();
}

void CCommonBehaviorPage::EnableKey(bool enable)
{
    const bool present = m_key.Parameter() != nullptr;
    m_key.Enable(present && enable);
    EnableItems(*this, {IDC_KEY_LABEL}, present && enable);
}

void CCommonBehaviorPage::OnIntroStyleChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    const int selected = combo->GetCurSel();
    CParameter* style = PageGroup(*this, "Behavior")->FindParameter("introStyle");
    if (style == nullptr || selected < 0)
        return;
    style->SetString(combo->GetLBText(selected));
    m_duration.Enable(selected != 0);
    EnableItems(*this, {IDC_DURATION_LABEL}, selected != 0 && m_duration.IsAttached());
    // The stage shows no entry effect, so there is nothing to republish; the document still
    // has to be saved.
    MarkDocumentChanged();
}

void CCommonBehaviorPage::OnDisplayStatusLink()
{
    CParameterSet* group = PageGroup(*this, "Behavior");
    CParameter* status = group->FindParameter("displayStatus");
    // Only a pick the user made changes the visibility: a cancelled one keeps what was set.
    if (!PickCells(*this, status, IDC_STATUS_RANGE, nullptr))
        return;
    if (status->GetBinding()->IsBound()) {
        EnableKey(true);
    } else {
        ShowAlways(*status, group->FindParameter("displayKey"));
        m_key.Show();
        EnableKey(false);
    }
    NotifyOwnerChanged();
}

void CCommonBehaviorPage::OnDisplayKeyLink()
{
    m_key.OnLink();
}

LRESULT CCommonBehaviorPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    if (m_key.OnCommit(standsFor) || m_duration.OnCommit(standsFor))
        return 1;
    return 0;
}

int CCommonBehaviorPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_DURATION:
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
        return 890;
    default:
        break;
    }
    const std::string type = GetOwnerComponentType();
    if (type.find("Label") != std::string::npos)
        return 1420;
    if (type.find("Url") != std::string::npos)
        return 2730;
    return 875;
}
