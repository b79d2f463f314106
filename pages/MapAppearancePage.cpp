#include "pages/MapAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/SelectorKit.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CMapAppearancePage, CComponentPage)
    .Command(IDC_SHOW_TITLE, &CMapAppearancePage::OnShowTitle)
    .Command(IDC_SHOW_LABELS, &CMapAppearancePage::OnShowLabels)
    .Command(IDC_SHOW_VALUES, &CMapAppearancePage::OnShowValues)
    .Command(IDC_SHOW_MOUSE_OVER, &CMapAppearancePage::OnShowMouseOver)
    .Command(IDC_SHOW_ART, &CMapAppearancePage::OnShowArt)
    .Command(IDC_SHOW_ON_OFF, &CMapAppearancePage::OnShowOnOff)
    .Command(IDC_USE_CUSTOM, &CMapAppearancePage::OnUseCustomColor)
    .Control(CBN_SELCHANGE, IDC_POSITION, &CMapAppearancePage::OnPosition)
    .Command(IDC_DEFAULT_COLOR, &CMapAppearancePage::OnDefaultColor)
    .Command(IDC_SELECTED_COLOR, &CMapAppearancePage::OnSelectedColor)
    .Command(IDC_HIGHLIGHT_COLOR, &CMapAppearancePage::OnHighlightColor)
    .Command(IDC_SELECTABLE_COLOR, &CMapAppearancePage::OnSelectableColor) END_MESSAGE_MAP()

DialogTemplate CMapAppearancePage::MakeTemplate(int layout)
{
    CSpinEdit::RegisterClass();
    const bool icon = layout > 0;
    DialogTemplate t = PageTemplate(icon ? IDD_ICON : IDD_MAP, "Appearance");
    // Laid out for the maps, which have no label switch of their own; a component that has one
    // gets its row inserted above the mouse-over row when the page opens.
    t.Add("Button", "Title", IDC_TITLE_GROUP, 7, 0, 241, 36, kGroupStyle)
        .Add("Button", "Show Title", IDC_SHOW_TITLE, 14, 9, 52, 10, kCheckStyle)
        .Add("Static", "Position:", IDC_POSITION_LABEL, 70, 10, 34, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_POSITION, 106, 8, 46, 60, kComboStyle)
        .Add("Static", "X shift (pixels)", IDC_XSHIFT_LABEL, 156, 10, 66, 8, kLabelStyle)
        .Add("SpinEdit", "X Shift", IDC_XSHIFT, 222, 8, 22, 12, kTab)
        .Add("Static", "Font", IDC_TITLE_FONT_LABEL, 14, 23, 20, 8, kLabelStyle)
        .Add("FontData", "", IDC_TITLE_FONT, 36, 21, 116, 12, WS_VISIBLE)
        .Add("Static", "Y shift (pixels)", IDC_YSHIFT_LABEL, 156, 23, 66, 8, kLabelStyle)
        .Add("SpinEdit", "Y Shift", IDC_YSHIFT, 222, 21, 22, 12, kTab)
        .Add("Button", icon ? "Mouse Over" : "Label Text", IDC_LABELS_GROUP, 7, 38, 241, 28, kGroupStyle)
        .Add("Button", "Show Labels", IDC_SHOW_LABELS, 14, 48, 72, 10, kCheckStyle)
        .Add("FontData", "", IDC_LABEL_FONT, 90, 47, 150, 12, WS_VISIBLE)
        .Add("Button", icon ? "Show Labels" : "Show Mouse Over", IDC_SHOW_MOUSE_OVER, 14, 48, 72, 10, kCheckStyle)
        .Add("FontData", "", IDC_MOUSE_FONT, 90, 47, 150, 12, WS_VISIBLE)
        .Add("Button", "Values", IDC_VALUES_GROUP, 7, 68, 241, 76, kGroupStyle)
        .Add("Button", "Show Values", IDC_SHOW_VALUES, 14, 78, 60, 10, kCheckStyle)
        .Add("NumericFormat", "", IDC_FORMAT, 80, 76, 164, 64, WS_VISIBLE)
        .Add("Button", icon ? "Display" : "Region", IDC_REGION_GROUP, 7, 146, 241, 52, kGroupStyle)
        .Add("Button", "Show Art", IDC_SHOW_ART, 14, 155, 50, 10, kCheckStyle)
        .Add("Button", "Show On/Off", IDC_SHOW_ON_OFF, 70, 155, 60, 10, kCheckStyle & ~WS_VISIBLE)
        .Add("Static", "Transparency", IDC_TRANSPARENCY_LABEL, 196, 156, 48, 8, kLabelStyle)
        .Add("Button", icon ? "Show Custom Color" : "Show Default", IDC_USE_CUSTOM, 14, 168, 90, 10,
             kCheckStyle & ~WS_VISIBLE)
        .Add("Static", icon ? "Color Fill" : "Default Fill", IDC_DEFAULT_LABEL, 14, 169, 60, 8, kLabelStyle)
        .Add("Button", "", IDC_DEFAULT_COLOR, 76, 167, 26, 12, kColorStyle)
        .Add("Static", "Selected Fill", IDC_SELECTED_LABEL, 108, 169, 54, 8, kLabelStyle)
        .Add("Button", "", IDC_SELECTED_COLOR, 164, 167, 26, 12, kColorStyle)
        .Add("SpinEdit", "", IDC_TRANSPARENCY, 196, 167, 36, 12, kTab)
        .Add("Static", "Mouse Over Fill", IDC_HIGHLIGHT_LABEL, 14, 183, 60, 8, kLabelStyle)
        .Add("Button", "", IDC_HIGHLIGHT_COLOR, 76, 181, 26, 12, kColorStyle)
        .Add("Static", "Selectable Fill", IDC_SELECTABLE_LABEL, 108, 183, 54, 8, kLabelStyle & ~WS_VISIBLE)
        .Add("Button", "", IDC_SELECTABLE_COLOR, 164, 181, 26, 12, kColorStyle & ~WS_VISIBLE);
    return t;
}

BOOL CMapAppearancePage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                                CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate(m_layout));
    return TRUE;
}

CParameterSet* CMapAppearancePage::Group() const
{
    return PageGroup(*this, "Appearance");
}

bool CMapAppearancePage::Flag(const char* key) const
{
    return BoolOf(Group(), key);
}

BOOL CMapAppearancePage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = Group();
    COLORREF* colours = GetContext() != nullptr ? GetContext()->customColors : nullptr;

    BindComboBoxInSet("titlePosition", IDC_POSITION, group, false);
    if (!BindCheckBoxInSet("titleEnabled", IDC_SHOW_TITLE, group, false))
        EnableItems(*this, {IDC_TITLE_GROUP}, false);
    m_titleFont.SubclassDlgItem(IDC_TITLE_FONT, this);
    const CParameter* titleFont = group->FindParameter("titleTextProps");
    m_titleFont.Create(titleFont != nullptr ? titleFont->GetSet() : nullptr, GetOwner(), false, colours);

    if (group->FindParameter("labelsEnabled") != nullptr)
        MakeRoomForLabelSwitch();
    for (const auto& [key, id] : {std::pair{"labelsEnabled", IDC_SHOW_LABELS}, std::pair{"showMouseOverLabel", IDC_SHOW_MOUSE_OVER},
                                  std::pair{"showOnOff", IDC_SHOW_ON_OFF}, std::pair{"useCustomColor", IDC_USE_CUSTOM}})
        BindCheckBoxInSet(key, id, group, true);
    if (group->FindParameter("showOnOff") != nullptr)
        ShowItems(*this, {IDC_SHOW_ON_OFF}, true);
    if (group->FindParameter("useCustomColor") != nullptr) {
        // The switch takes the default colour's row; the default colour moves into the next.
        ShowItems(*this, {IDC_USE_CUSTOM}, true);
        GetDlgItem(IDC_DEFAULT_LABEL)->MoveWindow(GetDlgItem(IDC_SELECTED_LABEL)->GetRectInParent());
        GetDlgItem(IDC_DEFAULT_COLOR)->MoveWindow(GetDlgItem(IDC_SELECTED_COLOR)->GetRectInParent());
    }

    const CParameter* labelFont = group->FindParameter("labelsTextProps");
    m_labelFont.SubclassDlgItem(IDC_LABEL_FONT, this);
    m_labelFont.Create(labelFont != nullptr ? labelFont->GetSet() : nullptr, GetOwner(), false, colours);
    if (labelFont == nullptr)
        m_labelFont.ShowWindow(SW_HIDE);
    const CParameter* mouseFont = group->FindParameter("mouseOverTextProps");
    m_mouseFont.SubclassDlgItem(IDC_MOUSE_FONT, this);
    m_mouseFont.Create(mouseFont != nullptr ? mouseFont->GetSet() : nullptr, GetOwner(), false, colours);
    if (mouseFont == nullptr) {
        m_mouseFont.ShowWindow(SW_HIDE);
        ShowItems(*this, {IDC_LABELS_GROUP}, false);
    }

    BindCheckBoxInSet("showValue", IDC_SHOW_VALUES, group, true);
    m_format.SubclassDlgItem(IDC_FORMAT, this);
    m_format.Create(group->FindParameter("formatValue"), GetOwner(), GetDialogFont(), nullptr, false);
    BindCheckBoxInSet("showMouseEffects", IDC_SHOW_ART, group, true);
    if (m_layout > 0)
        ShowItems(*this, {IDC_SHOW_ART}, false);

    const std::tuple<const char*, int, int, CColorButton*> colours4[] = {
        {"regionDftColor", IDC_DEFAULT_COLOR, IDC_DEFAULT_LABEL, &m_default},
        {"regionSelectionColor", IDC_SELECTED_COLOR, IDC_SELECTED_LABEL, &m_selected},
        {"regionHighlightColor", IDC_HIGHLIGHT_COLOR, IDC_HIGHLIGHT_LABEL, &m_highlight},
    };
    for (const auto& [key, id, label, button] : colours4)
        if (!BindColorButtonInSet(key, id, *button, group, true))
            ShowItems(*this, {label}, false);
    if (BindColorButtonInSet("selectableColor", IDC_SELECTABLE_COLOR, m_selectable, group, true)) {
        ShowItems(*this, {IDC_SELECTABLE_COLOR, IDC_SELECTABLE_LABEL}, true);
        EnableItems(*this, {IDC_SELECTABLE_COLOR, IDC_SELECTABLE_LABEL}, true);
    }
    return TRUE;
}

void CMapAppearancePage::MakeRoomForLabelSwitch()
{
    // The mouse-over row and everything below it move down by one row.
    const int dy = GetDlgItem(IDC_SHOW_LABELS)->GetRectInParent().Height() * 14 / 10;
    for (CWnd* child : GetChildren()) {
        const int id = child->GetDlgCtrlID();
        CRect rect = child->GetRectInParent();
        if (id == IDC_LABELS_GROUP) {
            rect.bottom += dy;
        } else if (id == IDC_SHOW_MOUSE_OVER || id == IDC_MOUSE_FONT || id >= IDC_VALUES_GROUP) {
            rect.OffsetRect(0, dy);
        } else {
            continue;
        }
        child->MoveWindow(rect);
    }
}

BOOL CMapAppearancePage::OnSetActive()
{
    CParameterSet* group = Group();
    if (auto* x = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_XSHIFT)))
        x->BindParameter(group->FindParameter("titleXShift"), [this] { NotifyOwnerChanged(); }, GetDialogFont(), false,
                         false);
    // Shifts down are stored as positive numbers but shown as the screen moves: upwards positive.
    if (auto* y = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_YSHIFT)))
        y->BindParameter(group->FindParameter("titleYShift"), [this] { NotifyOwnerChanged(); }, GetDialogFont(), false,
                         true);
    ApplyTitleRule();
    ApplyFollowers();
    if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_TRANSPARENCY))) {
        const bool bound = spin->BindParameter(group->FindParameter("transparency"), [this] { NotifyOwnerChanged(); },
                                               GetDialogFont(), true, false);
        ShowItems(*this, {IDC_TRANSPARENCY_LABEL}, bound);
    }
    ApplyColourRules();
    return CComponentPage::OnSetActive();
}

void CMapAppearancePage::ApplyTitleRule()
{
    // Showing the tab only reads the switches: what is stored is what the boxes show.
    const bool title = Flag("titleEnabled");
    CParameterSet* group = Group();
    EnableItems(*this, {IDC_XSHIFT_LABEL, IDC_YSHIFT_LABEL, IDC_POSITION_LABEL, IDC_TITLE_FONT_LABEL}, title);
    EnableItems(*this, {IDC_POSITION}, title && group->FindParameter("titlePosition") != nullptr);
    for (const auto& [id, key] : {std::pair{IDC_XSHIFT, "titleXShift"}, std::pair{IDC_YSHIFT, "titleYShift"}})
        if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(id)))
            EnableSpin(*spin, title && group->FindParameter(key) != nullptr);
    m_titleFont.EnableControls(title && group->FindParameter("titleTextProps") != nullptr);
}

void CMapAppearancePage::ApplyFollowers()
{
    CParameterSet* group = Group();
    if (group->FindParameter("labelsEnabled") != nullptr)
        m_labelFont.EnableControls(Flag("labelsEnabled") && group->FindParameter("labelsTextProps") != nullptr);
    m_format.EnableControls(Flag("showValue") && group->FindParameter("formatValue") != nullptr &&
                            group->FindParameter("formatValue")->GetSet() != nullptr);
    m_mouseFont.EnableControls(Flag("showMouseOverLabel") && group->FindParameter("mouseOverTextProps") != nullptr);
}

void CMapAppearancePage::ApplyColourRules()
{
    CParameterSet* group = Group();
    const CParameter* alerts = FindInComponent(GetRootSet(), "alertsEnabled");
    if (alerts == nullptr)
        return;
    // Regions coloured by their alert bands have no selectable colour of their own.
    if (group->FindParameter("selectableColor") != nullptr)
        EnableItems(*this, {IDC_SELECTABLE_COLOR, IDC_SELECTABLE_LABEL}, !alerts->GetBool());
    if (group->FindParameter("useCustomColor") != nullptr)
        EnableItems(*this, {IDC_DEFAULT_LABEL, IDC_DEFAULT_COLOR}, Flag("useCustomColor"));
}

bool CMapAppearancePage::StoreBool(const char* key, int checkId)
{
    if (!StoreCheck(*this, checkId, Group(), key))
        return false;
    NotifyOwnerChanged();
    return true;
}

void CMapAppearancePage::OnShowTitle()
{
    if (StoreBool("titleEnabled", IDC_SHOW_TITLE))
        ApplyTitleRule();
}

void CMapAppearancePage::OnShowLabels()
{
    if (StoreBool("labelsEnabled", IDC_SHOW_LABELS))
        ApplyFollowers();
}

void CMapAppearancePage::OnShowValues()
{
    if (StoreBool("showValue", IDC_SHOW_VALUES))
        ApplyFollowers();
}

void CMapAppearancePage::OnShowMouseOver()
{
    if (StoreBool("showMouseOverLabel", IDC_SHOW_MOUSE_OVER))
        ApplyFollowers();
}

void CMapAppearancePage::OnUseCustomColor()
{
    if (StoreBool("useCustomColor", IDC_USE_CUSTOM))
        EnableItems(*this, {IDC_DEFAULT_LABEL, IDC_DEFAULT_COLOR}, Flag("useCustomColor"));
}

void CMapAppearancePage::OnPosition()
{
    CommitComboBoxInSet("titlePosition", IDC_POSITION, Group());
}

int CMapAppearancePage::GetHelpContextId()
{
    const int focused = GetFocusedPageControlId();
    if (GetOwnerComponentType().find("Map") != std::string::npos) {
        switch (focused) {
        case IDC_TITLE_FONT:
        case IDC_XSHIFT:
        case IDC_YSHIFT:
        case IDC_POSITION:
        case IDC_SHOW_TITLE:
            return 1029;
        case IDC_SHOW_LABELS:
        case IDC_SHOW_MOUSE_OVER:
        case IDC_LABEL_FONT:
        case IDC_MOUSE_FONT:
            return 1030;
        case IDC_SHOW_VALUES:
        case IDC_FORMAT:
            return 1031;
        case IDC_TRANSPARENCY:
        case IDC_DEFAULT_COLOR:
        case IDC_SELECTED_COLOR:
        case IDC_HIGHLIGHT_COLOR:
        case IDC_SELECTABLE_COLOR:
        case IDC_SHOW_ART:
            return 1032;
        default:
            return 1028;
        }
    }
    switch (focused) {
    case IDC_SHOW_LABELS:
    case IDC_SHOW_MOUSE_OVER:
    case IDC_LABEL_FONT:
    case IDC_MOUSE_FONT:
        return 990;
    case IDC_TRANSPARENCY:
    case IDC_SELECTED_COLOR:
    case IDC_HIGHLIGHT_COLOR:
    case IDC_SELECTABLE_COLOR:
    case IDC_SHOW_ON_OFF:
    case IDC_USE_CUSTOM:
        return 985;
    default:
        return 980;
    }
}
