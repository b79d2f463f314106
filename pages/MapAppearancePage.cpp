#include "pages/MapAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/SelectorKit.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;

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

namespace {

bool Has(const CFieldPage& page, const char* key)
{
    return page.FieldSet() != nullptr && page.FieldSet()->FindParameter(key) != nullptr;
}

bool Flag(const CFieldPage& page, const char* key)
{
    return BoolOf(page.FieldSet(), key);
}

// The maps and the alert icons have topics of their own.
std::function<int(const CFieldPage&)> Topics(int map, int icon)
{
    return [map, icon](const CFieldPage& page) {
        return page.GetOwnerComponentType().find("Map") != std::string::npos ? map : icon;
    };
}

ParamField Help(ParamField row, int map, int icon)
{
    row.help = Topics(map, icon);
    return row;
}

std::vector<ParamField> Rows(int layout)
{
    using Page = CMapAppearancePage;
    FieldPolicy hide;
    hide.hideMissing = true;
    FieldPolicy upwards;
    upwards.negate = true;
    // Showing the tab only reads the switches: what is stored is what the boxes show.
    auto title = [](ParamField row) {
        return Help(
            EnabledWhen(std::move(row), [](const CFieldPage& page) { return Flag(page, "titleEnabled"); }),
            1029, 980);
    };
    auto labels = [](ParamField row) { return Help(std::move(row), 1030, 990); };
    // Regions coloured by their alert bands have no selectable colour of their own.
    auto ownSelectable = [](const CFieldPage& page) {
        const CParameter* alerts = FindInComponent(page.GetRootSet(), "alertsEnabled");
        return alerts == nullptr || !alerts->GetBool();
    };
    std::vector<ParamField> rows = {
        Help(CheckRow(Page::IDC_SHOW_TITLE, "titleEnabled"), 1029, 980),
        title(WithCaptions(ChoiceRow(Page::IDC_POSITION, "titlePosition"), {Page::IDC_POSITION_LABEL})),
        title(SpinRow(Page::IDC_XSHIFT, "titleXShift", {Page::IDC_XSHIFT_LABEL})),
        // Shifts down are stored as positive numbers but shown as the screen moves: upwards positive.
        title(SpinRow(Page::IDC_YSHIFT, "titleYShift", {Page::IDC_YSHIFT_LABEL}, upwards)),
        title(FontRow(Page::IDC_TITLE_FONT, {"titleTextProps"}, {Page::IDC_TITLE_FONT_LABEL})),
        labels(CheckRow(Page::IDC_SHOW_LABELS, "labelsEnabled", hide)),
        // A component without the label switch always shows its labels.
        labels(EnabledWhen(FontRow(Page::IDC_LABEL_FONT, {"labelsTextProps"}, {}, hide),
                           [](const CFieldPage& page) {
                               return !Has(page, "labelsEnabled") || Flag(page, "labelsEnabled");
                           })),
        labels(CheckRow(Page::IDC_SHOW_MOUSE_OVER, "showMouseOverLabel", hide)),
        labels(EnabledWhen(FontRow(Page::IDC_MOUSE_FONT, {"mouseOverTextProps"}, {}, hide),
                           [](const CFieldPage& page) { return Flag(page, "showMouseOverLabel"); })),
        Help(CheckRow(Page::IDC_SHOW_VALUES, "showValue", hide), 1031, 980),
        Help(OwnRow({Page::IDC_FORMAT}, {"formatValue"}), 1031, 980),
        Help(CheckRow(Page::IDC_SHOW_ON_OFF, "showOnOff", hide), 1028, 985),
        Help(CheckRow(Page::IDC_USE_CUSTOM, "useCustomColor", hide), 1028, 985),
        Help(EnabledWhen(WithCaptions(ColourRow(Page::IDC_DEFAULT_COLOR, "regionDftColor", hide),
                                      {Page::IDC_DEFAULT_LABEL}),
                         [](const CFieldPage& page) {
                             return !Has(page, "useCustomColor") || Flag(page, "useCustomColor");
                         }),
             1032, 980),
        Help(WithCaptions(ColourRow(Page::IDC_SELECTED_COLOR, "regionSelectionColor", hide),
                          {Page::IDC_SELECTED_LABEL}),
             1032, 985),
        Help(WithCaptions(ColourRow(Page::IDC_HIGHLIGHT_COLOR, "regionHighlightColor", hide),
                          {Page::IDC_HIGHLIGHT_LABEL}),
             1032, 985),
        Help(EnabledWhen(WithCaptions(ColourRow(Page::IDC_SELECTABLE_COLOR, "selectableColor", hide),
                                      {Page::IDC_SELECTABLE_LABEL}),
                         ownSelectable),
             1032, 985),
        Help(SpinRow(Page::IDC_TRANSPARENCY, "transparency", {Page::IDC_TRANSPARENCY_LABEL}, hide), 1032,
             985),
    };
    // The alert icons show no art switch.
    if (layout == 0)
        rows.push_back(Help(CheckRow(Page::IDC_SHOW_ART, "showMouseEffects", hide), 1032, 980));
    return rows;
}

} // namespace

CMapAppearancePage::CMapAppearancePage(int layout)
    : CFieldPage(
          "Appearance", [layout](const CFieldPage&) { return MakeTemplate(layout); }, Rows(layout),
          Topics(1028, 980)),
      m_layout(layout)
{
}

BOOL CMapAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = FieldSet();
    if (group->FindParameter("titleEnabled") == nullptr)
        EnableItems(*this, {IDC_TITLE_GROUP}, false);
    if (group->FindParameter("labelsEnabled") != nullptr)
        MakeRoomForLabelSwitch();
    if (group->FindParameter("useCustomColor") != nullptr) {
        // The switch takes the default colour's row; the default colour moves into the next.
        GetDlgItem(IDC_DEFAULT_LABEL)->MoveWindow(GetDlgItem(IDC_SELECTED_LABEL)->GetRectInParent());
        GetDlgItem(IDC_DEFAULT_COLOR)->MoveWindow(GetDlgItem(IDC_SELECTED_COLOR)->GetRectInParent());
    }
    if (group->FindParameter("mouseOverTextProps") == nullptr)
        ShowItems(*this, {IDC_LABELS_GROUP}, false);
    if (m_layout > 0)
        ShowItems(*this, {IDC_SHOW_ART}, false);
    m_format.SubclassDlgItem(IDC_FORMAT, this);
    m_format.Create(group->FindParameter("formatValue"), GetOwner(), GetDialogFont(), nullptr, false);
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
    EnableFormat();
    return CFieldPage::OnSetActive();
}

void CMapAppearancePage::EnableFormat()
{
    const CParameter* format = FieldSet()->FindParameter("formatValue");
    m_format.EnableControls(Flag(*this, "showValue") && format != nullptr && format->GetSet() != nullptr);
}

void CMapAppearancePage::OnFieldChanged(const ParamField& row)
{
    if (row.ids.front() == IDC_SHOW_VALUES)
        EnableFormat();
}
