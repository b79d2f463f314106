#include "pages/XmlDataPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/FontChooser.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;

namespace {

const char* const kEffects[] = {"None", "Fade-in", "Grow", "Grow X first"};

CSpinEdit* SpinOf(CWnd& page, int id)
{
    return dynamic_cast<CSpinEdit*>(page.GetDlgItem(id));
}

} // namespace

// ---- Behavior ----

BEGIN_MESSAGE_MAP(CXMLDataBehaviorPage, CComponentPage)
    .Command(IDC_STATUS_LINK, &CXMLDataBehaviorPage::OnDisplayStatusLink)
    .Control(CBN_SELCHANGE, IDC_EFFECT, &CXMLDataBehaviorPage::OnIntroStyleChanged)
    .Command(IDC_KEY_LINK, &CXMLDataBehaviorPage::OnDisplayKeyLink)
    .Command(IDC_REFRESH_LOAD, &CXMLDataBehaviorPage::OnRefreshLoad)
    .Command(IDC_REFRESH_AUTO, &CXMLDataBehaviorPage::OnRefreshAuto)
    .Message(WM_INPLACE_NOTIFY, &CXMLDataBehaviorPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

CXMLDataBehaviorPage::CXMLDataBehaviorPage()
{
    CSpinEdit::RegisterClass();
}

DialogTemplate CXMLDataBehaviorPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 98, 22, 122, 13, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 224, 22, 16, 13, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 14, 84, 70, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 98, 82, 100, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 14, 104, 70, 8, kLabelStyle)
        .Add("Edit", "", IDC_DURATION, 98, 102, 40, 13, kEditStyle)
        .Add("Edit", "", IDC_KEY, 98, 44, 122, 13, kEditStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 14, 24, 76, 8, kLabelStyle)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 14, 46, 76, 8, kLabelStyle)
        .Add("Button", "...", IDC_KEY_LINK, 224, 44, 16, 13, kTab)
        .Add("Button", "Refresh Options", IDC_REFRESH_GROUP, 7, 124, 241, 62, kGroupStyle)
        .Add("Button", "Refresh On Load", IDC_REFRESH_LOAD, 14, 138, 100, 10, kCheckStyle)
        .Add("Button", "Refresh On Interval", IDC_REFRESH_AUTO, 14, 154, 100, 10, kCheckStyle)
        .Add("Static", "Refresh Interval ", IDC_INTERVAL_LABEL, 14, 170, 76, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "", IDC_INTERVAL, 98, 168, 50, 13, kTab);
    return t;
}

CParameterSet* CXMLDataBehaviorPage::Group() const
{
    return PageGroup(*this, "Behavior");
}

BOOL CXMLDataBehaviorPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = Group();
    CParameter* status = group != nullptr ? group->FindParameter("displayStatus") : nullptr;
    const CCellBinding* statusCells = status != nullptr ? status->GetBinding() : nullptr;
    SetDlgItemText(IDC_STATUS_RANGE, statusCells != nullptr ? statusCells->GetTexts().GetRangeText() : std::string());
    EnableItems(*this, {IDC_STATUS_LINK}, statusCells != nullptr);

    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    for (const char* effect : kEffects)
        combo->AddString(effect);
    if (const CParameter* style = group != nullptr ? group->FindParameter("introStyle") : nullptr)
        SelectExact(*combo, style->GetString());
    else
        EnableItems(*this, {IDC_EFFECT_LABEL, IDC_EFFECT}, false);

    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    policy.republishTyped = false;
    m_key.Attach(*this, group != nullptr ? group->FindParameter("displayKey") : nullptr, IDC_KEY, IDC_KEY_LINK, policy);
    EnableKey(statusCells != nullptr && statusCells->IsBound());

    BindCheckBoxInSet("refreshLoad", IDC_REFRESH_LOAD, group, false);
    BindCheckBoxInSet("refreshAuto", IDC_REFRESH_AUTO, group, false);
    return TRUE;
}

BOOL CXMLDataBehaviorPage::OnSetActive()
{
    CParameterSet* group = Group();
    const bool duration = m_duration.Attach(*this, group != nullptr ? group->FindParameter("introTime") : nullptr,
                                            IDC_DURATION);
    const int selected = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT))->GetCurSel();
    m_duration.Enable(selected != 0);
    EnableItems(*this, {IDC_DURATION_LABEL}, duration && selected != 0);
    if (CSpinEdit* interval = SpinOf(*this, IDC_INTERVAL))
        interval->BindParameter(group != nullptr ? group->FindParameter("refreshInterval") : nullptr,
                                [this]() { NotifyOwnerChanged(); }, GetDialogFont(), false, false);
    EnableInterval();
    return CComponentPage::OnSetActive();
}

void CXMLDataBehaviorPage::EnableKey(bool enable)
{
    const bool present = m_key.Parameter() != nullptr;
    m_key.Enable(present && enable);
    EnableItems(*this, {IDC_KEY_LABEL}, present && enable);
}

// The interval matters only while the connection refreshes by itself.
void CXMLDataBehaviorPage::EnableInterval()
{
    CParameterSet* group = Group();
    const CParameter* automatic = group != nullptr ? group->FindParameter("refreshAuto") : nullptr;
    const CParameter* interval = group != nullptr ? group->FindParameter("refreshInterval") : nullptr;
    const bool enable = automatic != nullptr && automatic->GetBool();
    if (CSpinEdit* spin = SpinOf(*this, IDC_INTERVAL)) {
        spin->EnableWindow(enable && interval != nullptr ? TRUE : FALSE);
        spin->EnableControl(enable && interval != nullptr);
    }
    EnableItems(*this, {IDC_INTERVAL_LABEL}, enable);
}

void CXMLDataBehaviorPage::OnIntroStyleChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    const int selected = combo->GetCurSel();
    CParameterSet* group = Group();
    CParameter* style = group != nullptr ? group->FindParameter("introStyle") : nullptr;
    if (style == nullptr || selected < 0)
        return;
    style->SetString(combo->GetLBText(selected));
    m_duration.Enable(selected != 0);
    EnableItems(*this, {IDC_DURATION_LABEL}, selected != 0 && m_duration.IsAttached());
    NotifyOwnerChanged();
}

void CXMLDataBehaviorPage::OnDisplayStatusLink()
{
    CParameterSet* group = Group();
    CParameter* status = group != nullptr ? group->FindParameter("displayStatus") : nullptr;
    if (!PickCells(*this, status, IDC_STATUS_RANGE, nullptr))
        return;
    if (status->GetBinding()->IsBound()) {
        EnableKey(true);
    } else {
        ShowAlways(*status, group->FindParameter("displayKey"));
        m_key.Show();
        EnableKey(false);
    }
    // The stage shows every component whatever its visibility cell holds.
    MarkDocumentChanged();
}

void CXMLDataBehaviorPage::OnRefreshLoad()
{
    StoreCheck(*this, IDC_REFRESH_LOAD, Group(), "refreshLoad");
    NotifyOwnerChanged();
}

void CXMLDataBehaviorPage::OnRefreshAuto()
{
    StoreCheck(*this, IDC_REFRESH_AUTO, Group(), "refreshAuto");
    EnableInterval();
    NotifyOwnerChanged();
}

LRESULT CXMLDataBehaviorPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    return m_key.OnCommit(standsFor) || m_duration.OnCommit(standsFor) ? 1 : 0;
}

int CXMLDataBehaviorPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_DURATION:
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
        return 890;
    case IDC_REFRESH_LOAD:
    case IDC_REFRESH_AUTO:
    case IDC_INTERVAL:
        return 2338;
    default:
        return 2336;
    }
}

// ---- Appearance ----

BEGIN_MESSAGE_MAP(CXMLDataAppearancePage, CComponentPage)
    .Control(CBN_SELCHANGE, IDC_POSITION, &CXMLDataAppearancePage::OnPosition)
    .Command(IDC_USE_COLOR, &CXMLDataAppearancePage::OnUseCustomColor)
    .Command(IDC_COLOR, &CXMLDataAppearancePage::OnColor) END_MESSAGE_MAP()

CXMLDataAppearancePage::CXMLDataAppearancePage()
{
    CSpinEdit::RegisterClass();
}

DialogTemplate CXMLDataAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Label", IDC_LABEL_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("ComboBox", "", IDC_POSITION, 70, 20, 80, 60, kComboStyle)
        .Add("Static", "Position", IDC_POSITION_LABEL, 14, 22, 50, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "", IDC_TRANSPARENCY, 70, 84, 50, 13, kTab)
        .Add("Static", "Transparency", IDC_TRANSPARENCY_LABEL, 14, 86, 54, 8, kLabelStyle)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 74, 241, 50, kGroupStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 14, 48, 226, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 38, 50, 8, kLabelStyle)
        .Add("Button", "", IDC_COLOR, 200, 102, 40, 14, kColorStyle)
        .Add("Button", "Show Custom Color", IDC_USE_COLOR, 14, 104, 100, 10, kCheckStyle);
    return t;
}

CParameterSet* CXMLDataAppearancePage::Group() const
{
    return PageGroup(*this, "Appearance");
}

BOOL CXMLDataAppearancePage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = Group();
    AttachFontChooser(*this, m_font, IDC_FONT, group, "labelTextFormat");
    BindComboBoxInSet("labelAlignment", IDC_POSITION, group, false);
    m_colour.Attach(*this, group, "useCustomColor", IDC_USE_COLOR, "customColor", IDC_COLOR);
    return TRUE;
}

BOOL CXMLDataAppearancePage::OnSetActive()
{
    CParameterSet* group = Group();
    CParameter* transparency = group != nullptr ? group->FindParameter("transparency") : nullptr;
    if (CSpinEdit* spin = SpinOf(*this, IDC_TRANSPARENCY))
        spin->BindParameter(transparency, [this]() { NotifyOwnerChanged(); }, GetDialogFont(), true, false);
    ShowItems(*this, {IDC_TRANSPARENCY_LABEL}, transparency != nullptr);
    return CComponentPage::OnSetActive();
}

void CXMLDataAppearancePage::OnPosition()
{
    CommitComboBoxInSet("labelAlignment", IDC_POSITION, Group());
}

int CXMLDataAppearancePage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_FONT:
    case IDC_POSITION:
        return 2341;
    case IDC_COLOR:
    case IDC_USE_COLOR:
    case IDC_TRANSPARENCY:
        return 2340;
    default:
        return 2339;
    }
}
