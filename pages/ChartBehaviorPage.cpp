#include "pages/ChartBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/ChartPageKit.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinEdit.h"
#include "propui/EditingDialogs.h"

#include <cctype>
#include <cmath>

using namespace pages;
using model::ParamType;

namespace {

const char* const kEffects[] = {"None", "Fade-in", "Grow", "Grow X first"};

// The first item that begins with the text, letter case ignored; -1 when none does.
int FindPrefix(CComboBox& combo, const std::string& text)
{
    for (int i = 0; i < combo.GetCount(); ++i) {
        const std::string item = combo.GetLBText(i);
        if (item.size() < text.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < text.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(item[k])) == std::tolower(static_cast<unsigned char>(text[k]));
        if (same)
            return i;
    }
    return -1;
}

bool IsNumber(const CParameter* p)
{
    return p != nullptr && (p->GetType() == ParamType::Number || p->GetType() == ParamType::Integer);
}

} // namespace

BEGIN_MESSAGE_MAP(CChartBehaviorPage, CFieldPage)
    .Command(IDC_ZOOM_OUT, &CChartBehaviorPage::OnZoomOut)
    .Command(IDC_AUTO_SCALE, &CChartBehaviorPage::OnAutoScale)
    .Command(IDC_MANUAL, &CChartBehaviorPage::OnManualScale)
    .Command(IDC_FIXED_WIDTH, &CChartBehaviorPage::OnFixedWidth)
    .Command(IDC_UNITS, &CChartBehaviorPage::OnUnits)
    .Command(IDC_STATUS_LINK, &CChartBehaviorPage::OnDisplayStatusLink)
    .Command(IDC_KEY_LINK, &CChartBehaviorPage::OnDisplayKeyLink)
    .Control(CBN_SELCHANGE, IDC_EFFECT, &CChartBehaviorPage::OnIntroStyleChanged)
    .OnHScroll(&CChartBehaviorPage::OnHScroll)
    .Message(WM_SPINEDIT_CHANGED, &CChartBehaviorPage::OnSpinCommitted)
    .Message(WM_INPLACE_NOTIFY, &CChartBehaviorPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CChartBehaviorPage::MakeTemplate()
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Scale Behavior", IDC_SCALE_GROUP, 2, 0, 252, 102, kGroupStyle)
        .Add("Button", "Auto Zoom Out  (Recommended For Animation)", IDC_ZOOM_OUT, 8, 10, 200, 10,
             kRadioStyle | WS_GROUP)
        .Add("Button", "Auto Scale", IDC_AUTO_SCALE, 8, 21, 80, 10, kRadioStyle)
        .Add("Button", "Manual Scale", IDC_MANUAL, 96, 21, 80, 10, kRadioStyle)
        .Add("Static", "Y-Axis Minimum Value", IDC_MIN_Y_LABEL, 8, 36, 84, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MIN_Y, 92, 34, 34, 12, kTab)
        .Add("Static", "Y-Axis Maximum Value", IDC_MAX_Y_LABEL, 8, 50, 84, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MAX_Y, 92, 48, 34, 12, kTab)
        .Add("Static", "X-Axis Minimum Value", IDC_MIN_X_LABEL, 130, 36, 84, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MIN_X, 214, 34, 34, 12, kTab)
        .Add("Static", "X-Axis Maximum Value", IDC_MAX_X_LABEL, 130, 50, 84, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MAX_X, 214, 48, 34, 12, kTab)
        .Add("Static", "Zoom Out Sensitivity", IDC_SENSITIVITY_LABEL, 8, 65, 82, 8, kLabelStyle)
        .Add("msctls_trackbar32", "", IDC_SENSITIVITY, 92, 62, 156, 13, kTab)
        .Add("Button", "Fixed Label Width (Optimizes performance)", IDC_FIXED_WIDTH, 8, 78, 200, 10, kCheckStyle)
        .Add("Static", "Edit Label Unit Abbreviations", IDC_UNITS_LABEL, 20, 90, 120, 8, kLabelStyle)
        .Add("Button", "...", IDC_UNITS, 142, 88, 16, 12, kTab)
        .Add("Button", "Run Time Options", IDC_RUNTIME_GROUP, 2, 104, 252, 34, kGroupStyle)
        .Add("Button", "Show Focus Button", IDC_SHOW_FOCUS, 8, 114, 110, 10, kCheckStyle)
        .Add("Button", "Show Reset Scale Button", IDC_SHOW_RESET, 124, 114, 120, 10, kCheckStyle)
        .Add("Button", "Show Scale Behavior Options", IDC_SHOW_SCALE, 8, 125, 130, 10, kCheckStyle)
        .Add("Button", "Dynamic Visibility:", IDC_VISIBILITY_GROUP, 2, 140, 252, 60, kGroupStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 8, 152, 80, 8, kLabelStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 90, 150, 140, 12, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 232, 150, 16, 12, kTab)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 8, 166, 80, 8, kLabelStyle)
        .Add("Edit", "", IDC_KEY, 90, 164, 140, 12, kEditStyle)
        .Add("Button", "...", IDC_KEY_LINK, 232, 164, 16, 12, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 8, 182, 50, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 60, 180, 80, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 146, 182, 60, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_DURATION, 208, 180, 40, 12, kTab);
    return t;
}

namespace {

std::vector<ParamField> Rows()
{
    using Page = CChartBehaviorPage;
    return {
        CheckRow(Page::IDC_SHOW_FOCUS, "showFocus"),
        CheckRow(Page::IDC_SHOW_RESET, "showReset"),
        CheckRow(Page::IDC_SHOW_SCALE, "showScaleBehavior"),
        // The scale, zoom, label width and visibility rules are the page's own.
        OwnRow({Page::IDC_ZOOM_OUT, Page::IDC_AUTO_SCALE, Page::IDC_MANUAL}, {"autofocus"}),
        OwnRow({Page::IDC_MIN_X}, {"minX"}),
        OwnRow({Page::IDC_MAX_X}, {"maxX"}),
        OwnRow({Page::IDC_MIN_Y}, {"minY"}),
        OwnRow({Page::IDC_MAX_Y}, {"maxY"}),
        OwnRow({Page::IDC_SENSITIVITY}, {"zoomOut"}),
        OwnRow({Page::IDC_FIXED_WIDTH}, {"fixedLabelWidth"}),
        OwnRow({Page::IDC_UNITS}, {"labelUnitAbv"}),
        OwnRow({Page::IDC_STATUS_LINK}, {"displayStatus"}),
        OwnRow({Page::IDC_KEY}, {"displayKey"}),
        OwnRow({Page::IDC_EFFECT}, {"introStyle"}),
        OwnRow({Page::IDC_DURATION}, {"introTime"}),
    };
}

} // namespace

CChartBehaviorPage::CChartBehaviorPage()
    : CFieldPage("Behavior", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {})
{
}

CChartBehaviorPage::~CChartBehaviorPage()
{
    // A spin edit with the focus commits what was typed when its window goes; that must reach
    // this page while it is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CChartBehaviorPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                                CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    m_chartIndex = GeneralChartIndex(ChartTypeOf(root));
    return TRUE;
}

CSpinEdit* CChartBehaviorPage::Spin(int id) const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(id));
}

CSliderCtrl* CChartBehaviorPage::Slider() const
{
    return dynamic_cast<CSliderCtrl*>(GetDlgItem(IDC_SENSITIVITY));
}

BOOL CChartBehaviorPage::OnInitDialog()
{
    // The base page goes first: the in-place edit below needs its font.
    CFieldPage::OnInitDialog();
    CParameterSet* group = GetGroup();
    if (const CParameter* autofocus = group->FindParameter("autofocus")) {
        const std::string value = ChoiceText(autofocus);
        CheckDlgButton(IDC_ZOOM_OUT, value == "growth" ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_AUTO_SCALE, value == "full" ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_MANUAL, value == "off" ? BST_CHECKED : BST_UNCHECKED);
    } else {
        EnableItems(*this, {IDC_ZOOM_OUT, IDC_AUTO_SCALE, IDC_MANUAL}, false);
    }
    BindCheckBox("fixedLabelWidth", IDC_FIXED_WIDTH, false);
    if (CSliderCtrl* slider = Slider()) {
        slider->SetRange(0, 16);
        const CParameter* zoom = group->FindParameter("zoomOut");
        if (IsNumber(zoom)) {
            slider->SetPos(static_cast<int>(NumberOf(zoom) * 4));
        } else {
            m_zoomAvailable = false;
            EnableItems(*this, {IDC_SENSITIVITY, IDC_SENSITIVITY_LABEL}, false);
        }
    }

    CParameter* status = group->FindParameter("displayStatus");
    CCellBinding* statusBinding = status != nullptr ? status->GetBinding() : nullptr;
    SetDlgItemText(IDC_STATUS_RANGE, statusBinding != nullptr ? statusBinding->GetTexts().GetRangeText() : "");
    EnableItems(*this, {IDC_STATUS_LINK}, statusBinding != nullptr);
    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = false;
    m_key.Attach(*this, group->FindParameter("displayKey"), IDC_KEY, IDC_KEY_LINK, policy);
    EnableKey(statusBinding != nullptr && statusBinding->IsBound());
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    for (const char* effect : kEffects)
        combo->AddString(effect);
    return TRUE;
}

BOOL CChartBehaviorPage::OnSetActive()
{
    CParameterSet* group = GetGroup();
    auto changed = [this] { NotifyOwnerChanged(); };
    const std::pair<int, const char*> spins[] = {
        {IDC_MIN_X, "minX"}, {IDC_MAX_X, "maxX"}, {IDC_MIN_Y, "minY"}, {IDC_MAX_Y, "maxY"}, {IDC_DURATION, "introTime"}};
    for (auto [id, key] : spins) {
        CParameter* parameter = group->FindParameter(key);
        if (CSpinEdit* spin = Spin(id))
            spin->BindParameter(IsNumber(parameter) ? parameter : nullptr, changed, GetDialogFont(), false, false);
    }
    ApplyScaleRule();
    ApplyZoomRule();
    ApplyEffectRule();
    ApplyWidthRule();
    return CFieldPage::OnSetActive();
}

void CChartBehaviorPage::ApplyScaleRule()
{
    CParameterSet* group = GetGroup();
    const bool manual = IsDlgButtonChecked(IDC_MANUAL) == BST_CHECKED;
    auto pair = [&](const char* maxKey, std::initializer_list<int> ids, int minId, int maxId) {
        if (manual && group->FindParameter(maxKey) == nullptr)
            return; // a chart without this axis keeps what it shows
        EnableItems(*this, ids, manual);
        // A spin without its parameter stays disabled whatever the scale.
        for (int id : {minId, maxId})
            if (CSpinEdit* spin = Spin(id); spin != nullptr && manual)
                spin->EnableWindow(IsNumber(group->FindParameter(id == minId ? (maxKey[3] == 'X' ? "minX" : "minY")
                                                                             : maxKey))
                                       ? TRUE
                                       : FALSE);
    };
    pair("maxX", {IDC_MIN_X_LABEL, IDC_MIN_X, IDC_MAX_X_LABEL, IDC_MAX_X}, IDC_MIN_X, IDC_MAX_X);
    pair("maxY", {IDC_MIN_Y_LABEL, IDC_MIN_Y, IDC_MAX_Y_LABEL, IDC_MAX_Y}, IDC_MIN_Y, IDC_MAX_Y);
}

void CChartBehaviorPage::ApplyZoomRule()
{
    if (!m_zoomAvailable) {
        EnableItems(*this, {IDC_SENSITIVITY, IDC_SENSITIVITY_LABEL}, false);
        return;
    }
    const std::string value = ChoiceText(GetGroup()->FindParameter("autofocus"));
    if (value == "growth")
        EnableItems(*this, {IDC_SENSITIVITY, IDC_SENSITIVITY_LABEL}, true);
    else if (value == "full" || value == "off")
        EnableItems(*this, {IDC_SENSITIVITY, IDC_SENSITIVITY_LABEL}, false);
}

void CChartBehaviorPage::ApplyEffectRule()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    const CParameter* style = GetGroup()->FindParameter("introStyle");
    CSpinEdit* duration = Spin(IDC_DURATION);
    const bool durationBound = IsNumber(GetGroup()->FindParameter("introTime"));
    if (style == nullptr || !IsStringType(style->GetType())) {
        EnableItems(*this, {IDC_EFFECT, IDC_EFFECT_LABEL, IDC_DURATION, IDC_DURATION_LABEL}, false);
        return;
    }
    EnableItems(*this, {IDC_EFFECT, IDC_EFFECT_LABEL}, true);
    const int item = FindPrefix(*combo, style->GetString());
    combo->SetCurSel(item);
    const bool timed = item != 0 && durationBound;
    if (duration != nullptr)
        duration->EnableWindow(timed ? TRUE : FALSE);
    EnableItems(*this, {IDC_DURATION_LABEL}, timed);
}

void CChartBehaviorPage::ApplyWidthRule()
{
    const bool fixed = IsDlgButtonChecked(IDC_FIXED_WIDTH) == BST_CHECKED;
    const bool present = GetGroup()->FindParameter("labelUnitAbv") != nullptr;
    EnableItems(*this, {IDC_UNITS, IDC_UNITS_LABEL}, fixed && present);
}

void CChartBehaviorPage::StoreScale(const char* value)
{
    CParameter* autofocus = GetGroup()->FindParameter("autofocus");
    if (autofocus == nullptr)
        return;
    if (autofocus->GetType() == ParamType::Choice && autofocus->GetValueList() != nullptr)
        autofocus->GetValueList()->GetPrototype().SetString(value);
    else
        autofocus->SetString(value);
    NotifyOwnerChanged();
    ApplyScaleRule();
    ApplyZoomRule();
}

void CChartBehaviorPage::OnZoomOut()
{
    StoreScale("growth");
}

void CChartBehaviorPage::OnAutoScale()
{
    StoreScale("full");
}

void CChartBehaviorPage::OnManualScale()
{
    StoreScale("off");
}

void CChartBehaviorPage::OnFixedWidth()
{
    const bool stored = StoreCheck(*this, IDC_FIXED_WIDTH, GetGroup(), "fixedLabelWidth");
    ApplyWidthRule();
    if (stored)
        NotifyOwnerChanged();
}

void CChartBehaviorPage::OnUnits()
{
    CParameter* units = GetGroup()->FindParameter("labelUnitAbv");
    if (units == nullptr)
        return;
    CArrayDlg dialog(this);
    dialog.SetContext(GetContext());
    dialog.SetParameter(units, "Label Unit Abbreviations", false, GetOwner());
    dialog.SetColumnTitles("Units", "Displayed Sign");
    if (dialog.DoModal() == IDOK)
        NotifyOwnerChanged();
}

void CChartBehaviorPage::OnHScroll(UINT code, UINT, CWnd* bar)
{
    CSliderCtrl* slider = Slider();
    if (bar != slider || slider == nullptr || code != TB_ENDTRACK)
        return;
    CParameter* zoom = GetGroup()->FindParameter("zoomOut");
    if (!IsNumber(zoom))
        return;
    const double value = slider->GetPos() * 0.25;
    if (NumberOf(zoom) == value)
        return;
    zoom->SetDouble(value, true);
    NotifyOwnerChanged();
}

LRESULT CChartBehaviorPage::OnSpinCommitted(WPARAM wParam, LPARAM)
{
    const int id = static_cast<int>(wParam);
    const bool y = id == IDC_MIN_Y || id == IDC_MAX_Y;
    if (!y && id != IDC_MIN_X && id != IDC_MAX_X)
        return 0x10001;
    CParameterSet* group = GetGroup();
    const CParameter* minimum = group->FindParameter(y ? "minY" : "minX");
    const CParameter* maximum = group->FindParameter(y ? "maxY" : "maxX");
    if (!IsNumber(minimum) || !IsNumber(maximum))
        return 0x10001;
    if (NumberOf(minimum) < NumberOf(maximum))
        return 0x10001;
    const bool minCommitted = id == IDC_MIN_X || id == IDC_MIN_Y;
    // The step follows the type of the value being corrected, so that an integer never gets a
    // fraction.
    auto stepOf = [](const CParameter* p) { return p->GetType() == ParamType::Number ? 0.1 : 1.0; };
    if (minCommitted) {
        if (CSpinEdit* spin = Spin(y ? IDC_MIN_Y : IDC_MIN_X))
            spin->SetValue(NumberOf(maximum) - stepOf(minimum));
    } else {
        if (CSpinEdit* spin = Spin(y ? IDC_MAX_Y : IDC_MAX_X))
            spin->SetValue(NumberOf(minimum) + stepOf(maximum));
    }
    // A range record may have clamped the correction back: then the other end gives way.
    if (NumberOf(minimum) >= NumberOf(maximum)) {
        if (minCommitted) {
            if (CSpinEdit* spin = Spin(y ? IDC_MAX_Y : IDC_MAX_X))
                spin->SetValue(NumberOf(minimum) + stepOf(maximum));
        } else if (CSpinEdit* spin = Spin(y ? IDC_MIN_Y : IDC_MIN_X)) {
            spin->SetValue(NumberOf(maximum) - stepOf(minimum));
        }
    }
    return 0x10001;
}

void CChartBehaviorPage::EnableKey(bool enable)
{
    const bool present = m_key.Parameter() != nullptr;
    m_key.Enable(present && enable);
    EnableItems(*this, {IDC_KEY_LABEL}, present && enable);
}

void CChartBehaviorPage::OnDisplayStatusLink()
{
    CParameterSet* group = GetGroup();
    CParameter* status = group->FindParameter("displayStatus");
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

void CChartBehaviorPage::OnDisplayKeyLink()
{
    m_key.OnLink();
}

void CChartBehaviorPage::OnIntroStyleChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EFFECT));
    const int selected = combo->GetCurSel();
    CParameter* style = GetGroup()->FindParameter("introStyle");
    if (style == nullptr || selected < 0)
        return;
    style->SetString(combo->GetLBText(selected));
    const bool timed = selected != 0 && IsNumber(GetGroup()->FindParameter("introTime"));
    if (CSpinEdit* duration = Spin(IDC_DURATION))
        duration->EnableWindow(timed ? TRUE : FALSE);
    EnableItems(*this, {IDC_DURATION_LABEL}, timed);
    NotifyOwnerChanged();
}

LRESULT CChartBehaviorPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_key.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}

int CChartBehaviorPage::GetHelpContextId()
{
    if (m_chartIndex < 0)
        return -1;
    static const int effect[9] = {2040, 2090, 2190, 2140, 2245, 2300, 2420, 2482, 2540};
    static const int scale[9] = {2055, 2105, 2210, 2155, -1, 2315, 2435, 2488, 2546};
    static const int zoom[9] = {2060, 2110, 2215, 2160, -1, 2320, 2440, 2490, 2548};
    static const int width[9] = {2045, 2095, 2195, 2145, -1, 2305, 2425, 2484, 2542};
    static const int runtime[9] = {2050, 2100, 2200, 2150, -1, 2310, 2430, 2486, 2544};
    static const int other[9] = {2035, 2085, 2185, 2135, 2240, 2290, 2415, 2480, 2538};
    switch (GetFocusedPageControlId()) {
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
    case IDC_DURATION:
        return ChartTopic(effect, m_chartIndex);
    case IDC_ZOOM_OUT:
    case IDC_AUTO_SCALE:
    case IDC_MANUAL:
    case IDC_MIN_X:
    case IDC_MAX_X:
    case IDC_MIN_Y:
    case IDC_MAX_Y:
        return ChartTopic(scale, m_chartIndex);
    case IDC_SENSITIVITY:
        return ChartTopic(zoom, m_chartIndex);
    case IDC_FIXED_WIDTH:
    case IDC_UNITS:
    case IDC_UNITS_LABEL:
        return ChartTopic(width, m_chartIndex);
    case IDC_SHOW_FOCUS:
    case IDC_SHOW_RESET:
    case IDC_SHOW_SCALE:
        return ChartTopic(runtime, m_chartIndex);
    default:
        return ChartTopic(other, m_chartIndex);
    }
}
