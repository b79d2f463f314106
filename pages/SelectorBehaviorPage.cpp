#include "pages/SelectorBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;

namespace {

const char* const kOpenOn[] = {"mouse click", "mouse over"};

CComboBox& Combo(CWnd& page, int id)
{
    return *static_cast<CComboBox*>(page.GetDlgItem(id));
}

std::string SelectedText(CComboBox& combo)
{
    return combo.GetCurSel() < 0 ? std::string() : combo.GetLBText(combo.GetCurSel());
}

} // namespace

BEGIN_MESSAGE_MAP(CSelectorBehaviorPage, CFieldPage)
    .Command(IDC_ANIMATION, &CSelectorBehaviorPage::OnAnimation)
    .Command(IDC_EXPANDED, &CSelectorBehaviorPage::OnMenuExpanded)
    .Control(CBN_SELCHANGE, IDC_OPEN_ON, &CSelectorBehaviorPage::OnOpenMenu)
    .Control(CBN_SELCHANGE, IDC_UPDATE_ON, &CSelectorBehaviorPage::OnUpdateOn)
    .Control(CBN_SELCHANGE, IDC_DIRECTION, &CSelectorBehaviorPage::OnOpenDirectionChanged)
    .Control(CBN_SELCHANGE, IDC_DEFAULT, &CSelectorBehaviorPage::OnSelectedRegion)
    .Control(CBN_SELCHANGE, IDC_DEFAULT_REGION, &CSelectorBehaviorPage::OnSelectedRegion) END_MESSAGE_MAP()

DialogTemplate CSelectorBehaviorPage::MakeTemplate()
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Behavior Options", IDC_OPTIONS_GROUP, 7, 4, 241, 62, kGroupStyle)
        .Add("Button", "Always Expanded", IDC_EXPANDED, 14, 16, 74, 10, kCheckStyle)
        .Add("Button", "Sound Enabled", IDC_SOUND, 92, 16, 70, 10, kCheckStyle)
        .Add("Button", "Open Animation", IDC_ANIMATION, 166, 16, 76, 10, kCheckStyle)
        .Add("Static", "Open Direction:", IDC_DIRECTION_LABEL, 14, 32, 62, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_DIRECTION, 78, 30, 60, 60, kComboStyle)
        .Add("Static", "Open On:", IDC_OPEN_ON_LABEL, 142, 32, 36, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_OPEN_ON, 180, 30, 62, 60, kComboStyle)
        .Add("Static", "Update On:", IDC_UPDATE_ON_LABEL, 14, 48, 62, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_UPDATE_ON, 78, 46, 60, 60, kComboStyle)
        .Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 70, 241, 78, kGroupStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 14, 84, 78, 8, kLabelStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 94, 82, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 224, 82, 18, 13, kTab)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 14, 100, 78, 8, kLabelStyle)
        .Add("Edit", "", IDC_KEY, 94, 98, 126, 13, kEditStyle)
        .Add("Button", "...", IDC_KEY_LINK, 224, 98, 18, 13, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 14, 116, 78, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 94, 114, 90, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 14, 132, 78, 8, kLabelStyle)
        .Add("SpinEdit", "Entry Duration", IDC_DURATION, 94, 130, 44, 13, kTab)
        .Add("Button", "Default Options", IDC_DEFAULT_GROUP, 7, 152, 241, 30, kGroupStyle)
        .Add("Static", "Default State:", IDC_DEFAULT_LABEL, 14, 166, 78, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_DEFAULT, 94, 164, 120, 80, kComboStyle)
        .Add("ComboBox", "", IDC_DEFAULT_REGION, 94, 164, 120, 80, kComboStyle & ~WS_VISIBLE);
    return t;
}

namespace {

std::vector<ParamField> Rows()
{
    using Page = CSelectorBehaviorPage;
    FieldPolicy quiet;
    // Sound is not shown on the stage: the document changes, nothing is republished.
    quiet.republish = false;
    return {
        VisibilityRow(VisibilityIdsOf<Page>()),
        CheckRow(Page::IDC_SOUND, "soundEnabled", quiet),
        // The menu's open rules tie these together.
        OwnRow({Page::IDC_EXPANDED}, {"menuExpanded"}),
        OwnRow({Page::IDC_ANIMATION}, {"animation"}),
        OwnRow({Page::IDC_OPEN_ON, Page::IDC_OPEN_ON_LABEL}, {"openMenu"}),
        OwnRow({Page::IDC_UPDATE_ON, Page::IDC_UPDATE_ON_LABEL}, {"updateOn"}),
        OwnRow({Page::IDC_DIRECTION, Page::IDC_DIRECTION_LABEL}, {"openHMenu", "openVMenu"}),
    };
}

} // namespace

CSelectorBehaviorPage::CSelectorBehaviorPage()
    : CFieldPage("Behavior", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {})
{
}

CParameterSet* CSelectorBehaviorPage::Group() const
{
    return FieldSet();
}

BOOL CSelectorBehaviorPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    for (int id : {IDC_OPEN_ON, IDC_UPDATE_ON})
        for (const char* item : kOpenOn)
            Combo(*this, id).AddString(item);
    const bool region = FindInComponent(GetRootSet(), "selectedRegion") != nullptr;
    const bool index = FindSelectIndex(GetRootSet()) != nullptr;
    if (index) {
        SetDlgItemText(IDC_DEFAULT_LABEL, "Default Selection");
        ShowItems(*this, {IDC_DEFAULT}, true);
        ShowItems(*this, {IDC_DEFAULT_REGION}, false);
        EnableItems(*this, {IDC_DEFAULT_REGION}, false);
    } else if (region) {
        ShowItems(*this, {IDC_DEFAULT}, false);
        EnableItems(*this, {IDC_DEFAULT}, false);
        ShowItems(*this, {IDC_DEFAULT_REGION}, true);
    } else {
        ShowItems(*this, {IDC_DEFAULT_GROUP, IDC_DEFAULT_LABEL, IDC_DEFAULT, IDC_DEFAULT_REGION}, false);
        EnableItems(*this, {IDC_DEFAULT_GROUP, IDC_DEFAULT_LABEL, IDC_DEFAULT, IDC_DEFAULT_REGION}, false);
    }
    m_type = SelectorTypeOf(GetOwnerComponentType());
    return TRUE;
}

BOOL CSelectorBehaviorPage::OnSetActive()
{
    ShowOpenMenu();
    ShowUpdateOn();
    // The directions are listed before the open rules read the chosen one.
    ShowOpenDirection();
    ShowMenuExpanded();
    ShowAnimation();
    ShowDefaultSelection();
    return CFieldPage::OnSetActive();
}

CParameter* CSelectorBehaviorPage::Direction() const
{
    const CParameter* orientation = FindInComponent(GetRootSet(), "menuOrientation");
    if (orientation == nullptr || orientation->GetValueList() == nullptr)
        return nullptr;
    CParameter* direction = Group()->FindParameter(ChoiceText(orientation) == "horizontal" ? "openHMenu" : "openVMenu");
    return direction != nullptr && direction->GetValueList() != nullptr ? direction : nullptr;
}

bool CSelectorBehaviorPage::Expanded() const
{
    return IsDlgButtonChecked(IDC_EXPANDED) == BST_CHECKED;
}

void CSelectorBehaviorPage::ShowMenuExpanded()
{
    const CParameter* expanded = Group()->FindParameter("menuExpanded");
    CheckDlgButton(IDC_EXPANDED, expanded != nullptr && expanded->GetBool() ? BST_CHECKED : BST_UNCHECKED);
    EnableItems(*this, {IDC_EXPANDED}, expanded != nullptr && expanded->IsEnabled());
    // A correction made while showing the tab is still a change of the document.
    if (UpdateOpenControls(!Expanded()))
        NotifyOwnerChanged();
}

bool CSelectorBehaviorPage::SwitchAnimationOff()
{
    CParameter* animation = Group()->FindParameter("animation");
    bool changed = false;
    if (animation != nullptr && animation->GetType() == model::ParamType::Boolean && animation->GetBool()) {
        animation->SetBool(false, false);
        changed = true;
    }
    CheckDlgButton(IDC_ANIMATION, BST_UNCHECKED);
    EnableItems(*this, {IDC_ANIMATION}, false);
    return changed;
}

bool CSelectorBehaviorPage::UpdateOpenControls(bool enable)
{
    const bool direction = Direction() != nullptr;
    const CParameter* openOn = Group()->FindParameter("openMenu");
    const CParameter* updateOn = Group()->FindParameter("updateOn");
    EnableItems(*this, {IDC_DIRECTION, IDC_DIRECTION_LABEL}, enable && direction);
    EnableItems(*this, {IDC_OPEN_ON, IDC_OPEN_ON_LABEL}, enable && openOn != nullptr && openOn->IsEnabled());
    EnableItems(*this, {IDC_UPDATE_ON, IDC_UPDATE_ON_LABEL}, !enable && updateOn != nullptr && updateOn->IsEnabled());
    CComboBox& combo = Combo(*this, IDC_DIRECTION);
    if (combo.GetCount() < 2)
        return false;
    if (SelectedText(combo).find("down") == std::string::npos)
        return SwitchAnimationOff();
    EnableItems(*this, {IDC_ANIMATION}, Group()->FindParameter("animation") != nullptr && enable && !Expanded());
    return false;
}

void CSelectorBehaviorPage::ShowOpenMenu()
{
    const CParameter* openOn = Group()->FindParameter("openMenu");
    if (openOn == nullptr || !openOn->IsEnabled()) {
        Combo(*this, IDC_OPEN_ON).ResetContent();
        EnableItems(*this, {IDC_OPEN_ON, IDC_OPEN_ON_LABEL}, false);
        return;
    }
    SelectPrefix(Combo(*this, IDC_OPEN_ON), ChoiceText(openOn));
}

void CSelectorBehaviorPage::ShowOpenDirection()
{
    CComboBox& combo = Combo(*this, IDC_DIRECTION);
    combo.ResetContent();
    const CParameter* direction = Direction();
    if (direction == nullptr) {
        EnableItems(*this, {IDC_DIRECTION, IDC_DIRECTION_LABEL}, false);
        return;
    }
    for (const std::string& item : direction->GetValueList()->GetAllowedValues())
        combo.AddString(item.c_str());
    SelectPrefix(combo, ChoiceText(direction));
}

void CSelectorBehaviorPage::ShowAnimation()
{
    const CParameter* animation = Group()->FindParameter("animation");
    if (animation == nullptr) {
        EnableItems(*this, {IDC_ANIMATION}, false);
        return;
    }
    const bool on = animation->GetType() == model::ParamType::Boolean ? animation->GetBool()
                                                                       : ChoiceText(animation) == "on";
    CheckDlgButton(IDC_ANIMATION, on ? BST_CHECKED : BST_UNCHECKED);
    CComboBox& combo = Combo(*this, IDC_DIRECTION);
    if (combo.GetCount() >= 2)
        EnableItems(*this, {IDC_ANIMATION}, SelectedText(combo).find("down") != std::string::npos && !Expanded());
}

void CSelectorBehaviorPage::ShowUpdateOn()
{
    const CParameter* updateOn = Group()->FindParameter("updateOn");
    if (updateOn == nullptr || !updateOn->IsEnabled()) {
        EnableItems(*this, {IDC_UPDATE_ON, IDC_UPDATE_ON_LABEL}, false);
        return;
    }
    SelectPrefix(Combo(*this, IDC_UPDATE_ON), ChoiceText(updateOn));
}

void CSelectorBehaviorPage::ShowDefaultSelection()
{
    if (FindInComponent(GetRootSet(), "selectedRegion") != nullptr && FindSelectIndex(GetRootSet()) == nullptr) {
        ShowDefaultRegion();
        return;
    }
    CParameter* index = FindSelectIndex(GetRootSet());
    if (index == nullptr)
        return;
    CComboBox& combo = Combo(*this, IDC_DEFAULT);
    combo.ResetContent();
    if (m_type == kPushButton) {
        combo.AddString("Off");
        combo.AddString("On");
    } else if (m_type == kCheckBox || m_type == kAlertButton) {
        combo.AddString("Unchecked");
        combo.AddString("Checked");
    } else {
        const CParameter* labels = ValueOf(FindInComponent(GetRootSet(), "labels"));
        if (labels == nullptr)
            labels = ValueOf(FindInComponent(GetRootSet(), "labels_ary"));
        const int count = IsElementList(labels) ? labels->GetElementCount() : 0;
        for (int i = 0; i < count; ++i)
            combo.AddString(labels->GetElement(i)->GetValueText().c_str());
        // A default past the end of the labels would choose nothing: the first item it is.
        if (index->GetInt() >= count && index->GetInt() != 0) {
            index->SetInt(0, false);
            NotifyOwnerChanged();
        }
    }
    combo.SetCurSel(index->GetInt());
    EnableItems(*this, {IDC_DEFAULT}, combo.GetCount() > 1);
}

void CSelectorBehaviorPage::ShowDefaultRegion()
{
    CComboBox& combo = Combo(*this, IDC_DEFAULT_REGION);
    combo.ResetContent();
    const CParameter* values = FindInComponent(GetRootSet(), "values");
    const CCellBinding* binding = values != nullptr ? values->GetBinding() : nullptr;
    if (binding == nullptr || !binding->IsBound()) {
        EnableItems(*this, {IDC_DEFAULT_LABEL, IDC_DEFAULT_REGION}, false);
        return;
    }
    EnableItems(*this, {IDC_DEFAULT_LABEL}, true);
    const CParameter* names = ValueOf(FindInComponent(GetRootSet(), "regionNames"));
    const bool byRows = ChoiceText(FindInComponent(GetRootSet(), "retInfo")) == "rows";
    if (IsElementList(names)) {
        for (const CParameter* entry : SourceEntries(&binding->GetValue(), byRows)) {
            const std::string code = entry->GetValueText();
            for (int i = 0; i < names->GetElementCount(); ++i)
                if (names->GetElement(i)->GetValueText() == code) {
                    combo.AddString(RegionLabel(*names->GetElement(i)).c_str());
                    break;
                }
        }
    }
    EnableItems(*this, {IDC_DEFAULT_REGION}, combo.GetCount() > 1);
    if (combo.GetCount() == 0)
        return;
    combo.SetCurSel(0);
    const std::string stored = WithoutBlanks(FindInComponent(GetRootSet(), "selectedRegion")->GetString());
    for (int i = 0; i < combo.GetCount(); ++i)
        if (WithoutBlanks(combo.GetLBText(i).substr(0, 127)) == stored) {
            combo.SetCurSel(i);
            break;
        }
}

void CSelectorBehaviorPage::OnSelectedRegion()
{
    CParameter* region = FindInComponent(GetRootSet(), "selectedRegion");
    CParameter* index = FindSelectIndex(GetRootSet());
    if (index != nullptr) {
        const int selected = Combo(*this, IDC_DEFAULT).GetCurSel();
        if (selected >= 0)
            index->SetInt(selected, false);
    } else if (region != nullptr) {
        region->SetString(WithoutBlanks(SelectedText(Combo(*this, IDC_DEFAULT_REGION)).substr(0, 127)), false);
    }
    NotifyOwnerChanged();
}

void CSelectorBehaviorPage::OnMenuExpanded()
{
    CParameter* expanded = Group()->FindParameter("menuExpanded");
    if (expanded == nullptr)
        return;
    expanded->SetBool(Expanded(), false);
    UpdateOpenControls(!Expanded());
    if (!Expanded()) {
        Combo(*this, IDC_UPDATE_ON).SetCurSel(0);
    } else if (ChoiceText(FindInComponent(GetRootSet(), "menuOrientation")) == "vertical") {
        // An expanded vertical menu opens from its middle, where its value list offers it.
        CParameter* direction = Group()->FindParameter("openVMenu");
        const CValueList* list = direction != nullptr ? direction->GetValueList() : nullptr;
        if (list != nullptr) {
            for (const std::string& item : list->GetAllowedValues())
                if (item == "center down") {
                    StoreChoiceText(direction, item);
                    SelectExact(Combo(*this, IDC_DIRECTION), item);
                    break;
                }
        }
    }
    NotifyOwnerChanged();
}

void CSelectorBehaviorPage::OnAnimation()
{
    CParameter* animation = Group()->FindParameter("animation");
    if (animation == nullptr)
        return;
    const bool on = IsDlgButtonChecked(IDC_ANIMATION) == BST_CHECKED;
    if (animation->GetType() == model::ParamType::Boolean)
        animation->SetBool(on, false);
    else
        StoreChoiceText(animation, on ? "on" : "off");
    NotifyOwnerChanged();
}

void CSelectorBehaviorPage::OnOpenMenu()
{
    if (StoreChoiceText(Group()->FindParameter("openMenu"), SelectedText(Combo(*this, IDC_OPEN_ON))))
        NotifyOwnerChanged();
}

void CSelectorBehaviorPage::OnUpdateOn()
{
    if (StoreChoiceText(Group()->FindParameter("updateOn"), SelectedText(Combo(*this, IDC_UPDATE_ON))))
        NotifyOwnerChanged();
}

void CSelectorBehaviorPage::OnOpenDirectionChanged()
{
    CParameter* direction = Direction();
    if (direction == nullptr)
        return;
    const std::string text = SelectedText(Combo(*this, IDC_DIRECTION));
    StoreChoiceText(direction, text);
    if (text.find("down") != std::string::npos && !Expanded())
        EnableItems(*this, {IDC_ANIMATION}, Group()->FindParameter("animation") != nullptr);
    else
        SwitchAnimationOff();
    NotifyOwnerChanged();
}

int CSelectorBehaviorPage::GetHelpContextId()
{
    if (m_type < 0)
        return -1;
    static const int kTopics[10][3] = {
        {715, 720, 725}, {765, 770, 775}, {620, 625, 630},   {435, 440, 445},    {475, 480, 485},
        {665, 670, 675}, {555, 560, 575}, {966, 970, 975},   {520, 515, 510},    {1020, 1025, 1026},
    };
    switch (GetFocusedPageControlId()) {
    case IDC_DEFAULT_REGION:
        return 1027;
    case IDC_SOUND:
    case IDC_ANIMATION:
    case IDC_EXPANDED:
    case IDC_DIRECTION:
    case IDC_OPEN_ON:
    case IDC_UPDATE_ON:
        return kTopics[m_type][1];
    case IDC_STATUS_LINK:
    case IDC_STATUS_RANGE:
    case IDC_EFFECT:
    case IDC_DURATION:
        return kTopics[m_type][2];
    default:
        return kTopics[m_type][0];
    }
}
