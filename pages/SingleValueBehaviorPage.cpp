#include "pages/SingleValueBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "pages/SingleValueGeneralPage.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SliderCtrl.h"

#include <cmath>
#include <iterator>

using namespace pages;
using model::ParamType;

namespace {

const char* const kEffects[] = {"None", "Fade-in", "Grow", "Grow X first"};
constexpr const char* kAlertBased = "alertBased";
constexpr UINT kEndOfDrag = 8;

struct SpinKey {
    int id;
    const char* key;
};
const SpinKey kSpins[] = {{CSingleValueBehaviorPage::IDC_MIN, "minValue"},
                          {CSingleValueBehaviorPage::IDC_MAX, "maxValue"},
                          {CSingleValueBehaviorPage::IDC_INC, "incSize"},
                          {CSingleValueBehaviorPage::IDC_PLAY_TIME, "playTime"},
                          {CSingleValueBehaviorPage::IDC_DURATION, "introTime"}};

struct CheckKey {
    int id;
    const char* key;
};
const CheckKey kChecks[] = {{CSingleValueBehaviorPage::IDC_SNAP, "snapEnabled"},
                            {CSingleValueBehaviorPage::IDC_LOG, "logEnabled"},
                            {CSingleValueBehaviorPage::IDC_AUTO_REWIND, "autoRewind"},
                            {CSingleValueBehaviorPage::IDC_AUTO_REPLAY, "autoReplay"},
                            {CSingleValueBehaviorPage::IDC_SOUND, "soundEnabled"},
                            {CSingleValueBehaviorPage::IDC_FFW_REW, "ffwRewEnabled"},
                            {CSingleValueBehaviorPage::IDC_PREV_NEXT, "prevNextEnabled"},
                            {CSingleValueBehaviorPage::IDC_SHOW_SLIDER, "sliderEnabled"}};

// Sets a choice's current text or a string; true when the value changed.
bool StoreText(CParameter* parameter, const std::string& text)
{
    if (parameter == nullptr || ChoiceText(parameter) == text)
        return false;
    if (CValueList* list = parameter->GetValueList())
        return list->GetPrototype().SetString(text);
    return parameter->SetString(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CSingleValueBehaviorPage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_INITIAL, &CSingleValueBehaviorPage::OnInitialChanged)
    .Control(CBN_SELCHANGE, IDC_MIN_BEHAVIOR, &CSingleValueBehaviorPage::OnMinBehaviorChanged)
    .Control(CBN_SELCHANGE, IDC_MAX_BEHAVIOR, &CSingleValueBehaviorPage::OnMaxBehaviorChanged)
    .Control(CBN_SELCHANGE, IDC_EFFECT, &CSingleValueBehaviorPage::OnIntroStyleChanged)
    .Command(IDC_PLAY_BUTTON, &CSingleValueBehaviorPage::OnPlayButton)
    .CommandRange(IDC_SNAP, IDC_LOG, &CSingleValueBehaviorPage::OnCheck)
    .CommandRange(IDC_AUTO_REWIND, IDC_SOUND, &CSingleValueBehaviorPage::OnCheck)
    .CommandRange(IDC_FFW_REW, IDC_SHOW_SLIDER, &CSingleValueBehaviorPage::OnCheck)
    .Command(IDC_VERTICAL, &CSingleValueBehaviorPage::OnVertical)
    .Command(IDC_RADIAL, &CSingleValueBehaviorPage::OnRadial)
    .Command(IDC_AUTORESIZE, &CSingleValueBehaviorPage::OnAutoResize)
    .Command(IDC_STATUS_LINK, &CSingleValueBehaviorPage::OnStatusLink)
    .Command(IDC_KEY_LINK, &CSingleValueBehaviorPage::OnKeyLink)
    .OnHScroll(&CSingleValueBehaviorPage::OnHScroll)
    .Message(WM_INPLACE_NOTIFY, &CSingleValueBehaviorPage::OnEditCommitted)
    .Message(WM_SPINEDIT_CHANGED, &CSingleValueBehaviorPage::OnSpinChanged) END_MESSAGE_MAP()

DialogTemplate CSingleValueBehaviorPage::MakeTemplate(bool grid)
{
    DialogTemplate t = PageTemplate(grid ? IDD_GRID : IDD, "Behavior");
    t.cy = 256;
    const DWORD slider = kTab | TBS_HORZ;
    // The grid puts the autoresize box where the sensitivity row is and that row below it.
    const int resizeY = grid ? 162 : 176;
    const int senseY = grid ? 175 : 161;
    t.Add("Button", "Scale Behavior", IDC_SCALE_GROUP, 7, 2, 241, 80, kGroupStyle)
        .Add("Button", "Interaction Options", IDC_INTERACTION_GROUP, 7, 138, 241, 50, kGroupStyle)
        .Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 190, 241, 62, kGroupStyle)
        .Add("ComboBox", "", IDC_INITIAL, 128, 10, 112, 60, kComboStyle)
        .Add("ComboBox", "", IDC_MIN_BEHAVIOR, 128, 24, 112, 60, kComboStyle)
        .Add("ComboBox", "", IDC_MAX_BEHAVIOR, 128, 38, 112, 60, kComboStyle)
        .Add("Static", "Initial Limits Calculation", IDC_INITIAL_LABEL, 12, 12, 114, 8, kLabelStyle)
        .Add("Static", "Lower Limit Behavior", IDC_MIN_BEHAVIOR_LABEL, 12, 26, 114, 8, kLabelStyle)
        .Add("Static", "Upper Limit Behavior", IDC_MAX_BEHAVIOR_LABEL, 12, 40, 114, 8, kLabelStyle)
        .Add("Button", "Snap To Scale", IDC_SNAP, 122, 68, 64, 10, kCheckStyle)
        .Add("Button", "Log Scale", IDC_LOG, 188, 68, 54, 10, kCheckStyle & ~WS_VISIBLE)
        .Add("Button", "Vertical", IDC_VERTICAL, 82, 149, 46, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Radial", IDC_RADIAL, 132, 149, 46, 10, kRadioStyle)
        .Add("Button", "Autoresize Value Box", IDC_AUTORESIZE, 12, resizeY, 110, 10, kCheckStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 98, 201, 116, 12, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 218, 201, 16, 12, kLinkStyle)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 12, 234, 52, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 66, 232, 70, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 140, 234, 66, 8, kLabelStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 12, 203, 84, 8, kLabelStyle)
        .Add("Static", "Mouse Tracking:", IDC_TRACKING_LABEL, 12, 150, 68, 8, kLabelStyle)
        .Add("Static", "Mouse Sensitivity", IDC_SENSITIVITY_LABEL, 12, senseY + 1, 76, 8, kLabelStyle)
        .Add("Static", "Object Elasticity", IDC_ELASTICITY_LABEL, 150, 150, 74, 8, kLabelStyle)
        .Add("msctls_trackbar32", "", IDC_SENSITIVITY, 90, senseY, 80, 12, slider)
        .Add("msctls_trackbar32", "", IDC_ELASTICITY, 176, 161, 66, 12, slider)
        .Add("Static", "Minimum Value", IDC_MIN_LABEL, 12, 55, 62, 8, kLabelStyle)
        .Add("Static", "Maximum Value", IDC_MAX_LABEL, 122, 55, 62, 8, kLabelStyle)
        .Add("Static", "Increment Size", IDC_INC_LABEL, 12, 69, 62, 8, kLabelStyle)
        .Add("Button", "Play Options", IDC_PLAY_GROUP, 7, 84, 241, 52, kGroupStyle)
        .Add("Button", "Show Play Button", IDC_PLAY_BUTTON, 12, 95, 78, 10, kCheckStyle)
        .Add("Button", "Auto Rewind", IDC_AUTO_REWIND, 94, 95, 66, 10, kCheckStyle)
        .Add("Button", "Auto Replay", IDC_AUTO_REPLAY, 164, 95, 66, 10, kCheckStyle)
        .Add("Button", "Sound Enabled", IDC_SOUND, 12, 108, 78, 10, kCheckStyle)
        .Add("Static", "Play Time (seconds)", IDC_PLAY_TIME_LABEL, 94, 109, 86, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_MIN, 76, 53, 40, 12, kTab)
        .Add("SpinEdit", "", IDC_MAX, 186, 53, 40, 12, kTab)
        .Add("SpinEdit", "", IDC_INC, 76, 67, 40, 12, kTab)
        .Add("SpinEdit", "", IDC_PLAY_TIME, 182, 107, 40, 12, kTab)
        .Add("SpinEdit", "", IDC_DURATION, 208, 232, 36, 12, kTab)
        .Add("Button", "Show Rew/Fwd", IDC_FFW_REW, 12, 121, 78, 10, kCheckStyle)
        .Add("Button", "Show Prev/Next", IDC_PREV_NEXT, 94, 121, 68, 10, kCheckStyle)
        .Add("Button", "Show Slider", IDC_SHOW_SLIDER, 164, 121, 66, 10, kCheckStyle)
        .Add("Edit", "", IDC_KEY, 98, 216, 116, 12, kEditStyle)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 12, 218, 84, 8, kLabelStyle)
        .Add("Button", "...", IDC_KEY_LINK, 218, 216, 16, 12, kLinkStyle);
    return t;
}

namespace {

// The scale, play, interaction and visibility rules of these components tie their values
// together, so every row is the page's own; the rows still tell which keys the page edits.
std::vector<ParamField> Rows()
{
    using Page = CSingleValueBehaviorPage;
    std::vector<ParamField> rows;
    for (const SpinKey& spin : kSpins)
        rows.push_back(OwnRow({spin.id}, {spin.key}));
    for (const CheckKey& check : kChecks)
        rows.push_back(OwnRow({check.id}, {check.key}));
    rows.push_back(OwnRow({Page::IDC_PLAY_BUTTON}, {"playButtonEnabled"}));
    rows.push_back(OwnRow({Page::IDC_AUTORESIZE}, {"autoResize", "inputDisabled"}));
    rows.push_back(OwnRow({Page::IDC_VERTICAL, Page::IDC_RADIAL}, {"mouseTracking", "scrollBehavior"}));
    rows.push_back(OwnRow({Page::IDC_SENSITIVITY}, {"sensitivity"}));
    rows.push_back(OwnRow({Page::IDC_ELASTICITY}, {"elasticity"}));
    rows.push_back(OwnRow({Page::IDC_INITIAL}, {"initialMinMax"}));
    rows.push_back(OwnRow({Page::IDC_MIN_BEHAVIOR}, {"minBehavior"}));
    rows.push_back(OwnRow({Page::IDC_MAX_BEHAVIOR}, {"maxBehavior"}));
    rows.push_back(OwnRow({Page::IDC_STATUS_LINK}, {"displayStatus"}));
    rows.push_back(OwnRow({Page::IDC_KEY}, {"displayKey"}));
    rows.push_back(OwnRow({Page::IDC_EFFECT}, {"introStyle"}));
    return rows;
}

} // namespace

CSingleValueBehaviorPage::CSingleValueBehaviorPage()
    : CFieldPage("Behavior", [](const CFieldPage&) { return MakeTemplate(false); }, Rows(), {})
{
}

CSingleValueBehaviorPage::~CSingleValueBehaviorPage()
{
    // The controls commit what was typed when they lose the focus, and they report to this
    // page: they must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CSingleValueBehaviorPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                      IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    // The limits' and alerts' switches live in other groups of the component.
    m_alertsEnabled = FindInComponent(root, "alertsEnabled");
    m_minMaxEnabled = FindInComponent(root, "minMaxEnabled");
    const std::string symbol = GetOwnerComponentType();
    m_typeIndex = SingleValueTypeIndex(symbol);
    m_grid = symbol == "KVGridSymbol";
    CSpinEdit::RegisterClass();
    m_font.CreatePointFont(80, "MS Shell Dlg");
    Construct(MakeTemplate(m_grid));
    return TRUE;
}

CParameter* CSingleValueBehaviorPage::Find(const char* key) const
{
    return Group() != nullptr ? Group()->FindParameter(key) : nullptr;
}

std::string CSingleValueBehaviorPage::Text(const char* key) const
{
    const CParameter* parameter = Find(key);
    return ChoiceText(parameter != nullptr ? parameter : FindInComponent(GetRootSet(), key));
}

CSpinEdit* CSingleValueBehaviorPage::Spin(int id) const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(id));
}

CSliderCtrl* CSingleValueBehaviorPage::Slider(int id) const
{
    return dynamic_cast<CSliderCtrl*>(GetDlgItem(id));
}

void CSingleValueBehaviorPage::NotifyIfChanged(bool changed)
{
    // What the page corrects on its own reaches the stage and the saved document too, but only
    // when something did change.
    if (changed)
        NotifyOwnerChanged();
}

BOOL CSingleValueBehaviorPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    if (CSliderCtrl* sensitivity = Slider(IDC_SENSITIVITY))
        sensitivity->SetRange(1, 10);
    auto* effect = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    for (const char* name : kEffects)
        effect->AddString(name);
    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    m_key.Attach(*this, Find("displayKey"), IDC_KEY, IDC_KEY_LINK, policy);
    if (m_key.Parameter() == nullptr)
        EnableItems(*this, {IDC_KEY_LABEL}, false);
    return TRUE;
}

BOOL CSingleValueBehaviorPage::OnSetActive()
{
    BindComboBox("initialMinMax", IDC_INITIAL, false);
    BindComboBox("minBehavior", IDC_MIN_BEHAVIOR, false);
    BindComboBox("maxBehavior", IDC_MAX_BEHAVIOR, false);
    BindSpins();
    ShowPlayOptions();
    ShowInitialChoices();
    ShowLimitControls();
    ShowLimitBehaviors();
    ShowInteraction();
    CloseUpInteraction();
    ShowVisibility();
    return CFieldPage::OnSetActive();
}

void CSingleValueBehaviorPage::BindSpins()
{
    for (std::size_t i = 0; i < std::size(kSpins); ++i) {
        CSpinEdit* spin = Spin(kSpins[i].id);
        if (spin == nullptr)
            continue;
        m_bound[i] = spin->BindParameter(Find(kSpins[i].key), [this] { NotifyOwnerChanged(); }, &m_font, true, false);
        if (m_bound[i]) {
            spin->ShowWindow(SW_SHOW);
            spin->EnableWindow(TRUE);
        }
    }
    if (Find("playTime") == nullptr)
        ShowItems(*this, {IDC_PLAY_TIME_LABEL}, false);
}

bool CSingleValueBehaviorPage::BindCheckBoxOrChoice(const char* key, int id)
{
    const CParameter* parameter = Find(key);
    const bool usable = parameter != nullptr && parameter->IsEnabled() &&
                        (parameter->GetType() == ParamType::Boolean || parameter->GetValueList() != nullptr);
    bool checked = false;
    if (usable)
        checked = parameter->GetType() == ParamType::Boolean ? parameter->GetBool() : ChoiceText(parameter) == "on";
    CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
    EnableItems(*this, {id}, usable);
    return usable;
}

void CSingleValueBehaviorPage::ShowPlayOptions()
{
    for (const CheckKey& check : kChecks) {
        if (check.id == IDC_LOG || check.id == IDC_FFW_REW || check.id == IDC_PREV_NEXT ||
            check.id == IDC_SHOW_SLIDER)
            BindCheckBox(check.key, check.id, true);
        else
            BindCheckBoxOrChoice(check.key, check.id);
    }
    BindCheckBoxOrChoice("playButtonEnabled", IDC_PLAY_BUTTON);
    BindCheckBox("autoResize", IDC_AUTORESIZE, false);
    if (Find("autoResize") == nullptr && Find("inputDisabled") != nullptr) {
        BindCheckBox("inputDisabled", IDC_AUTORESIZE, false);
        EnableItems(*this, {IDC_AUTORESIZE}, true);
        SetDlgItemText(IDC_AUTORESIZE, "Input Disabled");
        EnableInputDisabledControls(!Find("inputDisabled")->GetBool());
    }
    // A component with rewind and forward buttons always has a play button; when it keeps no
    // switch for it, the box says so (a stored switch is shown as it is).
    CWnd* rewind = GetDlgItem(IDC_FFW_REW);
    if (rewind != nullptr && rewind->IsWindowEnabled() && Find("playButtonEnabled") == nullptr)
        CheckDlgButton(IDC_PLAY_BUTTON, BST_CHECKED);

    CParameter* play = Find("playButtonEnabled");
    const CParameter* value = FindInComponent(GetRootSet(), "mv");
    const CCellBinding* binding = value != nullptr ? value->GetBinding() : nullptr;
    if (play != nullptr && binding != nullptr && binding->IsBound()) {
        // Playing writes the value cell, which would overwrite a formula there.
        if (binding->TestFirstCell()) {
            CheckDlgButton(IDC_PLAY_BUTTON, BST_UNCHECKED);
            EnableItems(*this, {IDC_PLAY_BUTTON}, false);
            NotifyIfChanged(play->GetBool() && play->SetBool(false));
        } else {
            EnableItems(*this, {IDC_PLAY_BUTTON}, true);
        }
    }
    const bool playing = IsDlgButtonChecked(IDC_PLAY_BUTTON) == BST_CHECKED;
    EnableItems(*this, {IDC_AUTO_REWIND, IDC_AUTO_REPLAY, IDC_PLAY_TIME_LABEL}, playing);
    if (m_bound[3])
        Spin(IDC_PLAY_TIME)->EnableWindow(playing ? TRUE : FALSE);
}

void CSingleValueBehaviorPage::ShowInitialChoices()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_INITIAL));
    CParameter* initial = Find("initialMinMax");
    if (m_alertsEnabled == nullptr || initial == nullptr || initial->GetValueList() == nullptr)
        return;
    const int item = combo->FindStringExact(-1, kAlertBased);
    if (!m_alertsEnabled->GetBool() && item >= 0) {
        const bool selected = combo->GetCurSel() == item;
        // The item goes first, so the one chosen in its place is never the one removed.
        combo->DeleteString(static_cast<UINT>(item));
        if (selected && combo->GetCount() > 0) {
            combo->SetCurSel(0);
            NotifyIfChanged(StoreText(initial, combo->GetLBText(0)));
        }
    } else if (m_alertsEnabled->GetBool() && item < 0) {
        combo->AddString(kAlertBased);
        if (ChoiceText(initial) == kAlertBased)
            combo->SetCurSel(combo->GetCount() - 1);
    }
    combo->EnableWindow(combo->GetCount() > 1 ? TRUE : FALSE);
}

void CSingleValueBehaviorPage::ShowLimitControls()
{
    // Without a way to compute the limits, the typed ones are the only ones.
    const bool manual = Find("initialMinMax") == nullptr || Text("initialMinMax") == "manual";
    EnableItems(*this, {IDC_MIN_LABEL, IDC_MAX_LABEL}, manual);
    if (m_bound[0])
        Spin(IDC_MIN)->EnableWindow(manual ? TRUE : FALSE);
    if (m_bound[1])
        Spin(IDC_MAX)->EnableWindow(manual ? TRUE : FALSE);
}

void CSingleValueBehaviorPage::EnableRewindReplay(bool enable)
{
    EnableItems(*this, {IDC_AUTO_REWIND, IDC_AUTO_REPLAY}, enable);
}

void CSingleValueBehaviorPage::ShowLimitBehaviors()
{
    const bool minOpen = IsOpen("minBehavior");
    const bool maxOpen = IsOpen("maxBehavior");
    ShowItems(*this, {IDC_MIN, IDC_MIN_LABEL}, !minOpen && m_bound[0]);
    ShowItems(*this, {IDC_MAX, IDC_MAX_LABEL}, !maxOpen && m_bound[1]);
    if (!m_bound[0])
        ShowItems(*this, {IDC_MIN_LABEL}, false);
    if (!m_bound[1])
        ShowItems(*this, {IDC_MAX_LABEL}, false);
    if (!m_bound[2])
        ShowItems(*this, {IDC_INC_LABEL}, false);
    if (minOpen || maxOpen)
        EnableRewindReplay(false);
    if (CParameter* display = FindInComponent(GetRootSet(), "alertDisplayEnabled")) {
        const bool closed = !minOpen && !maxOpen;
        const bool changed = !closed && display->GetBool();
        if (!closed)
            display->SetBool(false);
        display->SetEnabled(closed);
        NotifyIfChanged(changed);
    }
    if (!minOpen && !maxOpen && BoolOf(Group(), "playButtonEnabled"))
        EnableRewindReplay(true);
}

void CSingleValueBehaviorPage::ShowInteraction()
{
    const CParameter* tracking = Find("mouseTracking");
    const CParameter* scroll = Find("scrollBehavior");
    if (tracking != nullptr) {
        const std::string text = ChoiceText(tracking);
        CheckDlgButton(IDC_VERTICAL, text == "vertical" ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_RADIAL, text == "radial" ? BST_CHECKED : BST_UNCHECKED);
    } else if (scroll != nullptr) {
        SetDlgItemText(IDC_TRACKING_LABEL, "Scroll Behavior:");
        SetDlgItemText(IDC_VERTICAL, "Manual");
        SetDlgItemText(IDC_RADIAL, "Auto");
        const std::string text = ChoiceText(scroll);
        CheckDlgButton(IDC_VERTICAL, text == "manual" ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_RADIAL, text == "auto" ? BST_CHECKED : BST_UNCHECKED);
    } else {
        EnableItems(*this, {IDC_VERTICAL, IDC_RADIAL}, false);
    }

    CSliderCtrl* sensitivity = Slider(IDC_SENSITIVITY);
    if (const CParameter* value = Find("sensitivity")) {
        const int position = value->GetType() == ParamType::Number ? static_cast<int>(std::lround(value->GetDouble()))
                                                                    : value->GetInt();
        sensitivity->SetPos(position);
    } else {
        sensitivity->EnableWindow(FALSE);
    }

    CSliderCtrl* elasticity = Slider(IDC_ELASTICITY);
    const CParameter* elastic = Find("elasticity");
    const CValueList* list = elastic != nullptr ? elastic->GetValueList() : nullptr;
    if (elastic == nullptr) {
        ShowItems(*this, {IDC_ELASTICITY, IDC_ELASTICITY_LABEL}, false);
    } else if (list != nullptr && list->GetCount() > 0) {
        elasticity->SetRange(0, list->GetCount() - 1);
        int position = 0; // an unknown text shows the first step
        for (int i = 0; i < list->GetCount(); ++i)
            if (list->GetAllowed(i) == list->GetCurrentText()) {
                position = i;
                break;
            }
        elasticity->SetPos(position);
    } else {
        elasticity->EnableWindow(FALSE);
    }
}

void CSingleValueBehaviorPage::CloseUpInteraction()
{
    const auto enabled = [this](int id) { return GetDlgItem(id) != nullptr && GetDlgItem(id)->IsWindowEnabled(); };
    if (!enabled(IDC_AUTORESIZE))
        ShowItems(*this, {IDC_AUTORESIZE}, false);
    if (m_grid)
        return;
    if (!enabled(IDC_SENSITIVITY))
        ShowItems(*this, {IDC_SENSITIVITY, IDC_SENSITIVITY_LABEL}, false);
    if (!enabled(IDC_VERTICAL))
        ShowItems(*this, {IDC_VERTICAL, IDC_RADIAL, IDC_TRACKING_LABEL}, false);
    if (!enabled(IDC_AUTORESIZE) && !enabled(IDC_SENSITIVITY) && !enabled(IDC_VERTICAL))
        ShowItems(*this, {IDC_INTERACTION_GROUP}, false);
}

void CSingleValueBehaviorPage::ShowVisibility()
{
    const CParameter* status = Find("displayStatus");
    const CCellBinding* binding = status != nullptr ? status->GetBinding() : nullptr;
    SetDlgItemText(IDC_STATUS_RANGE, binding != nullptr && binding->IsBound() ? binding->GetTexts().GetRangeText()
                                                                               : std::string());
    EnableItems(*this, {IDC_STATUS_LINK}, binding != nullptr);
    const bool keyUsable = m_key.Parameter() != nullptr && binding != nullptr && binding->IsBound();
    m_key.Show();
    m_key.Enable(keyUsable);
    EnableItems(*this, {IDC_KEY_LABEL}, keyUsable);

    auto* effect = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    const CParameter* style = Find("introStyle");
    bool on = false;
    if (style != nullptr && model::IsStringType(style->GetType())) {
        EnableItems(*this, {IDC_EFFECT_LABEL, IDC_EFFECT}, true);
        if (effect->SelectString(-1, style->GetString().c_str()) == CB_ERR)
            effect->SetCurSel(-1);
        on = effect->GetCurSel() != 0;
    } else {
        EnableItems(*this, {IDC_EFFECT_LABEL, IDC_EFFECT}, false);
    }
    EnableItems(*this, {IDC_DURATION_LABEL}, on && m_bound[4]);
    if (m_bound[4])
        Spin(IDC_DURATION)->EnableWindow(on ? TRUE : FALSE);
}

void CSingleValueBehaviorPage::SetChoiceFromCombo(const char* key, int comboId)
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    const int selected = combo->GetCurSel();
    if (selected < 0)
        return;
    if (StoreText(Find(key), combo->GetLBText(selected)))
        NotifyOwnerChanged();
}

void CSingleValueBehaviorPage::OnInitialChanged()
{
    SetChoiceFromCombo("initialMinMax", IDC_INITIAL);
    ShowLimitControls();
}

void CSingleValueBehaviorPage::OnLimitBehaviorChanged(bool lower)
{
    const char* own = lower ? "minBehavior" : "maxBehavior";
    const char* other = lower ? "maxBehavior" : "minBehavior";
    const int spin = lower ? IDC_MIN : IDC_MAX;
    const int label = lower ? IDC_MIN_LABEL : IDC_MAX_LABEL;
    auto* combo = static_cast<CComboBox*>(GetDlgItem(lower ? IDC_MIN_BEHAVIOR : IDC_MAX_BEHAVIOR));
    const int selected = combo->GetCurSel();
    if (selected < 0 || Find(own) == nullptr)
        return;
    StoreText(Find(own), combo->GetLBText(selected));
    const std::string value = Text(own);
    const std::string otherValue = Text(other);
    CParameter* display = FindInComponent(GetRootSet(), "alertDisplayEnabled");
    if (m_minMaxEnabled != nullptr && value == "adjustable")
        m_minMaxEnabled->SetBool(true);
    if (value == "open") {
        ShowItems(*this, {spin, label}, false);
        EnableRewindReplay(false);
        if (m_minMaxEnabled != nullptr && otherValue == "open")
            m_minMaxEnabled->SetBool(false);
        if (display != nullptr) {
            display->SetBool(false);
            display->SetEnabled(false);
        }
    } else {
        ShowItems(*this, {spin, label}, m_bound[lower ? 0 : 1]);
        if (m_minMaxEnabled != nullptr && value == "fixed" && otherValue == "fixed")
            m_minMaxEnabled->SetBool(false);
        if (BoolOf(Group(), "playButtonEnabled") && otherValue != "open")
            EnableRewindReplay(true);
        if (display != nullptr && otherValue != "open")
            display->SetEnabled(true);
    }
    Invalidate(TRUE);
    NotifyOwnerChanged();
}

void CSingleValueBehaviorPage::OnPlayButton()
{
    const bool on = IsDlgButtonChecked(IDC_PLAY_BUTTON) == BST_CHECKED;
    if (CParameter* play = Find("playButtonEnabled"))
        play->SetBool(on);
    if (!IsOpen("minBehavior") && !IsOpen("maxBehavior"))
        EnableRewindReplay(on);
    EnableItems(*this, {IDC_PLAY_TIME_LABEL}, on);
    if (m_bound[3])
        Spin(IDC_PLAY_TIME)->EnableWindow(on ? TRUE : FALSE);
    NotifyOwnerChanged();
}

void CSingleValueBehaviorPage::OnCheck(UINT id)
{
    for (const CheckKey& check : kChecks) {
        if (check.id != static_cast<int>(id))
            continue;
        CParameter* parameter = Find(check.key);
        if (parameter == nullptr)
            return;
        const bool on = IsDlgButtonChecked(check.id) == BST_CHECKED;
        if (const CValueList* list = parameter->GetValueList()) {
            // A choice switch is "on" or the first of its other values.
            std::string off = "off";
            for (const std::string& allowed : list->GetAllowedValues())
                if (allowed != "on") {
                    off = allowed;
                    break;
                }
            StoreText(parameter, on ? "on" : off);
        } else {
            parameter->SetBool(on);
        }
        NotifyOwnerChanged();
        return;
    }
}

void CSingleValueBehaviorPage::StoreTracking(bool first)
{
    if (CParameter* tracking = Find("mouseTracking"))
        StoreText(tracking, first ? "vertical" : "radial");
    else if (CParameter* scroll = Find("scrollBehavior"))
        StoreText(scroll, first ? "manual" : "auto");
    else
        return;
    NotifyOwnerChanged();
}

void CSingleValueBehaviorPage::EnableInputDisabledControls(bool enable)
{
    EnableItems(*this, {IDC_SENSITIVITY_LABEL, IDC_SENSITIVITY, IDC_TRACKING_LABEL, IDC_VERTICAL, IDC_RADIAL}, enable);
}

void CSingleValueBehaviorPage::OnAutoResize()
{
    const bool on = IsDlgButtonChecked(IDC_AUTORESIZE) == BST_CHECKED;
    if (CParameter* resize = Find("autoResize")) {
        resize->SetBool(on);
    } else if (CParameter* disabled = Find("inputDisabled")) {
        disabled->SetBool(on);
        EnableInputDisabledControls(!on);
    } else {
        return;
    }
    NotifyOwnerChanged();
}

void CSingleValueBehaviorPage::OnHScroll(UINT code, UINT, CWnd* bar)
{
    if (code != kEndOfDrag || bar == nullptr)
        return;
    // Neither shows on the stage; the document still has to be saved.
    if (bar == Slider(IDC_SENSITIVITY)) {
        if (CParameter* sensitivity = Find("sensitivity")) {
            sensitivity->SetInt(Slider(IDC_SENSITIVITY)->GetPos());
            MarkDocumentChanged();
        }
    } else if (bar == Slider(IDC_ELASTICITY)) {
        CParameter* elasticity = Find("elasticity");
        const CValueList* list = elasticity != nullptr ? elasticity->GetValueList() : nullptr;
        const int position = Slider(IDC_ELASTICITY)->GetPos();
        if (list != nullptr && position >= 0 && position < list->GetCount()) {
            StoreText(elasticity, list->GetAllowed(position));
            MarkDocumentChanged();
        }
    }
}

void CSingleValueBehaviorPage::OnStatusLink()
{
    CParameter* status = Find("displayStatus");
    if (!PickCells(*this, status, IDC_STATUS_RANGE, nullptr))
        return;
    if (!status->GetBinding()->IsBound()) {
        ShowAlways(*status, Find("displayKey"));
    }
    NotifyOwnerChanged();
    ShowVisibility();
}

void CSingleValueBehaviorPage::OnIntroStyleChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    CParameter* style = Find("introStyle");
    const int selected = combo->GetCurSel();
    if (style == nullptr || !model::IsStringType(style->GetType()) || selected < 0)
        return;
    style->SetString(combo->GetLBText(selected));
    EnableItems(*this, {IDC_DURATION_LABEL}, selected != 0 && m_bound[4]);
    if (m_bound[4])
        Spin(IDC_DURATION)->EnableWindow(selected != 0 ? TRUE : FALSE);
    NotifyOwnerChanged();
}

LRESULT CSingleValueBehaviorPage::OnEditCommitted(WPARAM, LPARAM lParam)
{
    m_key.OnCommit(static_cast<int>(lParam));
    return 0;
}

LRESULT CSingleValueBehaviorPage::OnSpinChanged(WPARAM wParam, LPARAM)
{
    const int id = static_cast<int>(wParam);
    if ((id != IDC_MIN && id != IDC_MAX) || !m_bound[0] || !m_bound[1])
        return 0;
    const CParameter* minimum = Find("minValue");
    const CParameter* maximum = Find("maxValue");
    const auto number = [](const CParameter* p) {
        return p->GetType() == ParamType::Number ? p->GetDouble() : static_cast<double>(p->GetInt());
    };
    const double step = minimum->GetType() == ParamType::Number ? 0.1 : 1.0;
    const double low = number(minimum);
    const double high = number(maximum);
    // The limits never cross: the one just typed gives way by one step.
    if (low >= high) {
        if (id == IDC_MIN)
            Spin(IDC_MIN)->SetValue(high - step);
        else
            Spin(IDC_MAX)->SetValue(low + step);
    }
    return kSpinHandled;
}

int CSingleValueBehaviorPage::GetHelpContextId()
{
    static const SingleValueTopics kLimits = {1080, 1135, 1205, 1270, 1330, 1390};
    static const SingleValueTopics kPlay = {1075, 1130, 1200, 1265, 1325, 1380};
    static const SingleValueTopics kMouse = {-1, 1120, 1210, 1275, 1333, -1};
    static const SingleValueTopics kVisibility = {1070, 1125, 1190, 1260, 1320, 1375};
    static const SingleValueTopics kOther = {1065, 1123, 1185, 1255, 1305, 1370};
    switch (GetFocusedPageControlId()) {
    case IDC_INITIAL:
    case IDC_MIN_BEHAVIOR:
    case IDC_MAX_BEHAVIOR:
    case IDC_SNAP:
    case IDC_MIN:
    case IDC_MAX:
    case IDC_INC:
        return TopicFor(kLimits, m_typeIndex);
    case IDC_PLAY_BUTTON:
    case IDC_AUTO_REWIND:
    case IDC_AUTO_REPLAY:
    case IDC_SOUND:
    case IDC_PLAY_TIME:
    case IDC_FFW_REW:
    case IDC_PREV_NEXT:
    case IDC_SHOW_SLIDER:
        return TopicFor(kPlay, m_typeIndex);
    case IDC_VERTICAL:
    case IDC_RADIAL:
    case IDC_AUTORESIZE:
    case IDC_SENSITIVITY:
    case IDC_ELASTICITY:
        return TopicFor(kMouse, m_typeIndex);
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
    case IDC_DURATION:
        return TopicFor(kVisibility, m_typeIndex);
    default:
        return TopicFor(kOther, m_typeIndex);
    }
}
