#include "pages/SingleValueAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "pages/SingleValueGeneralPage.h"
#include "platform/controls/ComboBox.h"

using namespace pages;
using model::ParamType;

namespace {

const char* const kHorizontalPositions[] = {"top left",    "top center",    "top right",    "left",
                                            "right",       "bottom left",   "bottom center", "bottom right"};
const char* const kVerticalPositions[] = {"top",       "left top",     "left center",  "left bottom",
                                          "right top", "right center", "right bottom", "bottom"};

bool StoreText(CParameter* parameter, const std::string& text)
{
    if (parameter == nullptr || ChoiceText(parameter) == text)
        return false;
    if (CValueList* list = parameter->GetValueList())
        return list->GetPrototype().SetString(text);
    return parameter->SetString(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CSingleValueAppearancePage, CFieldPage)
    .Command(IDC_SHOW_TITLE, &CSingleValueAppearancePage::OnShowTitle)
    .Command(IDC_SHOW_VALUE, &CSingleValueAppearancePage::OnShowValue)
    .Command(IDC_SHOW_LIMITS, &CSingleValueAppearancePage::OnShowLimits)
    .Command(IDC_SHOW_TICKS, &CSingleValueAppearancePage::OnShowTicks)
    .Command(IDC_SHOW_BACKGROUND, &CSingleValueAppearancePage::OnShowBackground)
    .Command(IDC_SHOW_FILL, &CSingleValueAppearancePage::OnShowFill)
    .Control(CBN_SELCHANGE, IDC_TITLE_POSITION, &CSingleValueAppearancePage::OnTitlePosition)
    .Control(CBN_SELCHANGE, IDC_VALUE_POSITION, &CSingleValueAppearancePage::OnValuePosition)
    .Command(IDC_TICK_COLOR, &CSingleValueAppearancePage::OnTickColor)
    .Command(IDC_FILL_COLOR, &CSingleValueAppearancePage::OnFillColor) END_MESSAGE_MAP()

DialogTemplate CSingleValueAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.cy = 270;
    const DWORD hidden = kLabelStyle & ~WS_VISIBLE;
    t.Add("Button", "Title", IDC_TITLE_GROUP, 7, 2, 241, 52, kGroupStyle)
        .Add("Button", "Value", IDC_VALUE_GROUP, 7, 56, 241, 106, kGroupStyle)
        .Add("Button", "Limits", IDC_LIMITS_GROUP, 7, 164, 241, 30, kGroupStyle)
        .Add("Button", "Display", IDC_DISPLAY_GROUP, 7, 196, 241, 72, kGroupStyle)
        .Add("FontData", "", IDC_TITLE_FONT, 38, 25, 206, 14, WS_VISIBLE)
        .Add("FontData", "", IDC_VALUE_FONT, 38, 79, 206, 14, WS_VISIBLE)
        .Add("FontData", "", IDC_LIMIT_FONT, 122, 174, 122, 14, WS_VISIBLE)
        .Add("SpinEdit", "", IDC_TITLE_X, 84, 40, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_TITLE_Y, 198, 40, 34, 12, kTab)
        .Add("Button", "Show Title", IDC_SHOW_TITLE, 12, 12, 64, 10, kCheckStyle)
        .Add("ComboBox", "", IDC_TITLE_POSITION, 122, 11, 90, 90, kComboStyle)
        .Add("Static", "Position:", IDC_TITLE_POSITION_LABEL, 80, 13, 40, 8, kLabelStyle)
        .Add("Static", "X shift (pixels)", IDC_TITLE_X_LABEL, 12, 42, 70, 8, kLabelStyle)
        .Add("Static", "Y shift (pixels)", IDC_TITLE_Y_LABEL, 126, 42, 70, 8, kLabelStyle)
        .Add("Button", "Show Value", IDC_SHOW_VALUE, 12, 66, 64, 10, kCheckStyle)
        .Add("ComboBox", "", IDC_VALUE_POSITION, 122, 65, 90, 90, kComboStyle)
        .Add("Static", "Position:", IDC_VALUE_POSITION_LABEL, 80, 67, 40, 8, kLabelStyle)
        .Add("Static", "X shift (pixels)", IDC_VALUE_X_LABEL, 12, 96, 70, 8, kLabelStyle)
        .Add("Static", "Y shift (pixels)", IDC_VALUE_Y_LABEL, 126, 96, 70, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_VALUE_X, 84, 94, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_VALUE_Y, 198, 94, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_TICKS, 74, 221, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_MIN_ANGLE, 74, 237, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_SUBTICKS, 190, 221, 34, 12, kTab)
        .Add("SpinEdit", "", IDC_MAX_ANGLE, 190, 237, 34, 12, kTab)
        .Add("Button", "Show Limits", IDC_SHOW_LIMITS, 12, 175, 84, 10, kCheckStyle)
        .Add("Button", "Show Ticks", IDC_SHOW_TICKS, 12, 207, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_TICK_COLOR, 128, 206, 30, 12, kColorStyle)
        .Add("Static", "Font:", IDC_LIMIT_FONT_LABEL, 98, 176, 22, 8, kLabelStyle)
        .Add("Static", "Font:", IDC_VALUE_FONT_LABEL, 12, 81, 24, 8, kLabelStyle)
        .Add("Static", "Font", IDC_TITLE_FONT_LABEL, 12, 27, 24, 8, kLabelStyle)
        .Add("Static", "Ticks Color", IDC_TICK_COLOR_LABEL, 76, 208, 50, 8, kLabelStyle)
        .Add("Static", "# of Ticks", IDC_TICKS_LABEL, 12, 223, 60, 8, kLabelStyle)
        .Add("Static", "# of  Subticks", IDC_SUBTICKS_LABEL, 122, 223, 66, 8, kLabelStyle)
        .Add("Static", "Minimum Angle", IDC_MIN_ANGLE_LABEL, 12, 239, 60, 8, kLabelStyle)
        .Add("Static", "Maximum Angle", IDC_MAX_ANGLE_LABEL, 122, 239, 66, 8, kLabelStyle)
        .Add("NumericFormat", "", IDC_NUMERIC_FORMAT, 12, 110, 232, 48, WS_VISIBLE)
        .Add("Button", "", IDC_FILL_COLOR, 174, 252, 30, 12, kColorStyle & ~WS_VISIBLE)
        .Add("Static", "Fill Color", IDC_FILL_COLOR_LABEL, 122, 254, 50, 8, hidden)
        .Add("Button", "Show Fill Color", IDC_SHOW_FILL, 164, 207, 80, 10, kCheckStyle & ~WS_VISIBLE)
        .Add("Static", "Vertical Spacing", IDC_VSPACING_LABEL, 12, 223, 60, 8, hidden)
        .Add("Button", "Show Background", IDC_SHOW_BACKGROUND, 12, 253, 84, 10,
             (kCheckStyle & ~WS_VISIBLE) | WS_DISABLED);
    return t;
}

namespace {

// Positions, shifts, fonts, ticks and colours follow the orientation, the alerts and the limit
// behaviours, so every row is the page's own; the rows still tell which keys the page edits.
std::vector<ParamField> Rows()
{
    using Page = CSingleValueAppearancePage;
    return {
        OwnRow({Page::IDC_SHOW_TITLE}, {"titleEnabled"}),
        OwnRow({Page::IDC_TITLE_POSITION}, {"titlePosition1", "titlePosition"}),
        OwnRow({Page::IDC_TITLE_X}, {"titleXShift"}),
        OwnRow({Page::IDC_TITLE_Y}, {"titleYShift"}),
        OwnRow({Page::IDC_TITLE_FONT}, {"titleTextFormat", "TitleTextFormat"}),
        OwnRow({Page::IDC_SHOW_VALUE}, {"valueEnabled"}),
        OwnRow({Page::IDC_VALUE_POSITION}, {"valuePosition", "valuePosition1", "valueAlignment", "ValueAlignment"}),
        OwnRow({Page::IDC_VALUE_X}, {"valueXShift"}),
        OwnRow({Page::IDC_VALUE_Y}, {"valueYShift"}),
        OwnRow({Page::IDC_VALUE_FONT}, {"valueTextFormat", "ValueTextFormat"}),
        OwnRow({Page::IDC_LIMIT_FONT}, {"minMaxTextFormat"}),
        OwnRow({Page::IDC_SHOW_LIMITS}, {"minMaxEnabled"}),
        OwnRow({Page::IDC_SHOW_TICKS}, {"ticksEnabled"}),
        OwnRow({Page::IDC_TICK_COLOR}, {"tickColor"}),
        OwnRow({Page::IDC_TICKS}, {"numTicks", "vSpacing"}),
        OwnRow({Page::IDC_SUBTICKS}, {"numSubTicks"}),
        OwnRow({Page::IDC_MIN_ANGLE}, {"minAngle", "hSpacing"}),
        OwnRow({Page::IDC_MAX_ANGLE}, {"maxAngle"}),
        OwnRow({Page::IDC_NUMERIC_FORMAT}, {"formatValue"}),
        OwnRow({Page::IDC_SHOW_FILL}, {"useCustomColor"}),
        OwnRow({Page::IDC_FILL_COLOR}, {"customColor"}),
        OwnRow({Page::IDC_SHOW_BACKGROUND}, {"hideBackground"}),
    };
}

} // namespace

CSingleValueAppearancePage::CSingleValueAppearancePage()
    : CFieldPage("Appearance", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {})
{
}

CSingleValueAppearancePage::~CSingleValueAppearancePage()
{
    // The controls commit what was typed when they lose the focus, and they report to this
    // page: they must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CSingleValueAppearancePage::Create(CParameterSet* group, const std::string& title, bool modal,
                                        IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    CSpinEdit::RegisterClass();
    Construct(MakeTemplate());
    m_orientation = FindInComponent(root, "orientation");
    m_alertsEnabled = FindInComponent(root, "alertsEnabled");
    m_typeIndex = SingleValueTypeIndex(GetOwnerComponentType());
    return TRUE;
}

CParameter* CSingleValueAppearancePage::Find(const char* key) const
{
    return Group() != nullptr ? Group()->FindParameter(key) : nullptr;
}

bool CSingleValueAppearancePage::RootBool(const char* key) const
{
    const CParameter* parameter = FindInComponent(GetRootSet(), key);
    return parameter != nullptr && parameter->GetBool();
}

bool CSingleValueAppearancePage::AlertsOn() const
{
    return m_alertsEnabled != nullptr && m_alertsEnabled->GetBool();
}

CSpinEdit* CSingleValueAppearancePage::Spin(int id) const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(id));
}

bool CSingleValueAppearancePage::BindSpin(int id, CParameter* parameter, bool negate)
{
    CSpinEdit* spin = Spin(id);
    const bool number = parameter != nullptr &&
                        (parameter->GetType() == ParamType::Number || parameter->GetType() == ParamType::Integer);
    m_spinBound[id] = spin != nullptr &&
                      spin->BindParameter(number ? parameter : nullptr, [this] { NotifyOwnerChanged(); },
                                          GetDialogFont(), true, negate);
    return m_spinBound[id];
}

void CSingleValueAppearancePage::EnableSpin(int id, bool enable)
{
    // A spin without its parameter stays disabled whatever its check box says.
    if (m_spinBound[id])
        Spin(id)->EnableWindow(enable ? TRUE : FALSE);
}

CParameter* CSingleValueAppearancePage::TitlePositionKey() const
{
    return FindFirst(Group(), {"titlePosition1", "titlePosition"});
}

CParameter* CSingleValueAppearancePage::ValuePositionKey() const
{
    return FindFirst(Group(), {"valueAlignment", "ValueAlignment", "valuePosition", "valuePosition1"});
}

BOOL CSingleValueAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = Group();
    auto textFormat = [&](std::initializer_list<const char*> keys) -> CParameterSet* {
        const CParameter* found = FindFirst(group, keys);
        return found != nullptr && found->GetType() == ParamType::Group ? found->GetSet() : nullptr;
    };
    COLORREF* colours = GetContext() != nullptr ? GetContext()->customColors : nullptr;

    // Title.
    CParameterSet* titleFormat = textFormat({"titleTextFormat", "TitleTextFormat"});
    m_titleFont.SubclassDlgItem(IDC_TITLE_FONT, this);
    m_titleFont.Create(titleFormat, GetOwner(), false, colours);
    m_hasTitleFont = titleFormat != nullptr;
    if (!m_hasTitleFont)
        EnableItems(*this, {IDC_TITLE_POSITION_LABEL}, false);
    if (m_orientation == nullptr) {
        if (!BindComboBox("titlePosition1", IDC_TITLE_POSITION, false))
            BindComboBox("titlePosition", IDC_TITLE_POSITION, false);
    }
    BindCheckBox("titleEnabled", IDC_SHOW_TITLE, false);
    if (!BindSpin(IDC_TITLE_X, Find("titleXShift"), false))
        ShowItems(*this, {IDC_TITLE_X_LABEL}, false);
    if (!BindSpin(IDC_TITLE_Y, Find("titleYShift"), true))
        ShowItems(*this, {IDC_TITLE_Y_LABEL}, false);

    // Value.
    CParameterSet* valueFormat = textFormat({"valueTextFormat", "ValueTextFormat"});
    m_valueFont.SubclassDlgItem(IDC_VALUE_FONT, this);
    m_valueFont.Create(valueFormat, GetOwner(), false, colours);
    m_hasValueFont = valueFormat != nullptr;
    if (!m_hasValueFont)
        ShowItems(*this, {IDC_VALUE_FONT, IDC_VALUE_FONT_LABEL}, false);
    if (m_orientation == nullptr) {
        bool bound = false;
        for (const char* key : {"valuePosition", "valuePosition1", "valueAlignment", "ValueAlignment"})
            if (!bound)
                bound = BindComboBox(key, IDC_VALUE_POSITION, false);
        if (!bound)
            ShowItems(*this, {IDC_VALUE_POSITION, IDC_VALUE_POSITION_LABEL}, false);
    }
    if (!BindCheckBox("valueEnabled", IDC_SHOW_VALUE, true))
        CheckDlgButton(IDC_SHOW_VALUE, BST_CHECKED);
    if (!BindSpin(IDC_VALUE_X, Find("valueXShift"), false))
        ShowItems(*this, {IDC_VALUE_X_LABEL}, false);
    if (!BindSpin(IDC_VALUE_Y, Find("valueYShift"), true))
        ShowItems(*this, {IDC_VALUE_Y_LABEL}, false);

    // Limits.
    CParameterSet* limitFormat = textFormat({"minMaxTextFormat"});
    m_limitFont.SubclassDlgItem(IDC_LIMIT_FONT, this);
    m_limitFont.Create(limitFormat, GetOwner(), false, colours);
    m_hasLimitFont = limitFormat != nullptr;
    if (!m_hasLimitFont)
        ShowItems(*this, {IDC_LIMIT_FONT, IDC_LIMIT_FONT_LABEL, IDC_LIMITS_GROUP}, false);

    // Ticks.
    BindCheckBox("ticksEnabled", IDC_SHOW_TICKS, true);
    if (!BindColorButton("tickColor", IDC_TICK_COLOR, m_tickColor, true))
        ShowItems(*this, {IDC_TICK_COLOR_LABEL, IDC_DISPLAY_GROUP}, false);
    if (!BindSpin(IDC_TICKS, Find("numTicks"), false)) {
        if (BindSpin(IDC_TICKS, Find("vSpacing"), false)) {
            ShowItems(*this, {IDC_TICKS_LABEL}, false);
            ShowItems(*this, {IDC_VSPACING_LABEL, IDC_DISPLAY_GROUP}, true);
        } else {
            ShowItems(*this, {IDC_TICKS_LABEL}, false);
        }
    }
    if (!BindSpin(IDC_SUBTICKS, Find("numSubTicks"), false))
        ShowItems(*this, {IDC_SUBTICKS_LABEL}, false);
    if (!BindSpin(IDC_MIN_ANGLE, Find("minAngle"), false)) {
        if (BindSpin(IDC_MIN_ANGLE, Find("hSpacing"), false))
            SetDlgItemText(IDC_MIN_ANGLE_LABEL, "Horizontal Spacing");
        else
            ShowItems(*this, {IDC_MIN_ANGLE_LABEL}, false);
    }
    if (!BindSpin(IDC_MAX_ANGLE, Find("maxAngle"), false))
        ShowItems(*this, {IDC_MAX_ANGLE_LABEL}, false);
    for (int id : {IDC_MIN_ANGLE, IDC_MAX_ANGLE})
        if (m_spinBound[id])
            Spin(id)->LimitText(4);

    // The number format: only a format group can take what the control writes; a plain code
    // stays as it is rather than seeming to change while nothing is stored.
    CParameter* format = Find("formatValue");
    m_hasFormat = format != nullptr && format->GetType() == ParamType::Group;
    m_numericFormat.SubclassDlgItem(IDC_NUMERIC_FORMAT, this);
    m_numericFormat.Create(m_hasFormat ? format : nullptr, GetOwner(), GetDialogFont(), nullptr, false);

    // Fill colour: shown only for components that have one.
    const bool useCustom = BindCheckBox("useCustomColor", IDC_SHOW_FILL, true);
    const bool custom = BindColorButton("customColor", IDC_FILL_COLOR, m_fillColor, true);
    ShowItems(*this, {IDC_FILL_COLOR_LABEL}, custom);
    // Where the component draws no limits, the fill takes their row (a "Display" group of its
    // own); otherwise it keeps its place beside the ticks, so nothing lies on the limit font.
    if (custom && useCustom && !m_hasLimitFont && Find("minMaxEnabled") == nullptr) {
        ShowItems(*this, {IDC_LIMITS_GROUP}, true);
        SetDlgItemText(IDC_LIMITS_GROUP, "Display");
        {
            GetDlgItem(IDC_SHOW_FILL)->MoveWindow(GetDlgItem(IDC_SHOW_LIMITS)->GetRectInParent());
            const CRect label = GetDlgItem(IDC_FILL_COLOR_LABEL)->GetRectInParent();
            const CRect button = m_fillColor.GetRectInParent();
            const CPoint to = GetDlgItem(IDC_LIMIT_FONT)->GetRectInParent().TopLeft();
            const CSize shift(to.x - label.left, to.y - label.top);
            GetDlgItem(IDC_FILL_COLOR_LABEL)->MoveWindow(CRect(label.TopLeft() + shift, label.Size()));
            m_fillColor.MoveWindow(CRect(button.TopLeft() + shift, button.Size()));
        }
    }

    // Background.
    if (const CParameter* hide = Find("hideBackground")) {
        CheckDlgButton(IDC_SHOW_BACKGROUND, hide->GetBool() ? BST_UNCHECKED : BST_CHECKED);
        // The box lies in the "Display" group, shown even for a component without ticks.
        ShowItems(*this, {IDC_SHOW_BACKGROUND, IDC_DISPLAY_GROUP}, true);
        EnableItems(*this, {IDC_SHOW_BACKGROUND, IDC_DISPLAY_GROUP}, true);
    }
    return TRUE;
}

BOOL CSingleValueAppearancePage::OnSetActive()
{
    if (BindCheckBox("minMaxEnabled", IDC_SHOW_LIMITS, true)) {
        auto open = [this](const char* key) { return ChoiceText(FindInComponent(GetRootSet(), key)) == "open"; };
        const bool minOpen = open("minBehavior");
        const bool maxOpen = open("maxBehavior");
        EnableSpin(IDC_MIN_ANGLE, !minOpen);
        EnableItems(*this, {IDC_MIN_ANGLE_LABEL}, !minOpen);
        EnableSpin(IDC_MAX_ANGLE, !maxOpen);
        EnableItems(*this, {IDC_MAX_ANGLE_LABEL}, !maxOpen);
        EnableItems(*this, {IDC_SHOW_LIMITS}, !(minOpen && maxOpen));
    }
    const std::string orientation = ChoiceText(m_orientation);
    if (orientation == "Horizontal" || orientation == "Vertical") {
        FillPositions(IDC_TITLE_POSITION, TitlePositionKey(), true, orientation == "Horizontal");
        FillPositions(IDC_VALUE_POSITION, ValuePositionKey(), false, orientation == "Horizontal");
    }
    EnableTitle();
    EnableValue();
    EnableLimits();
    EnableTicks();
    if (m_hasFormat)
        m_numericFormat.LoadProperties(0, false);
    EnableFill();
    return CFieldPage::OnSetActive();
}

void CSingleValueAppearancePage::FillPositions(int comboId, CParameter* stored, bool title, bool horizontal)
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    combo->ResetContent();
    for (const char* item : horizontal ? kHorizontalPositions : kVerticalPositions)
        combo->AddString(item);
    combo->SetCurSel(title ? 0 : (horizontal ? 2 : 7));
    // The list shows and changes one key, so the choice made is the one shown next time.
    const std::string text = ChoiceText(stored);
    if (!text.empty())
        combo->SelectString(-1, text.c_str());
    // A position of the other orientation is replaced by the one shown, so the component
    // draws what the page says.
    if (stored != nullptr && StoreText(stored, combo->GetLBText(combo->GetCurSel())))
        NotifyOwnerChanged();
}

void CSingleValueAppearancePage::StorePosition(int comboId, CParameter* target)
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    const int selected = combo->GetCurSel();
    if (target == nullptr || selected < 0)
        return;
    if (StoreText(target, combo->GetLBText(selected)))
        NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnTitlePosition()
{
    StorePosition(IDC_TITLE_POSITION, TitlePositionKey());
}

void CSingleValueAppearancePage::OnValuePosition()
{
    StorePosition(IDC_VALUE_POSITION, ValuePositionKey());
}

bool CSingleValueAppearancePage::PositionUsable(int comboId, const CParameter* key) const
{
    // A list with nowhere to store the choice would change nothing.
    const auto* combo = static_cast<const CComboBox*>(GetDlgItem(comboId));
    return key != nullptr && combo != nullptr && combo->GetCount() > 0;
}

void CSingleValueAppearancePage::EnableTitle()
{
    const bool on = Checked(IDC_SHOW_TITLE);
    EnableItems(*this, {IDC_TITLE_X_LABEL, IDC_TITLE_Y_LABEL, IDC_TITLE_FONT_LABEL}, on);
    // A component without a title position has nothing to choose there.
    EnableItems(*this, {IDC_TITLE_POSITION}, on && PositionUsable(IDC_TITLE_POSITION, TitlePositionKey()));
    EnableItems(*this, {IDC_TITLE_POSITION_LABEL}, on && m_hasTitleFont);
    if (m_hasTitleFont)
        m_titleFont.EnableControls(on);
    EnableSpin(IDC_TITLE_X, on);
    EnableSpin(IDC_TITLE_Y, on);
}

void CSingleValueAppearancePage::EnableValue()
{
    const bool on = Checked(IDC_SHOW_VALUE);
    EnableItems(*this,
                {IDC_VALUE_POSITION_LABEL, IDC_VALUE_X_LABEL, IDC_VALUE_Y_LABEL, IDC_VALUE_FONT_LABEL}, on);
    EnableItems(*this, {IDC_VALUE_POSITION}, on && PositionUsable(IDC_VALUE_POSITION, ValuePositionKey()));
    if (m_hasValueFont) {
        m_valueFont.EnableControls(on);
        // The alerts colour the value.
        if (on && AlertsOn() && RootBool("valueAlertsEnabled"))
            m_valueFont.EnableColor(false);
    }
    EnableSpin(IDC_VALUE_X, on);
    EnableSpin(IDC_VALUE_Y, on);
    if (m_hasFormat)
        m_numericFormat.EnableControls(on);
}

void CSingleValueAppearancePage::EnableLimits()
{
    if (!m_hasLimitFont)
        return;
    const bool on = Checked(IDC_SHOW_LIMITS) || Find("minMaxEnabled") == nullptr;
    m_limitFont.EnableControls(on);
    EnableItems(*this, {IDC_LIMIT_FONT_LABEL}, on);
}

void CSingleValueAppearancePage::EnableTicks()
{
    const bool on = Checked(IDC_SHOW_TICKS) || Find("ticksEnabled") == nullptr;
    EnableItems(*this, {IDC_TICK_COLOR_LABEL, IDC_TICKS_LABEL, IDC_SUBTICKS_LABEL, IDC_VSPACING_LABEL}, on);
    if (Find("tickColor") != nullptr)
        m_tickColor.EnableWindow(on ? TRUE : FALSE);
    EnableSpin(IDC_TICKS, on);
    EnableSpin(IDC_SUBTICKS, on);
}

void CSingleValueAppearancePage::EnableFill()
{
    const CParameter* useCustom = Find("useCustomColor");
    if (useCustom == nullptr)
        return;
    const bool alertsColourObject = AlertsOn() && RootBool("objectAlertsEnabled");
    EnableItems(*this, {IDC_SHOW_FILL}, !alertsColourObject);
    const bool colour = !alertsColourObject && useCustom->GetBool() && Find("customColor") != nullptr;
    EnableItems(*this, {IDC_FILL_COLOR, IDC_FILL_COLOR_LABEL}, colour);
}

void CSingleValueAppearancePage::OnShowTitle()
{
    StoreCheck(*this, IDC_SHOW_TITLE, Group(), "titleEnabled");
    EnableTitle();
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnShowValue()
{
    StoreCheck(*this, IDC_SHOW_VALUE, Group(), "valueEnabled");
    EnableValue();
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnShowLimits()
{
    StoreCheck(*this, IDC_SHOW_LIMITS, Group(), "minMaxEnabled");
    EnableLimits();
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnShowTicks()
{
    StoreCheck(*this, IDC_SHOW_TICKS, Group(), "ticksEnabled");
    EnableTicks();
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnShowBackground()
{
    StoreCheck(*this, IDC_SHOW_BACKGROUND, Group(), "hideBackground", true);
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnShowFill()
{
    StoreCheck(*this, IDC_SHOW_FILL, Group(), "useCustomColor");
    EnableFill();
    NotifyOwnerChanged();
}

void CSingleValueAppearancePage::OnTickColor()
{
    if (Find("tickColor") != nullptr)
        OnColorButtonClicked("tickColor", m_tickColor, Group());
}

void CSingleValueAppearancePage::OnFillColor()
{
    if (Find("customColor") != nullptr)
        OnColorButtonClicked("customColor", m_fillColor, Group());
}

int CSingleValueAppearancePage::GetHelpContextId()
{
    static const SingleValueTopics kTitle = {1095, 1150, 1225, 1290, 1340, 1400};
    static const SingleValueTopics kValue = {1105, 1160, 1235, 1300, 1345, 1405};
    static const SingleValueTopics kLimits = {1100, 1155, 1230, 1295, -1, -1};
    static const SingleValueTopics kTicks = {1090, 1145, 1220, 1285, -1, -1};
    static const SingleValueTopics kOther = {1085, 1140, 1215, 1280, 1335, 1395};
    switch (GetFocusedPageControlId()) {
    case IDC_TITLE_FONT:
    case IDC_TITLE_X:
    case IDC_TITLE_Y:
    case IDC_SHOW_TITLE:
    case IDC_TITLE_POSITION:
        return TopicFor(kTitle, m_typeIndex);
    case IDC_VALUE_FONT:
    case IDC_SHOW_VALUE:
    case IDC_VALUE_POSITION:
    case IDC_VALUE_X:
    case IDC_VALUE_Y:
    case IDC_NUMERIC_FORMAT:
        return TopicFor(kValue, m_typeIndex);
    case IDC_LIMIT_FONT:
    case IDC_SHOW_LIMITS:
        return TopicFor(kLimits, m_typeIndex);
    case IDC_TICKS:
    case IDC_MIN_ANGLE:
    case IDC_SUBTICKS:
    case IDC_MAX_ANGLE:
    case IDC_SHOW_TICKS:
    case IDC_TICK_COLOR:
    case IDC_FILL_COLOR:
    case IDC_SHOW_FILL:
        return TopicFor(kTicks, m_typeIndex);
    default:
        return TopicFor(kOther, m_typeIndex);
    }
}
