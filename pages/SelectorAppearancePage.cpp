#include "pages/SelectorAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/SelectorKit.h"
#include "platform/controls/SpinEdit.h"

#include <string>
#include <tuple>
#include <utility>

using namespace pages;

BEGIN_MESSAGE_MAP(CSelectorAppearancePage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_ALIGN, &CSelectorAppearancePage::OnAlignment)
    .Command(IDC_USE_BACKGROUND_ART, &CSelectorAppearancePage::OnUseBackgroundArt)
    .Command(IDC_SHOW_BORDER, &CSelectorAppearancePage::OnShowBorder)
    .Command(IDC_SHOW_FILL, &CSelectorAppearancePage::OnShowFill)
    .Command(IDC_SELECTED_TEXT, &CSelectorAppearancePage::OnSelectedText)
    .Command(IDC_OVER_TEXT, &CSelectorAppearancePage::OnOverText)
    .Command(IDC_DEFAULT_BG, &CSelectorAppearancePage::OnDefaultBg)
    .Command(IDC_OVER_BG, &CSelectorAppearancePage::OnOverBg)
    .Command(IDC_SELECTED_BG, &CSelectorAppearancePage::OnSelectedBg)
    .Command(IDC_BORDER_COLOR, &CSelectorAppearancePage::OnBorderColor)
    .Command(IDC_FILL_COLOR, &CSelectorAppearancePage::OnFillColor)
    .Command(IDC_MARKER_DEFAULT, &CSelectorAppearancePage::OnMarkerDefault)
    .Command(IDC_MARKER_SELECTED, &CSelectorAppearancePage::OnMarkerSelected)
    .Command(IDC_THUMB, &CSelectorAppearancePage::OnThumb)
    .Message(WM_SPINEDIT_CHANGED, &CSelectorAppearancePage::OnSpinChanged) END_MESSAGE_MAP()

DialogTemplate CSelectorAppearancePage::MakeTemplate(bool pushButton)
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(pushButton ? IDD_PUSH_BUTTON : IDD, "Appearance");
    // The push button has no title of its own on the stage: its title group lies below the
    // others, hidden until a title parameter shows it.
    const int ty = pushButton ? 200 : 0;
    const DWORD titleShown = pushButton ? 0 : WS_VISIBLE;
    const int dy = pushButton ? -35 : 0;
    auto shown = [titleShown](DWORD style) { return (style & ~WS_VISIBLE) | titleShown; };
    t.Add("Button", "Title", IDC_TITLE_GROUP, 7, ty, 241, 34, shown(kGroupStyle))
        .Add("Button", "Show Title", IDC_SHOW_TITLE, 14, ty + 8, 52, 10, shown(kCheckStyle))
        .Add("Static", "Position", IDC_TITLE_POSITION_LABEL, 70, ty + 9, 34, 8, shown(kLabelStyle))
        .Add("ComboBox", "", IDC_TITLE_POSITION, 106, ty + 7, 46, 60, shown(kComboStyle))
        .Add("Static", "X shift (pixels)", IDC_TITLE_X_LABEL, 156, ty + 9, 66, 8, shown(kLabelStyle))
        .Add("SpinEdit", "X Shift", IDC_TITLE_X, 222, ty + 7, 22, 12, shown(kTab))
        .Add("Static", "Font", IDC_TITLE_FONT_LABEL, 14, ty + 21, 20, 8, shown(kLabelStyle))
        .Add("FontData", "", IDC_TITLE_FONT, 36, ty + 19, 116, 12, titleShown)
        .Add("Static", "Y shift (pixels)", IDC_TITLE_Y_LABEL, 156, ty + 21, 66, 8, shown(kLabelStyle))
        .Add("SpinEdit", "Y Shift", IDC_TITLE_Y, 222, ty + 19, 22, 12, shown(kTab));
    const int ly = 35 + dy;
    t.Add("Button", "Labels", IDC_LABELS_GROUP, 7, ly, 241, 46, kGroupStyle)
        .Add("Button", "Show Labels", IDC_SHOW_LABELS, 14, ly + 8, 56, 10, kCheckStyle)
        .Add("Static", "Alignment", IDC_ALIGN_LABEL, 70, ly + 9, 34, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_ALIGN, 106, ly + 7, 54, 60, kComboStyle)
        .Add("Static", "X Shift", IDC_LABEL_X_LABEL, 166, ly + 9, 56, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_LABEL_X, 222, ly + 7, 22, 12, kTab)
        .Add("Static", "Font", IDC_LABEL_FONT_LABEL, 14, ly + 21, 20, 8, kLabelStyle)
        .Add("FontData", "", IDC_LABEL_FONT, 36, ly + 19, 124, 12, WS_VISIBLE)
        .Add("Static", "Y Shift", IDC_LABEL_Y_LABEL, 166, ly + 21, 56, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_LABEL_Y, 222, ly + 19, 22, 12, kTab)
        .Add("Static", "Selected Text", IDC_SELECTED_TEXT_LABEL, 14, ly + 33, 50, 8, kLabelStyle)
        .Add("Button", "", IDC_SELECTED_TEXT, 64, ly + 31, 18, 12, kColorStyle)
        .Add("Static", "Mouse Over Text", IDC_OVER_TEXT_LABEL, 86, ly + 33, 60, 8, kLabelStyle)
        .Add("Button", "", IDC_OVER_TEXT, 146, ly + 31, 18, 12, kColorStyle)
        .Add("Static", "Rows Displayed", IDC_ROWS_LABEL, 168, ly + 33, 56, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_ROWS, 224, ly + 31, 20, 12, kTab)
        // Only a selector with a number format for its labels shows it, below the label rows.
        .Add("NumericFormat", "", IDC_FORMAT, 14, ly + 45, 230, 62, 0);
    const int by = 82 + dy;
    t.Add("Button", "Label Background", IDC_BACKGROUND_GROUP, 7, by, 241, 34, kGroupStyle)
        .Add("Button", "Use Label Art", IDC_USE_LABEL_ART, 14, by + 8, 58, 10, kCheckStyle)
        .Add("Static", "Separation", IDC_SEPARATION_LABEL, 76, by + 9, 40, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_SEPARATION, 116, by + 7, 26, 12, kTab)
        .Add("Static", "Transparency", IDC_LABEL_TRANS_LABEL, 148, by + 9, 48, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_LABEL_TRANS, 198, by + 7, 30, 12, kTab)
        .Add("Static", "Default Fill", IDC_DEFAULT_BG_LABEL, 14, by + 21, 42, 8, kLabelStyle)
        .Add("Button", "", IDC_DEFAULT_BG, 56, by + 19, 20, 12, kColorStyle)
        .Add("Static", "Mouse Over Fill", IDC_OVER_BG_LABEL, 82, by + 21, 58, 8, kLabelStyle)
        .Add("Button", "", IDC_OVER_BG, 140, by + 19, 20, 12, kColorStyle)
        .Add("Static", "Selected Fill", IDC_SELECTED_BG_LABEL, 166, by + 21, 48, 8, kLabelStyle)
        .Add("Button", "", IDC_SELECTED_BG, 216, by + 19, 20, 12, kColorStyle);
    const int oy = 117 + dy;
    t.Add("Button", "Border", IDC_BORDER_GROUP, 7, oy, 241, 46, kGroupStyle)
        .Add("Button", "Use Background Art", IDC_USE_BACKGROUND_ART, 14, oy + 8, 86, 10, kCheckStyle)
        .Add("Static", "Transparency", IDC_BACK_TRANS_LABEL, 104, oy + 9, 48, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_BACK_TRANS, 154, oy + 7, 30, 12, kTab)
        .Add("Button", "Show Border", IDC_SHOW_BORDER, 14, oy + 20, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_BORDER_COLOR, 72, oy + 19, 24, 12, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 104, oy + 21, 34, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_WEIGHT, 140, oy + 19, 28, 12, kTab)
        .Add("Button", "Show Fill", IDC_SHOW_FILL, 14, oy + 32, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_FILL_COLOR, 72, oy + 31, 24, 12, kColorStyle)
        .Add("Static", "X-Margin", IDC_X_MARGIN_LABEL, 104, oy + 33, 34, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_X_MARGIN, 140, oy + 31, 28, 12, kTab)
        .Add("Static", "Y-Margin", IDC_Y_MARGIN_LABEL, 174, oy + 33, 34, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_Y_MARGIN, 210, oy + 31, 28, 12, kTab);
    const int my = 164 + dy;
    t.Add("Button", "Markers", IDC_MARKERS_GROUP, 7, my, 241, 34, kGroupStyle)
        .Add("Button", "Use Marker Art", IDC_USE_MARKER_ART, 14, my + 8, 62, 10, kCheckStyle)
        .Add("Static", "Default Fill", IDC_MARKER_DEFAULT_LABEL, 80, my + 9, 44, 8, kLabelStyle)
        .Add("Button", "", IDC_MARKER_DEFAULT, 124, my + 7, 20, 12, kColorStyle)
        .Add("Static", "Selected Fill", IDC_MARKER_SELECTED_LABEL, 150, my + 9, 48, 8, kLabelStyle)
        .Add("Button", "", IDC_MARKER_SELECTED, 198, my + 7, 20, 12, kColorStyle)
        .Add("Static", "Thumb Color", IDC_THUMB_LABEL, 80, my + 21, 44, 8, kLabelStyle)
        .Add("Button", "", IDC_THUMB, 124, my + 19, 20, 12, kColorStyle);
    return t;
}

namespace {

// A switch the group holds as a boolean.
bool IsSwitch(const CParameterSet* group, const char* key)
{
    const CParameter* parameter = group->FindParameter(key);
    return parameter != nullptr && parameter->GetType() == model::ParamType::Boolean;
}

// An always expanded menu shows no title.
bool MenuExpanded(const CFieldPage& page)
{
    const CParameter* expanded = FindInComponent(page.GetRootSet(), "openMenu") != nullptr
                                     ? FindInComponent(page.GetRootSet(), "menuExpanded")
                                     : nullptr;
    return expanded != nullptr && expanded->GetBool();
}

// What the title switch allows; a selector without the switch keeps its title controls as bound.
bool TitleShown(const CFieldPage& page)
{
    const CParameterSet* group = page.FieldSet();
    return group->FindParameter("showTitle") == nullptr ||
           (BoolOf(group, "showTitle") && !MenuExpanded(page));
}

// The shifts follow the switch only where the vertical one exists.
bool ShiftsShown(const CFieldPage& page)
{
    return FindFirst(page.FieldSet(), {"titleYshift", "titleYShift"}) == nullptr || TitleShown(page);
}

// The title block is rows; the other blocks keep their rules as code, for every selector shows or
// hides its own part of them, and their colours come from one of three places: their rows only
// name what they edit.
std::vector<ParamField> AppearanceRows()
{
    using Page = CSelectorAppearancePage;
    FieldPolicy hide;
    hide.hideMissing = true;
    FieldPolicy upwards;
    // Y shifts are stored downwards and shown upwards, as the screen moves.
    upwards.negate = true;
    ParamField titleX = EnabledWhen(SpinRow(Page::IDC_TITLE_X, "titleXshift"), ShiftsShown);
    titleX.keys = {"titleXshift", "titleXShift"};
    ParamField titleY = EnabledWhen(SpinRow(Page::IDC_TITLE_Y, "titleYshift", {}, upwards), ShiftsShown);
    titleY.keys = {"titleYshift", "titleYShift"};
    return {
        EnabledWhen(CheckRow(Page::IDC_SHOW_TITLE, "showTitle"),
                    [](const CFieldPage& page) {
                        return page.FieldSet()->FindParameter("showTitle") != nullptr && !MenuExpanded(page);
                    }),
        EnabledWhen(WithCaptions(ChoiceRow(Page::IDC_TITLE_POSITION, "titlePosition"),
                                 {Page::IDC_TITLE_POSITION_LABEL}),
                    TitleShown),
        titleX,
        titleY,
        EnabledWhen(OwnRow({Page::IDC_TITLE_X_LABEL, Page::IDC_TITLE_Y_LABEL}, {}),
                    [](const CFieldPage& page) {
                        return FindFirst(page.FieldSet(), {"titleYshift", "titleYShift"}) != nullptr &&
                               TitleShown(page);
                    }),
        EnabledWhen(FontRow(Page::IDC_TITLE_FONT, {"titleTextProps", "titleTextFormat"},
                            {Page::IDC_TITLE_FONT_LABEL}),
                    TitleShown),
        CheckRow(Page::IDC_SHOW_LABELS, "showLabels", hide),
        OwnRow({Page::IDC_ALIGN}, {"labelAlign", "labelPosition"}),
        OwnRow({Page::IDC_LABEL_X}, {"labelXshift"}),
        OwnRow({Page::IDC_LABEL_Y}, {"labelYshift"}),
        OwnRow({Page::IDC_LABEL_FONT}, {"labelTextProps", "labelTextFormat"}),
        OwnRow({Page::IDC_FORMAT}, {"labelFormat"}),
        OwnRow({Page::IDC_ROWS}, {"rowCnt"}),
        // The label colours' group. The lists' own names for them in the group itself are found
        // by the page's code: other selectors give the same names other parts.
        OwnRow({Page::IDC_SELECTED_TEXT, Page::IDC_OVER_TEXT, Page::IDC_DEFAULT_BG, Page::IDC_OVER_BG,
                Page::IDC_SELECTED_BG},
               {"labelColors"}),
        CheckRow(Page::IDC_USE_LABEL_ART, "useLabelArt", hide),
        OwnRow({Page::IDC_SEPARATION}, {"itemSeparation"}),
        OwnRow({Page::IDC_LABEL_TRANS}, {"menuTransparency", "transparency"}),
        OwnRow({Page::IDC_USE_BACKGROUND_ART}, {"useBackgroundArt"}),
        OwnRow({Page::IDC_BACK_TRANS}, {"backgroundTrans"}),
        // The drawn border and fill, in their own group, or their colours in the group itself.
        OwnRow({Page::IDC_SHOW_BORDER, Page::IDC_SHOW_FILL, Page::IDC_WEIGHT, Page::IDC_X_MARGIN,
                Page::IDC_Y_MARGIN},
               {"backgroundProps"}),
        OwnRow({Page::IDC_BORDER_COLOR}, {"borderColor"}),
        OwnRow({Page::IDC_FILL_COLOR}, {"fillColor"}),
        CheckRow(Page::IDC_USE_MARKER_ART, "useDefaultArt", hide),
        OwnRow({Page::IDC_MARKER_DEFAULT}, {"arrowDefaultColor", "defaultColor"}),
        OwnRow({Page::IDC_MARKER_SELECTED}, {"arrowSelectColor", "selectColor"}),
        OwnRow({Page::IDC_THUMB}, {"thumbColor"}),
    };
}

} // namespace

CSelectorAppearancePage::CSelectorAppearancePage()
    : CFieldPage("Appearance",
                 [](const CFieldPage& page) {
                     return MakeTemplate(SelectorTypeOf(page.GetOwnerComponentType()) == kPushButton);
                 },
                 AppearanceRows(), {})
{
}

BOOL CSelectorAppearancePage::Create(CParameterSet* group, const std::string& title, bool modal,
                                     IPropertyOwner* owner, CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    m_type = SelectorTypeOf(GetOwnerComponentType());
    // The maps have a page of their own: here they count as no selector.
    if (m_type == kMap)
        m_type = kNoSelector;
    return TRUE;
}

CParameterSet* CSelectorAppearancePage::Group() const
{
    return PageGroup(*this, "Appearance");
}

CParameterSet* CSelectorAppearancePage::Background() const
{
    const CParameter* props = Group()->FindParameter("backgroundProps");
    return props != nullptr ? props->GetSet() : nullptr;
}

CParameterSet* CSelectorAppearancePage::LabelColours() const
{
    const CParameter* colours = Group()->FindParameter("labelColors");
    return colours != nullptr ? colours->GetSet() : nullptr;
}

const char* CSelectorAppearancePage::MarkerKey(bool selected) const
{
    const bool arrows = m_type == kComboBox || m_type == kFilter;
    if (selected)
        return arrows ? "arrowSelectColor" : "selectColor";
    return arrows ? "arrowDefaultColor" : "defaultColor";
}

bool CSelectorAppearancePage::BindSpin(int id, CParameter* parameter, bool hide, bool negate)
{
    auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(id));
    return spin != nullptr &&
           spin->BindParameter(parameter, [this] { NotifyOwnerChanged(); }, GetDialogFont(), hide, negate);
}

BOOL CSelectorAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = Group();
    COLORREF* colours = GetContext() != nullptr ? GetContext()->customColors : nullptr;

    // The push button's title group shows only when it has a title.
    if (group->FindParameter("showTitle") != nullptr && m_type == kPushButton)
        ShowItems(*this, {IDC_TITLE_GROUP, IDC_SHOW_TITLE}, true);

    if (!BindComboBoxInSet("labelAlign", IDC_ALIGN, group, false)) {
        SetDlgItemText(IDC_ALIGN_LABEL, "Position");
        if (!BindComboBoxInSet("labelPosition", IDC_ALIGN, group, false)) {
            ShowItems(*this, {IDC_ALIGN_LABEL, IDC_ALIGN}, false);
            EnableItems(*this, {IDC_ALIGN_LABEL}, false);
        }
    }
    m_showLabelsBound = IsSwitch(group, "showLabels");
    // The shipped selectors name their label font as the title's is named.
    const CParameter* labelFont = FindFirst(group, {"labelTextProps", "labelTextFormat"});
    m_labelFont.SubclassDlgItem(IDC_LABEL_FONT, this);
    m_labelFont.Create(labelFont != nullptr ? labelFont->GetSet() : nullptr, GetOwner(), false, colours);
    if (labelFont == nullptr) {
        m_labelFont.ShowWindow(SW_HIDE);
        ShowItems(*this, {IDC_LABEL_FONT_LABEL, IDC_LABELS_GROUP}, false);
    }

    if (CParameter* format = group->FindParameter("labelFormat")) {
        MakeRoomForFormat();
        m_format.SubclassDlgItem(IDC_FORMAT, this);
        m_format.ShowWindow(SW_SHOW);
        m_format.Create(format, GetOwner(), GetDialogFont(), FindInComponent(GetRootSet(), "labels"), false);
    }

    CParameterSet* labelColours = LabelColours();
    // Without a label colour group the lists keep their colours in the group itself, under
    // their own names.
    const bool ownColours = labelColours == nullptr && OwnColourKey("dftBgColor") != nullptr;
    const std::tuple<const char*, int, int, CColorButton*> buttons[] = {
        {"overTextColor", IDC_OVER_TEXT, IDC_OVER_TEXT_LABEL, &m_overText},
        {"selectTextColor", IDC_SELECTED_TEXT, IDC_SELECTED_TEXT_LABEL, &m_selectedText},
        {"dftBgColor", IDC_DEFAULT_BG, IDC_DEFAULT_BG_LABEL, &m_defaultBg},
        {"overBgColor", IDC_OVER_BG, IDC_OVER_BG_LABEL, &m_overBg},
        {"selectBgColor", IDC_SELECTED_BG, IDC_SELECTED_BG_LABEL, &m_selectedBg},
    };
    for (const auto& [key, id, label, button] : buttons) {
        const char* own = ownColours ? OwnColourKey(key) : nullptr;
        const bool bound = own != nullptr ? BindColorButtonInSet(own, id, *button, group, true)
                                          : BindColorButtonInSet(key, id, *button, labelColours, true);
        if (!bound)
            ShowItems(*this, {label}, false);
    }
    if (labelColours == nullptr && !ownColours)
        ShowItems(*this, {IDC_SELECTED_TEXT, IDC_SELECTED_TEXT_LABEL}, false);
    if ((labelColours == nullptr && !ownColours) || m_type == kPushButton) {
        const int ids[] = {IDC_OVER_TEXT,  IDC_OVER_TEXT_LABEL, IDC_DEFAULT_BG,  IDC_DEFAULT_BG_LABEL,
                           IDC_OVER_BG,    IDC_OVER_BG_LABEL,   IDC_SELECTED_BG, IDC_SELECTED_BG_LABEL,
                           IDC_BACKGROUND_GROUP};
        for (int id : ids)
            ShowItems(*this, {id}, false);
    }

    m_hasBackgroundArt = BindCheckBoxInSet("useBackgroundArt", IDC_USE_BACKGROUND_ART, group, false);
    if (!m_hasBackgroundArt && (group->FindParameter("borderColor") != nullptr || group->FindParameter("fillColor") != nullptr)) {
        // A selector without background art always draws its own border and fill: only their
        // colours are edited, kept in the group itself.
        const int ids[] = {IDC_USE_BACKGROUND_ART, IDC_WEIGHT_LABEL,   IDC_WEIGHT,           IDC_X_MARGIN_LABEL,
                           IDC_X_MARGIN,           IDC_Y_MARGIN_LABEL, IDC_Y_MARGIN,         IDC_BACK_TRANS_LABEL,
                           IDC_BACK_TRANS};
        for (int id : ids) {
            ShowItems(*this, {id}, false);
            EnableItems(*this, {id}, false);
        }
        for (const auto& [key, check, id, button] :
             {std::tuple{"borderColor", IDC_SHOW_BORDER, IDC_BORDER_COLOR, &m_border},
              std::tuple{"fillColor", IDC_SHOW_FILL, IDC_FILL_COLOR, &m_fill}}) {
            const bool bound = BindColorButtonInSet(key, id, *button, group, true);
            CheckDlgButton(check, bound ? BST_CHECKED : BST_UNCHECKED);
            ShowItems(*this, {check}, bound);
            EnableItems(*this, {check}, false);
        }
    } else if (!m_hasBackgroundArt) {
        const int ids[] = {IDC_BORDER_GROUP, IDC_USE_BACKGROUND_ART, IDC_SHOW_BORDER,   IDC_SHOW_FILL,
                           IDC_BORDER_COLOR, IDC_FILL_COLOR,         IDC_WEIGHT_LABEL,  IDC_WEIGHT,
                           IDC_X_MARGIN_LABEL, IDC_X_MARGIN,         IDC_Y_MARGIN_LABEL, IDC_Y_MARGIN,
                           IDC_BACK_TRANS_LABEL, IDC_BACK_TRANS};
        for (int id : ids) {
            ShowItems(*this, {id}, false);
            EnableItems(*this, {id}, false);
        }
    } else {
        CParameterSet* background = Background();
        BindCheckBoxInSet("showBorder", IDC_SHOW_BORDER, background, false);
        BindCheckBoxInSet("showFill", IDC_SHOW_FILL, background, false);
        BindColorButtonInSet("borderColor", IDC_BORDER_COLOR, m_border, background, false);
        BindColorButtonInSet("fillColor", IDC_FILL_COLOR, m_fill, background, false);
    }

    if (IsSwitch(group, "useDefaultArt")) {
        if (!BindColorButtonInSet("thumbColor", IDC_THUMB, m_thumb, group, true))
            ShowItems(*this, {IDC_THUMB_LABEL}, false);
        if (!BindColorButtonInSet(MarkerKey(false), IDC_MARKER_DEFAULT, m_markerDefault, group, true))
            ShowItems(*this, {IDC_MARKER_DEFAULT_LABEL}, false);
        if (!BindColorButtonInSet(MarkerKey(true), IDC_MARKER_SELECTED, m_markerSelected, group, true))
            ShowItems(*this, {IDC_MARKER_SELECTED_LABEL}, false);
        if (m_type == kPushButton) {
            SetDlgItemText(IDC_MARKER_DEFAULT_LABEL, "Off Fill");
            SetDlgItemText(IDC_MARKER_SELECTED_LABEL, "On Fill");
        }
        ApplyMarkerRule();
    } else {
        const int ids[] = {IDC_MARKERS_GROUP, IDC_USE_MARKER_ART, IDC_MARKER_DEFAULT_LABEL, IDC_MARKER_DEFAULT,
                           IDC_MARKER_SELECTED_LABEL, IDC_MARKER_SELECTED, IDC_THUMB_LABEL, IDC_THUMB};
        for (int id : ids) {
            ShowItems(*this, {id}, false);
            EnableItems(*this, {id}, false);
        }
    }
    return TRUE;
}

void CSelectorAppearancePage::MakeRoomForFormat()
{
    // The labels group grows by the format's height and every group below it moves down.
    const CRect format = GetDlgItem(IDC_FORMAT)->GetRectInParent();
    const int dy = format.Height() + format.Height() / 16;
    const int below = GetDlgItem(IDC_LABELS_GROUP)->GetRectInParent().bottom;
    for (CWnd* child : GetChildren()) {
        const int id = child->GetDlgCtrlID();
        CRect rect = child->GetRectInParent();
        if (id == IDC_LABELS_GROUP)
            rect.bottom += dy;
        else if (id != IDC_FORMAT && rect.top >= below)
            rect.OffsetRect(0, dy);
        else
            continue;
        child->MoveWindow(rect);
    }
}

bool CSelectorAppearancePage::MouseOverMode() const
{
    const CParameter* updateOn = FindInComponent(GetRootSet(), "updateOn");
    if (updateOn == nullptr)
        return false;
    if (updateOn->GetValueList() != nullptr)
        return updateOn->GetValueList()->GetCurrentText() == "mouse over";
    if (IsElementList(updateOn) && updateOn->GetElementCount() > 0)
        updateOn = updateOn->GetElement(0);
    return model::IsStringType(updateOn->GetType()) && updateOn->GetString() == "mouse over";
}

BOOL CSelectorAppearancePage::OnSetActive()
{
    CParameterSet* group = Group();
    CParameter* labelY = group->FindParameter("labelYshift");
    m_hasLabelY = labelY != nullptr;
    const bool aligned = GetDlgItem(IDC_ALIGN_LABEL)->IsWindowEnabled() != FALSE;
    BindSpin(IDC_LABEL_X, group->FindParameter("labelXshift"), !aligned, false);
    BindSpin(IDC_LABEL_Y, labelY, !aligned, true);
    if (!aligned)
        ShowItems(*this, {IDC_LABEL_X_LABEL, IDC_LABEL_Y_LABEL}, false);
    EnableItems(*this, {IDC_LABEL_X_LABEL, IDC_LABEL_Y_LABEL}, m_hasLabelY);
    if (m_format.GetSafeHwnd() != nullptr)
        m_format.LoadProperties(0, false);
    ApplyLabelRule();
    ApplyLabelArtRule();

    if (!BindSpin(IDC_SEPARATION, group->FindParameter("itemSeparation"), true, false))
        ShowItems(*this, {IDC_SEPARATION_LABEL}, false);
    if (BindSpin(IDC_LABEL_TRANS, FindFirst(group, {"menuTransparency", "transparency"}), true, false)) {
        ShowItems(*this, {IDC_BACKGROUND_GROUP}, true);
        EnableItems(*this, {IDC_BACKGROUND_GROUP}, true);
    } else {
        ShowItems(*this, {IDC_LABEL_TRANS_LABEL}, false);
    }
    if (BindSpin(IDC_ROWS, group->FindParameter("rowCnt"), true, false))
        ClampRows();
    else
        ShowItems(*this, {IDC_ROWS_LABEL}, false);

    if (m_hasBackgroundArt) {
        CParameterSet* background = Background();
        BindSpin(IDC_BACK_TRANS, group->FindParameter("backgroundTrans"), false, false);
        BindSpin(IDC_X_MARGIN, background != nullptr ? background->FindParameter("xMargin") : nullptr, false, false);
        BindSpin(IDC_Y_MARGIN, background != nullptr ? background->FindParameter("yMargin") : nullptr, false, false);
        BindSpin(IDC_WEIGHT, background != nullptr ? background->FindParameter("borderWeight") : nullptr, false, false);
        ApplyBackgroundRule();
    }
    if (FindInComponent(GetRootSet(), "updateOn") != nullptr)
        EnableItems(*this, {IDC_OVER_TEXT, IDC_OVER_TEXT_LABEL},
                    !MouseOverMode() && LabelColours() != nullptr && LabelColours()->FindParameter("overTextColor"));
    return CFieldPage::OnSetActive();
}

void CSelectorAppearancePage::ApplyLabelRule()
{
    if (!m_showLabelsBound)
        return;
    CParameterSet* group = Group();
    const bool show = BoolOf(group, "showLabels");
    if (m_hasLabelY) {
        EnableItems(*this, {IDC_LABEL_X_LABEL, IDC_LABEL_Y_LABEL}, show);
        for (int id : {IDC_LABEL_X, IDC_LABEL_Y})
            if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(id)))
                EnableSpin(*spin, show);
    }
    m_labelFont.EnableControls(show && FindFirst(group, {"labelTextProps", "labelTextFormat"}) != nullptr);
    if (m_format.GetSafeHwnd() != nullptr)
        m_format.EnableControls(show);
    EnableItems(*this, {IDC_ALIGN_LABEL, IDC_LABEL_FONT_LABEL}, show);
    EnableItems(*this, {IDC_ALIGN}, show && FindFirst(group, {"labelAlign", "labelPosition"}) != nullptr);
}

void CSelectorAppearancePage::ApplyLabelArtRule()
{
    if (Group()->FindParameter("useLabelArt") == nullptr)
        return;
    const bool art = BoolOf(Group(), "useLabelArt");
    CParameterSet* colours = LabelColours();
    // A list without the label colour group keeps them under its own names.
    auto has = [this, colours](const char* key) {
        return colours != nullptr ? colours->FindParameter(key) != nullptr : OwnColourKey(key) != nullptr;
    };
    EnableItems(*this, {IDC_DEFAULT_BG, IDC_DEFAULT_BG_LABEL}, !art && has("dftBgColor"));
    EnableItems(*this, {IDC_SELECTED_BG, IDC_SELECTED_BG_LABEL}, !art && has("selectBgColor"));
    EnableItems(*this, {IDC_OVER_BG, IDC_OVER_BG_LABEL}, !art && !MouseOverMode() && has("overBgColor"));
}

void CSelectorAppearancePage::ApplyBackgroundRule()
{
    CParameterSet* background = Background();
    const bool art = BoolOf(Group(), "useBackgroundArt");
    const bool border = BoolOf(background, "showBorder");
    const bool fill = BoolOf(background, "showFill");
    auto has = [background](const char* key) { return background != nullptr && background->FindParameter(key) != nullptr; };
    EnableItems(*this, {IDC_BORDER_COLOR}, !art && border && has("borderColor"));
    EnableItems(*this, {IDC_FILL_COLOR}, !art && fill && has("fillColor"));
    EnableItems(*this, {IDC_WEIGHT_LABEL}, !art && border);
    if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_WEIGHT)))
        EnableSpin(*spin, !art && border && has("borderWeight"));
    ApplyBackgroundTransparency();
}

void CSelectorAppearancePage::ApplyBackgroundTransparency()
{
    CParameterSet* background = Background();
    const bool on = BoolOf(Group(), "useBackgroundArt") || BoolOf(background, "showBorder") || BoolOf(background, "showFill");
    EnableItems(*this, {IDC_BACK_TRANS_LABEL}, on);
    if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_BACK_TRANS)))
        EnableSpin(*spin, on && Group()->FindParameter("backgroundTrans") != nullptr);
}

void CSelectorAppearancePage::ApplyMarkerRule()
{
    const bool art = BoolOf(Group(), "useDefaultArt");
    CParameterSet* group = Group();
    EnableItems(*this, {IDC_THUMB, IDC_THUMB_LABEL}, !art && group->FindParameter("thumbColor") != nullptr);
    EnableItems(*this, {IDC_MARKER_DEFAULT, IDC_MARKER_DEFAULT_LABEL}, !art && group->FindParameter(MarkerKey(false)));
    EnableItems(*this, {IDC_MARKER_SELECTED, IDC_MARKER_SELECTED_LABEL}, !art && group->FindParameter(MarkerKey(true)));
}

void CSelectorAppearancePage::ClampRows()
{
    auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_ROWS));
    CParameter* rows = Group()->FindParameter("rowCnt");
    if (m_type != kComboBox || spin == nullptr || rows == nullptr)
        return;
    const int labels = ElementCount(FindLabels(GetRootSet()) != nullptr ? FindLabels(GetRootSet())
                                                                       : FindInComponent(GetRootSet(), "labels"));
    // A combo box opens no more rows than it has labels; without labels nothing is clamped.
    if (labels >= 1 && labels < NumberOf(rows)) {
        if (rows->GetType() == model::ParamType::Integer)
            rows->SetInt(labels, false);
        else
            rows->SetDouble(labels, false);
        spin->UpdateText();
        NotifyOwnerChanged();
    }
    if (labels == 1) {
        spin->SetText("1");
        EnableSpin(*spin, false);
    }
}

LRESULT CSelectorAppearancePage::OnSpinChanged(WPARAM wParam, LPARAM)
{
    if (static_cast<int>(wParam) != IDC_ROWS)
        return 0;
    ClampRows();
    return 0x10001;
}

void CSelectorAppearancePage::OnAlignment()
{
    const char* key = Group()->FindParameter("labelAlign") != nullptr ? "labelAlign" : "labelPosition";
    CommitComboBoxInSet(key, IDC_ALIGN, Group());
}

const char* CSelectorAppearancePage::OwnColourKey(const char* key) const
{
    // Only the lists draw their rows in these colours: the check box, radio buttons and the
    // buttons give the same names other parts.
    if (m_type != kComboBox && m_type != kListBox && m_type != kFilter && m_type != kMenu)
        return nullptr;
    static const std::pair<const char*, const char*> kOwn[] = {
        {"selectTextColor", "selectedColor"}, {"dftBgColor", "defaultFillColor"}, {"selectBgColor", "selectedFillColor"}};
    for (const auto& [spelt, own] : kOwn)
        if (std::string(key) == spelt)
            return Group()->FindParameter(own) != nullptr ? own : nullptr;
    return nullptr;
}

void CSelectorAppearancePage::LabelColour(const char* key, CColorButton& button)
{
    if (CParameterSet* colours = LabelColours(); colours != nullptr && colours->FindParameter(key) != nullptr)
        OnColorButtonClicked(key, button, colours);
    else if (const char* own = colours == nullptr ? OwnColourKey(key) : nullptr)
        OnColorButtonClicked(own, button, Group());
}

void CSelectorAppearancePage::OnFieldChanged(const ParamField& row)
{
    switch (row.ids.front()) {
    case IDC_SHOW_LABELS:
        ApplyLabelRule();
        break;
    case IDC_USE_LABEL_ART:
        ApplyLabelArtRule();
        break;
    case IDC_USE_MARKER_ART:
        ApplyMarkerRule();
        break;
    default:
        break;
    }
}

void CSelectorAppearancePage::OnUseBackgroundArt()
{
    if (!StoreCheck(*this, IDC_USE_BACKGROUND_ART, Group(), "useBackgroundArt"))
        return;
    if (BoolOf(Group(), "useBackgroundArt")) {
        // The art draws its own border and fill.
        CParameterSet* background = Background();
        for (const auto& [key, id] : {std::pair{"showBorder", IDC_SHOW_BORDER}, std::pair{"showFill", IDC_SHOW_FILL}}) {
            if (CParameter* flag = background != nullptr ? background->FindParameter(key) : nullptr)
                flag->SetBool(false, false);
            CheckDlgButton(id, BST_UNCHECKED);
        }
    }
    ApplyBackgroundRule();
    NotifyOwnerChanged();
}

void CSelectorAppearancePage::OnShowBorder()
{
    if (!StoreCheck(*this, IDC_SHOW_BORDER, Background(), "showBorder"))
        return;
    if (CParameter* art = Group()->FindParameter("useBackgroundArt"); art != nullptr && art->GetBool()) {
        art->SetBool(false, false);
        CheckDlgButton(IDC_USE_BACKGROUND_ART, BST_UNCHECKED);
    }
    ApplyBackgroundRule();
    NotifyOwnerChanged();
}

void CSelectorAppearancePage::OnShowFill()
{
    if (!StoreCheck(*this, IDC_SHOW_FILL, Background(), "showFill"))
        return;
    if (CParameter* art = Group()->FindParameter("useBackgroundArt"); art != nullptr && art->GetBool()) {
        art->SetBool(false, false);
        CheckDlgButton(IDC_USE_BACKGROUND_ART, BST_UNCHECKED);
    }
    ApplyBackgroundRule();
    NotifyOwnerChanged();
}

void CSelectorAppearancePage::OnBorderColor()
{
    if (Background() != nullptr)
        OnColorButtonClicked("borderColor", m_border, Background());
    else if (!m_hasBackgroundArt && Group()->FindParameter("borderColor") != nullptr)
        OnColorButtonClicked("borderColor", m_border, Group());
}

void CSelectorAppearancePage::OnFillColor()
{
    if (Background() != nullptr)
        OnColorButtonClicked("fillColor", m_fill, Background());
    else if (!m_hasBackgroundArt && Group()->FindParameter("fillColor") != nullptr)
        OnColorButtonClicked("fillColor", m_fill, Group());
}

void CSelectorAppearancePage::OnMarkerDefault()
{
    OnColorButtonClicked(MarkerKey(false), m_markerDefault, Group());
}

void CSelectorAppearancePage::OnMarkerSelected()
{
    OnColorButtonClicked(MarkerKey(true), m_markerSelected, Group());
}

int CSelectorAppearancePage::GetHelpContextId()
{
    // The help file has topics for the first seven selectors only.
    if (m_type < 0 || m_type > kRadioButtons)
        return -1;
    static const int kTopics[6][7] = {
        {-1, 781, 641, 447, 491, 681, 581},        {728, -1, 642, 448, 492, 682, 582},
        {727, -1, 643, 449, 493, 683, -1},         {2462, -1, -1, 2464, 2466, 2468, 2470},
        {-1, -1, -1, -1, -1, -1, 583},             {726, 780, 640, 446, 490, 680, 580},
    };
    int row = 5;
    switch (GetFocusedPageControlId()) {
    case IDC_TITLE_FONT:
    case IDC_TITLE_X:
    case IDC_TITLE_Y:
    case IDC_TITLE_POSITION:
    case IDC_SHOW_TITLE:
        row = 0;
        break;
    case IDC_ALIGN:
    case IDC_LABEL_X:
    case IDC_LABEL_Y:
    case IDC_SHOW_LABELS:
    case IDC_SELECTED_TEXT:
    case IDC_LABEL_FONT:
    case IDC_OVER_TEXT:
    case IDC_ROWS:
    case IDC_FORMAT:
        row = 1;
        break;
    case IDC_SEPARATION:
    case IDC_LABEL_TRANS:
    case IDC_DEFAULT_BG:
    case IDC_OVER_BG:
    case IDC_SELECTED_BG:
    case IDC_USE_LABEL_ART:
        row = 2;
        break;
    case IDC_USE_MARKER_ART:
    case IDC_MARKER_DEFAULT:
    case IDC_MARKER_SELECTED:
    case IDC_THUMB:
        row = 3;
        break;
    case IDC_X_MARGIN:
    case IDC_Y_MARGIN:
    case IDC_WEIGHT:
    case IDC_BACK_TRANS:
    case IDC_BORDER_COLOR:
    case IDC_FILL_COLOR:
    case IDC_SHOW_BORDER:
    case IDC_USE_BACKGROUND_ART:
    case IDC_SHOW_FILL:
        row = 4;
        break;
    default:
        break;
    }
    return kTopics[row][m_type];
}
