#include "pages/AlertsPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "model/TextUtil.h"
#include "model/Trace.h"
#include "model/ValueList.h"
#include "pages/ChartPageKit.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/dialogs/UiUtilities.h"
#include "propui/EditingDialogs.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

using namespace pages;
using model::ParamType;

namespace {

constexpr COLORREF kSwatchMissing = RGB(1, 1, 1);
constexpr COLORREF kSwatchText = RGB(0, 0, 0);
constexpr COLORREF kSwatchDisabledText = RGB(0x80, 0x80, 0x80);
constexpr int kSwatchStyle = 2;

bool IsGroupValue(const CParameter* value)
{
    return value != nullptr && (value->GetType() == ParamType::List || value->GetType() == ParamType::Group);
}

bool IsNestedValue(const CParameter* value)
{
    return value != nullptr && (value->GetType() == ParamType::CellList || value->GetType() == ParamType::CellTable);
}

// The whole text as a number in the C form; false when anything but blanks follows it.
bool ParseWhole(const std::string& text, double& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

} // namespace

namespace {

bool On(const CFieldPage& page)
{
    return static_cast<const CAlertsPage&>(page).AlertsOn();
}

std::vector<ParamField> Rows()
{
    using Page = CAlertsPage;
    auto has = [](const CFieldPage& page, const char* key) {
        return page.GetGroup()->FindParameter(key) != nullptr;
    };
    // The stored word names the values that alert: good low values alert when high.
    ParamField type = RadioRow({Page::IDC_LOW_GOOD, Page::IDC_HIGH_GOOD, Page::IDC_MID_GOOD}, "alertType",
                               {"high", "low", "mid"});
    type.afterStore = [](CFieldPage& page) { static_cast<Page&>(page).OnTypeChosen(); };
    return {
        WithHelp(OwnRow({Page::IDC_ENABLE}, {"alertsEnabled"}), 215),
        // Only a choice of variables can be chosen from.
        WithHelp(EnabledWhen(
                     WithCaptions(ChoiceRow(Page::IDC_VARIABLE, "alertVar"), {Page::IDC_VARIABLE_LABEL}),
                     [](const CFieldPage& page) {
                         const CParameter* variable = page.GetGroup()->FindParameter("alertVar");
                         return On(page) && variable != nullptr && variable->GetType() == ParamType::Choice;
                     }),
                 205),
        WithHelp(EnabledWhen(type, On), 205),
        // The bands, their colours and the colour for missing data are the alert control's.
        WithHelp(OwnRow({Page::IDC_COUNT, Page::IDC_ALERTS, Page::IDC_FILL, Page::IDC_FONT}, {}), 210),
        WithHelp(OwnRow({Page::IDC_NODATA}, {"alertNoDataColor"}), 210),
        EnabledWhen(CheckRow(Page::IDC_OBJECT_ALERTS, "objectAlertsEnabled"),
                    [has](const CFieldPage& page) { return On(page) && has(page, "objectAlertsEnabled"); }),
        EnabledWhen(CheckRow(Page::IDC_VALUE_ALERTS, "valueAlertsEnabled"),
                    [has](const CFieldPage& page) {
                        return On(page) && has(page, "objectAlertsEnabled") &&
                               has(page, "valueAlertsEnabled");
                    }),
        EnabledWhen(CheckRow(Page::IDC_LEVEL_DISPLAY, "alertDisplayEnabled"),
                    [](const CFieldPage& page) {
                        const CParameter* display = page.GetGroup()->FindParameter("alertDisplayEnabled");
                        return On(page) && display != nullptr && display->IsEnabled();
                    }),
        WithHelp(
            OwnRow({Page::IDC_TARGET, Page::IDC_TARGET_LINK, Page::IDC_TARGET_ARRAY}, {"target", "targets"}),
            220),
    };
}

} // namespace

BEGIN_MESSAGE_MAP(CAlertsPage, CFieldPage)
    .Command(IDC_ENABLE, &CAlertsPage::OnEnable)
    .Command(IDC_UP, &CAlertsPage::OnUp)
    .Command(IDC_DOWN, &CAlertsPage::OnDown)
    .Command(IDC_FILL, &CAlertsPage::OnFill)
    .Command(IDC_FONT, &CAlertsPage::OnFont)
    .Command(IDC_NODATA, &CAlertsPage::OnNoData)
    .Command(IDC_TARGET_LINK, &CAlertsPage::OnTargetLink)
    .Command(IDC_TARGET_ARRAY, &CAlertsPage::OnTargetArray)
    .Message(CAlertControl::kDragEnded, &CAlertsPage::OnThresholdsChanged)
    .Message(CAlertControl::kBandClicked, &CAlertsPage::OnBandChanged)
    .Message(WM_MOUSEMOVE, &CAlertsPage::OnMouseMove)
    .Message(WM_INPLACE_NOTIFY, &CAlertsPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CAlertsPage::MakeTemplate(const std::string& caption)
{
    DialogTemplate t = PageTemplate(IDD, "Alerts");
    t.caption = caption;
    t.Add("Button", "Enable Alerts", IDC_ENABLE, 6, 0, 100, 10, kCheckStyle)
        .Add("Button", "Alert Definition", IDC_DEFINITION_GROUP, 2, 10, 250, 50, kGroupStyle)
        .Add("Static", "Alert Variable:", IDC_VARIABLE_LABEL, 8, 22, 60, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_VARIABLE, 70, 20, 120, 60, kComboStyle)
        .Add("Button", "Low values are good", IDC_LOW_GOOD, 8, 34, 110, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "High values are good", IDC_HIGH_GOOD, 124, 34, 110, 10, kRadioStyle)
        .Add("Button", "Middle values are good", IDC_MID_GOOD, 8, 46, 110, 10, kRadioStyle)
        .Add("Button", "Alert Levels", IDC_LEVELS_GROUP, 2, 62, 250, 88, kGroupStyle)
        .Add("Static", "Number of colors:", IDC_COUNT_LABEL, 8, 74, 72, 8, kLabelStyle)
        .Add("Edit", "", IDC_COUNT, 82, 72, 20, 12, WS_VISIBLE | WS_BORDER | ES_READONLY)
        .Add("Button", "+", IDC_UP, 104, 72, 12, 6, kTab)
        .Add("Button", "-", IDC_DOWN, 104, 78, 12, 6, kTab)
        .Add(CAlertControl::kClassName, "Alerts", IDC_ALERTS, 8, 85, 238, 46, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Fill Color", IDC_FILL_LABEL, 8, 136, 40, 8, kLabelStyle)
        .Add("Button", "", IDC_FILL, 48, 134, 28, 12, kColorStyle)
        .Add("Static", "Font Color", IDC_FONT_LABEL, 84, 136, 42, 8, kLabelStyle)
        .Add("Button", "", IDC_FONT, 126, 134, 28, 12, kColorStyle)
        .Add("Static", "No Data Color", IDC_NODATA_LABEL, 162, 136, 54, 8, kLabelStyle)
        .Add("Button", "", IDC_NODATA, 216, 134, 28, 12, kColorStyle)
        .Add("Button", "Alert Level Display", IDC_DISPLAY_GROUP, 2, 151, 250, 31, kGroupStyle)
        .Add("Button", "Enable Object Alerts", IDC_OBJECT_ALERTS, 8, 160, 110, 10, kCheckStyle)
        .Add("Button", "Enable Value Alerts", IDC_VALUE_ALERTS, 124, 160, 110, 10, kCheckStyle)
        .Add("Button", "Enable Alert Level Display", IDC_LEVEL_DISPLAY, 8, 170, 120, 10, kCheckStyle)
        .Add("Button", "Target", IDC_TARGET_GROUP, 2, 182, 250, 18, kGroupStyle)
        .Add("Edit", "", IDC_TARGET, 8, 190, 180, 10, kEditStyle)
        .Add("Button", "...", IDC_TARGET_LINK, 192, 190, 16, 10, kTab)
        .Add("Button", "...", IDC_TARGET_ARRAY, 212, 190, 24, 10, kTab & ~WS_VISIBLE);
    return t;
}

CAlertsPage::CAlertsPage()
    : CFieldPage(
          "Alerts", [](const CFieldPage& page) { return MakeTemplate(page.GetTabTitle()); }, Rows(),
          Topic(200))
{
}

CAlertsPage::~CAlertsPage()
{
    // The limits are the control's only once it was built from the group; a page never shown
    // leaves the stored ones alone.
    if (m_shown) {
        CPropertyMap* map = GetOwnerPropertyMap();
        WriteStateInt(map, "Alert Minimum", m_alerts.GetMinimum());
        WriteStateInt(map, "Alert Maximum", m_alerts.GetMaximum());
    }
}

CParameter* CAlertsPage::Target() const
{
    return FindFirst(GetGroup(), {"target", "targets"});
}

BOOL CAlertsPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    auto swatch = [&](CColorButton& button, int id) {
        button.SubclassDlgItem(static_cast<UINT>(id), this, kSwatchMissing, kSwatchText, kSwatchDisabledText,
                               kSwatchStyle);
    };
    swatch(m_fill, IDC_FILL);
    swatch(m_font, IDC_FONT);
    swatch(m_noData, IDC_NODATA);
    m_alerts.SubclassDlgItem(IDC_ALERTS, this);
    ReplaceControl(m_target, IDC_TARGET, GetDialogFont());

    CParameter* target = Target();
    if (target == nullptr) {
        EnableItems(*this, {IDC_TARGET_LINK}, false);
        m_target.EnableWindow(FALSE);
        m_targetLinkable = false;
    } else if (target->GetBinding() == nullptr) {
        ::Trace("Shouldn't all alert targets be data sources??");
        m_targetLinkable = false;
    }
    ShowTarget();
    const CPropertyMap* map = GetOwnerPropertyMap();
    ReadStateInt(map, "Alert Minimum", m_minimum);
    ReadStateInt(map, "Alert Maximum", m_maximum);
    return TRUE;
}

BOOL CAlertsPage::OnSetActive()
{
    CParameterSet* group = GetGroup();
    const CParameter* enabled = group->FindParameter("alertsEnabled");
    CheckDlgButton(IDC_ENABLE, enabled == nullptr || enabled->GetBool() ? BST_CHECKED : BST_UNCHECKED);
    EnableItems(*this, {IDC_ENABLE}, enabled != nullptr && enabled->IsEnabled());
    // Another tab may have changed the thresholds or colours.
    m_alerts.Create(group, m_minimum, m_maximum);
    m_shown = true;
    ShowCount();
    // The rows' rules read the switch set above.
    CFieldPage::OnSetActive();
    RefreshColours();
    ApplyRules();
    return TRUE;
}

bool CAlertsPage::AlertsOn() const
{
    return IsDlgButtonChecked(IDC_ENABLE) == BST_CHECKED;
}

bool CAlertsPage::ValueAlertsOn() const
{
    const CParameter* value = GetGroup()->FindParameter("valueAlertsEnabled");
    return value == nullptr || value->GetBool();
}

void CAlertsPage::ApplyRules()
{
    CParameterSet* group = GetGroup();
    const bool on = AlertsOn();
    EnableItems(*this, {IDC_UP, IDC_DOWN}, on);
    m_alerts.Enable(on ? TRUE : FALSE);
    // The band colours need a band to act on.
    const bool band = m_alerts.GetSelectedFillColorParameter() != nullptr;
    EnableItems(*this, {IDC_FILL, IDC_FILL_LABEL}, on && band);
    EnableItems(*this, {IDC_FONT, IDC_FONT_LABEL}, on && band && !m_noFontColour && ValueAlertsOn());
    EnableItems(*this, {IDC_NODATA, IDC_NODATA_LABEL}, on && group->FindParameter("alertNoDataColor") != nullptr);
    const CParameter* target = Target();
    const CParameter* value = target != nullptr ? TypedTarget(const_cast<CParameter*>(target)) : nullptr;
    const bool groupValue = IsGroupValue(value);
    EnableItems(*this, {IDC_TARGET_ARRAY}, on && groupValue);
    m_target.EnableWindow(on && target != nullptr && !groupValue && !IsNestedValue(value) ? TRUE : FALSE);
    EnableItems(*this, {IDC_TARGET_LINK}, on && m_targetLinkable);
}

void CAlertsPage::RefreshColours()
{
    CParameter* fill = m_alerts.GetSelectedFillColorParameter();
    m_fill.SetColor(fill != nullptr ? SwapRedBlue(fill->GetColor()) : kSwatchMissing);
    CParameter* font = m_alerts.GetSelectedFontColorParameter();
    m_noFontColour = fill != nullptr && font == nullptr;
    m_font.SetColor(font != nullptr ? SwapRedBlue(font->GetColor()) : kSwatchMissing);
    const CParameter* noData = GetGroup()->FindParameter("alertNoDataColor");
    m_noData.SetColor(noData != nullptr ? SwapRedBlue(noData->GetColor()) : kSwatchMissing);
}

void CAlertsPage::ShowCount()
{
    SetDlgItemText(IDC_COUNT, std::to_string(m_alerts.GetMarkerCount() + 1));
}

void CAlertsPage::ShowTarget()
{
    CParameter* target = Target();
    std::string text;
    if (target != nullptr) {
        CCellBinding* binding = target->GetBinding();
        const CParameter* value = TypedTarget(target);
        if (binding != nullptr && binding->IsBound())
            text = binding->GetTexts().GetRangeText();
        else if (value->IsUndefined() || IsGroupValue(value) || IsNestedValue(value))
            text.clear();
        else if (value->GetType() == ParamType::Number)
            text = FormatDouble(value->GetDouble(), 15);
        else
            text = value->GetValueText();
        ShowItems(*this, {IDC_TARGET_ARRAY}, IsGroupValue(value));
    }
    m_target.SetWindowText(text);
    m_target.SetBaseline(text);
}

void CAlertsPage::OnEnable()
{
    const bool on = AlertsOn();
    CParameter* enabled = GetGroup()->FindParameter("alertsEnabled");
    if (enabled != nullptr)
        enabled->SetBool(on);
    ShowFields();
    ApplyRules();
    CParameterSet* root = GetRootSet();
    if (CParameter* limits = FindInComponent(root, "initialMinMax"); limits != nullptr && !on &&
                                                                       ChoiceText(limits) == "alertBased") {
        if (limits->GetType() == ParamType::Choice && limits->GetValueList() != nullptr)
            limits->GetValueList()->GetPrototype().SetString("manual");
        else
            limits->SetString("manual");
    }
    // Alert colours replace the marker art and the legend's series colours.
    for (const char* key : {"useMarkerArt", "showLegend"})
        if (CParameter* flag = FindInComponent(root, key))
            flag->SetBool(false);
    NotifyOwnerChanged();
}

void CAlertsPage::OnTypeChosen()
{
    int mode = CAlertControl::MiddleGood;
    if (IsDlgButtonChecked(IDC_LOW_GOOD) == BST_CHECKED)
        mode = CAlertControl::HighGood;
    else if (IsDlgButtonChecked(IDC_HIGH_GOOD) == BST_CHECKED)
        mode = CAlertControl::LowGood;
    m_alerts.SetMode(mode);
    m_alerts.Invalidate();
    if (m_alerts.GetSelectedFillColorParameter() != nullptr)
        RefreshColours();
}

void CAlertsPage::OnFieldChanged(const ParamField& row)
{
    // Value alerts decide whether the bands have font colours.
    if (row.ids.front() == IDC_VALUE_ALERTS)
        ApplyRules();
}

void CAlertsPage::OnUp()
{
    if (m_alerts.AddMarker()) {
        ShowCount();
        NotifyOwnerChanged();
    }
}

void CAlertsPage::OnDown()
{
    if (m_alerts.RemoveMarker()) {
        ShowCount();
        RefreshColours();
        ApplyRules();
        NotifyOwnerChanged();
    }
}

void CAlertsPage::OnFill()
{
    CParameter* fill = m_alerts.GetSelectedFillColorParameter();
    if (fill == nullptr)
        return;
    COLORREF colour = m_fill.GetColor();
    if (ChooseColorWithCustomColors(colour, true, nullptr, GetContext() != nullptr ? GetContext()->customColors : nullptr) != IDOK)
        return;
    fill->SetColor(SwapRedBlue(colour));
    m_fill.SetColor(colour);
    NotifyOwnerChanged();
    m_alerts.Invalidate();
    Invalidate(TRUE);
}

void CAlertsPage::OnFont()
{
    CParameter* font = m_alerts.GetSelectedFontColorParameter();
    if (font == nullptr)
        return;
    COLORREF colour = m_font.GetColor();
    if (ChooseColorWithCustomColors(colour, true, nullptr, GetContext() != nullptr ? GetContext()->customColors : nullptr) != IDOK)
        return;
    font->SetColor(SwapRedBlue(colour));
    m_font.SetColor(colour);
    NotifyOwnerChanged();
    m_alerts.Invalidate();
    Invalidate(TRUE);
}

void CAlertsPage::OnNoData()
{
    if (GetGroup()->FindParameter("alertNoDataColor") != nullptr)
        OnColorButtonClicked("alertNoDataColor", m_noData, GetGroup());
}

void CAlertsPage::OnTargetLink()
{
    if (!m_targetLinkable || !PickCells(*this, Target(), IDC_TARGET, &m_target))
        return;
    ShowTarget();
    NotifyOwnerChanged();
}

void CAlertsPage::OnTargetArray()
{
    CParameter* target = Target();
    CParameter* value = target != nullptr ? TypedTarget(target) : nullptr;
    if (!IsGroupValue(value))
        return;
    CArrayDlg dialog(this);
    dialog.SetContext(GetContext());
    dialog.SetParameter(value, "Target", false, GetOwner());
    dialog.SetColumnTitles("Item Number", "Target Value");
    if (dialog.DoModal() != IDOK)
        return;
    Unlink(target);
    m_target.SetWindowText("");
    m_target.SetBaseline("");
    NotifyOwnerChanged();
}

LRESULT CAlertsPage::OnThresholdsChanged(WPARAM, LPARAM)
{
    NotifyOwnerChanged();
    return 0;
}

LRESULT CAlertsPage::OnBandChanged(WPARAM, LPARAM)
{
    RefreshColours();
    ApplyRules();
    return 0;
}

LRESULT CAlertsPage::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    // A threshold dragged out of the control is let go when the button comes up over the page.
    if ((wParam & MK_LBUTTON) != 0 && m_alerts.GetSafeHwnd() != nullptr)
        m_alerts.OnParentButtonUp(static_cast<UINT>(wParam),
                                  CPoint(static_cast<short>(lParam & 0xFFFF), static_cast<short>((lParam >> 16) & 0xFFFF)));
    return 0;
}

LRESULT CAlertsPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    if (static_cast<int>(lParam) != IDC_TARGET)
        return 0;
    CParameter* target = Target();
    if (target == nullptr)
        return 1;
    const std::string text = m_target.GetWindowText();
    CParameter* value = TypedTarget(target);
    double number = 0;
    const bool numeric = value->GetType() == ParamType::Number || value->GetType() == ParamType::Integer;
    // A number target takes only a whole number text; anything else puts the old value back.
    if (numeric && !text.empty() && !ParseWhole(text, number)) {
        ShowTarget();
        return 1;
    }
    // Unlinking first: removing the link afterwards would overwrite what was typed.
    Unlink(target);
    value = TypedTarget(target);
    if (text.empty())
        value->SetUndefined(true);
    else if (value->GetType() == ParamType::Number)
        value->SetDouble(number);
    else if (value->GetType() == ParamType::Integer)
        value->SetInt(static_cast<std::int32_t>(number));
    else
        value->SetString(text, true);
    m_target.SetBaseline(text);
    NotifyOwnerChanged();
    return 1;
}
