#include "pages/TableSelectorPages.h"

#include "model/CellBinding.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/HelpMovieDialog.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace pages;
using model::ParamType;

namespace {

const char* const kUpdateOn[] = {"mouse click", "mouse over"};

} // namespace

int TableRowCount(const CParameter* dataValues)
{
    const CCellBinding* binding = dataValues != nullptr ? dataValues->GetBinding() : nullptr;
    if (binding == nullptr || !model::IsIndexedList(binding->GetValue().GetType()))
        return -1;
    return binding->GetValue().GetElementCount();
}

bool ResizeRowFlags(CParameter& flags, int rows)
{
    if (rows < 0 || !model::IsIndexedList(flags.GetType()) || flags.GetElementCount() == rows)
        return false;
    const std::unique_ptr<CParameter> old = flags.Clone();
    flags.ClearElements();
    // An array that never held a row may have no template: its new rows are selectable.
    CParameter selectable("0", ParamType::Boolean);
    selectable.SetBool(false);
    const CParameter* model = old->GetGroupTemplate() != nullptr ? old->GetGroupTemplate() : &selectable;
    for (int i = 0; i < rows; ++i)
        flags.InsertElementCopy(i < old->GetElementCount() ? *old->GetElement(i) : *model, i);
    return true;
}

// ---- General ----

DialogTemplate CTableSelectorGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Insert Data", IDC_INSERT_GROUP, 7, 7, 241, 76, kGroupStyle)
        .Add("Edit", "", IDC_TARGET, 80, 22, 134, 13, kRangeStyle)
        .Add("Button", "...", IDC_TARGET_LINK, 218, 22, 16, 13, kLinkStyle)
        .Add("Edit", "", IDC_SOURCE, 80, 41, 134, 13, kRangeStyle)
        .Add("Button", "...", IDC_SOURCE_LINK, 218, 41, 16, 13, kLinkStyle)
        .Add("Static", "Insert In:", IDC_TARGET_LABEL, 14, 24, 64, 8, kLabelStyle)
        .Add("Static", "Source Data:", IDC_SOURCE_LABEL, 14, 43, 64, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_INSERT_OPTION, 80, 60, 80, 40, kComboStyle | WS_DISABLED)
        .Add("Static", "Insert Option:", IDC_INSERT_OPTION_LABEL, 14, 62, 64, 8, kLabelStyle)
        .Add("Edit", "", IDC_DATA, 14, 104, 200, 13, kRangeStyle)
        .Add("Button", "...", IDC_DATA_LINK, 218, 104, 16, 13, kLinkStyle)
        .Add("Button", "?", IDC_HELP_MOVIE, 166, 59, 20, 15, kTab)
        .Add("Button", "Display Data", IDC_DATA_GROUP, 7, 90, 241, 34, kGroupStyle);
    return t;
}

namespace {

std::vector<ParamField> GeneralRows()
{
    using Page = CTableSelectorGeneralPage;
    // Larger ranges ask before they are linked; the insert cells should hold no formulas.
    CRangeCheck formulas;
    formulas.askToContinue = true;
    formulas.checks = CRangeCheck::kNoFormulas;
    formulas.message = Page::kFormulaTip;
    CRangeCheck large;
    large.askToContinue = true;
    large.checks = CRangeCheck::kMaxCells;
    large.limit = Page::kCellLimit;
    large.message = Page::kLargeRangeTip;
    FieldPolicy target;
    target.rangeCheck = formulas;
    FieldPolicy source;
    source.rangeCheck = large;
    source.hideMissing = true;
    ParamField data = CellLinkRow(Page::IDC_DATA, Page::IDC_DATA_LINK, {"dataValues_ary"});
    data.onCommand = [](CFieldPage& page) { static_cast<Page&>(page).OnDataValuesLink(); };
    return {
        WithHelp(
            WithCaptions(CellLinkRow(Page::IDC_TARGET, Page::IDC_TARGET_LINK, {"targetCells_ary"}, target),
                         {Page::IDC_TARGET_LABEL}),
            360),
        WithHelp(
            WithCaptions(CellLinkRow(Page::IDC_SOURCE, Page::IDC_SOURCE_LINK, {"sourceCells_ary"}, source),
                         {Page::IDC_SOURCE_LABEL}),
            360),
        WithHelp(OwnRow({Page::IDC_INSERT_OPTION}, {}), 360),
        WithHelp(data, 355),
        CommandRow(Page::IDC_HELP_MOVIE,
                   [](CFieldPage& page) {
                       CHelpMovieDialog help(&page);
                       help.SetComponent(page.GetRootSet(), page.GetOwnerComponentType());
                       help.DoModal();
                   }),
    };
}

} // namespace

CTableSelectorGeneralPage::CTableSelectorGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, GeneralRows(), Topic(350))
{
}

BOOL CTableSelectorGeneralPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                       IPropertyOwner* owner, CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    m_disabledRows = FindInComponent(root, "disabledRows_ary");
    return TRUE;
}

BOOL CTableSelectorGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    auto* option = static_cast<CComboBox*>(GetDlgItem(IDC_INSERT_OPTION));
    option->AddString("rows");
    option->SetCurSel(0);
    return TRUE;
}

void CTableSelectorGeneralPage::OnDataValuesLink()
{
    CParameter* data = FieldSet()->FindParameter("dataValues_ary");
    CRangeCheck check;
    check.askToContinue = true;
    check.checks = CRangeCheck::kMaxCells;
    check.limit = kCellLimit;
    check.message = kLargeRangeTip;
    if (PickCells(*this, data, IDC_DATA, nullptr, &check)) {
        CParameter* select = FindInComponent(GetRootSet(), "selectIdx");
        const int rows = TableRowCount(data);
        // The default row must be one of the table's rows.
        if (select != nullptr && select->GetType() == ParamType::Integer && rows >= 0 &&
            (select->GetInt() >= rows || select->GetInt() < 0))
            select->SetInt(0);
        ResizeDisabledRows();
        NotifyOwnerChanged();
        return;
    }
    // Even a cancelled pick brings the row flags in line with the rows the table has now
    // (the data may have been linked elsewhere); that is a change to save.
    ResizeDisabledRows();
}

void CTableSelectorGeneralPage::ResizeDisabledRows()
{
    if (m_disabledRows != nullptr &&
        ResizeRowFlags(*m_disabledRows, TableRowCount(FieldSet()->FindParameter("dataValues_ary"))))
        MarkDocumentChanged();
}

// ---- Behavior ----

BEGIN_MESSAGE_MAP(CTableSelectorBehaviorPage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_DEFAULT, &CTableSelectorBehaviorPage::OnDefaultSelectionChanged)
    .Control(CBN_SELCHANGE, IDC_UPDATE_ON, &CTableSelectorBehaviorPage::OnUpdateOnChanged)
    .Command(IDC_SELECT_ALL, &CTableSelectorBehaviorPage::OnSelectAll)
    .Command(IDC_DESELECT_ALL, &CTableSelectorBehaviorPage::OnDeselectAll)
    .Command(IDC_SELECTABLE, &CTableSelectorBehaviorPage::OnSelectableClicked)
    .Message(WM_SPINEDIT_CHANGED, &CTableSelectorBehaviorPage::OnSpinChanged) END_MESSAGE_MAP()

DialogTemplate CTableSelectorBehaviorPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    const DWORD off = WS_DISABLED;
    t.Add("Button", "Behavior Options", IDC_OPTIONS_GROUP, 7, 2, 120, 84, kGroupStyle)
        .Add("Button", "Always Expanded", IDC_ALWAYS_EXPANDED, 12, 13, 100, 10, kCheckStyle | off)
        .Add("Button", "Sound Enabled", IDC_SOUND, 12, 26, 100, 10, kCheckStyle)
        .Add("Button", "Open Animation", IDC_OPEN_ANIMATION, 12, 39, 100, 10, kCheckStyle | off)
        .Add("Static", "Open Direction:", IDC_OPEN_DIRECTION_LABEL, 12, 54, 66, 8, kLabelStyle | off)
        .Add("ComboBox", "", IDC_OPEN_DIRECTION, 80, 52, 42, 40, kComboStyle | off)
        .Add("Static", "Open On:", IDC_OPEN_ON_LABEL, 12, 70, 66, 8, kLabelStyle | off)
        .Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 134, 241, 62, kGroupStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 98, 145, 116, 12, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 218, 145, 16, 12, kLinkStyle)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 12, 178, 54, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 68, 176, 66, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 140, 178, 66, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_OPEN_ON, 80, 68, 42, 40, kComboStyle | off)
        .Add("ComboBox", "", IDC_UPDATE_ON, 136, 54, 106, 40, kComboStyle)
        .Add("Static", "Update On:", IDC_UPDATE_ON_LABEL, 136, 44, 100, 8, kLabelStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 12, 147, 84, 8, kLabelStyle)
        .Add("Button", "Row Selectability", IDC_ROWS_GROUP, 7, 88, 241, 44, kGroupStyle)
        .Add("Button", "Selectable", IDC_SELECTABLE, 106, 101, 60, 10, kCheckStyle)
        .Add("Static", "Row Number", IDC_ROW_LABEL, 12, 102, 50, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_ROW, 64, 100, 36, 12, kTab)
        .Add("Button", "Select All", IDC_SELECT_ALL, 12, 114, 60, 14, kTab)
        .Add("Button", "Deselect All", IDC_DESELECT_ALL, 76, 114, 64, 14, kTab)
        .Add("SpinEdit", "", IDC_DURATION, 208, 176, 36, 12, kTab)
        .Add("Edit", "", IDC_KEY, 98, 160, 116, 12, kEditStyle)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 12, 162, 84, 8, kLabelStyle)
        .Add("Button", "...", IDC_KEY_LINK, 218, 160, 16, 12, kLinkStyle)
        .Add("Button", "Default Options", IDC_DEFAULTS_GROUP, 130, 2, 118, 84, kGroupStyle)
        .Add("Static", "Default Selection:", IDC_DEFAULT_LABEL, 136, 14, 100, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_DEFAULT, 136, 24, 106, 80, kComboStyle);
    return t;
}

namespace {

std::vector<ParamField> BehaviorRows()
{
    using Page = CTableSelectorBehaviorPage;
    // The moment of the insert matters only once there is something to insert and somewhere
    // to put it.
    auto updateUsable = [](const CFieldPage& page) {
        auto bound = [&page](const char* key) {
            const CParameter* parameter = FindInComponent(page.GetRootSet(), key);
            return parameter == nullptr || parameter->GetBinding() == nullptr ||
                   parameter->GetBinding()->IsBound();
        };
        const CParameter* update = page.FieldSet()->FindParameter("updateOn");
        return update != nullptr && update->IsEnabled() && bound("sourceCells_ary") &&
               bound("targetCells_ary");
    };
    ParamField rows =
        OwnRow({Page::IDC_SELECTABLE, Page::IDC_ROW, Page::IDC_SELECT_ALL, Page::IDC_DESELECT_ALL},
               {"disabledRows_ary"});
    rows.scope = FieldScope::Component;
    ParamField selection = OwnRow({Page::IDC_DEFAULT}, {"selectIdx"});
    selection.scope = FieldScope::Component;
    return {
        CheckRow(Page::IDC_SOUND, "soundEnabled"),
        WithHelp(
            EnabledWhen(OwnRow({Page::IDC_UPDATE_ON, Page::IDC_UPDATE_ON_LABEL}, {"updateOn"}), updateUsable),
            405, {Page::IDC_UPDATE_ON}),
        WithHelp(rows, 415),
        selection,
        WithHelp(VisibilityRow(VisibilityIdsOf<Page>()), 410,
                 {Page::IDC_STATUS_LINK, Page::IDC_STATUS_RANGE, Page::IDC_EFFECT, Page::IDC_DURATION}),
    };
}

} // namespace

CTableSelectorBehaviorPage::CTableSelectorBehaviorPage()
    : CFieldPage(
          "Behavior", [](const CFieldPage&) { return MakeTemplate(); }, BehaviorRows(), Topic(400)),
      m_rowNumber("row", ParamType::Integer)
{
    m_rowNumber.SetInt(1);
}

CTableSelectorBehaviorPage::~CTableSelectorBehaviorPage()
{
    // The controls commit what was typed when they lose the focus, and they report to this
    // page: they must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CTableSelectorBehaviorPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                        IPropertyOwner* owner, CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    m_font.CreatePointFont(80, "MS Shell Dlg");
    return TRUE;
}

CParameter* CTableSelectorBehaviorPage::Find(const char* key) const
{
    return FieldSet() != nullptr ? FieldSet()->FindParameter(key) : nullptr;
}

CParameter* CTableSelectorBehaviorPage::Flags() const
{
    CParameter* flags = FindInComponent(GetRootSet(), "disabledRows_ary");
    if (flags == nullptr)
        flags = Find("disabledRows_ary");
    return flags != nullptr && model::IsIndexedList(flags->GetType()) ? flags : nullptr;
}

CParameter* CTableSelectorBehaviorPage::SelectIndex() const
{
    CParameter* select = Find("selectIdx");
    if (select == nullptr)
        select = FindInComponent(GetRootSet(), "selectIdx");
    return select;
}

CSpinEdit* CTableSelectorBehaviorPage::Spin(int id) const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(id));
}

bool CTableSelectorBehaviorPage::RowDisabled(int row) const
{
    const CParameter* flags = Flags();
    const CParameter* flag =
        flags != nullptr && row >= 0 && row < flags->GetElementCount() ? flags->GetElement(row) : nullptr;
    return flag != nullptr && flag->GetBool();
}

BOOL CTableSelectorBehaviorPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    for (int id : {IDC_UPDATE_ON, IDC_OPEN_ON})
        for (const char* name : kUpdateOn)
            static_cast<CComboBox*>(GetDlgItem(id))->AddString(name);
    m_rowNumber.SetInt(1);
    ShowSelectable();
    return TRUE;
}

BOOL CTableSelectorBehaviorPage::OnSetActive()
{
    ShowUpdateOn();
    const CParameter* flags = Flags();
    const int count = flags != nullptr ? flags->GetElementCount() : 0;
    m_rowNumber.SetRange(ParamRange{1, static_cast<double>(std::max(count, 1)), 1});
    m_rowNumber.SetInt(1);
    if (CSpinEdit* row = Spin(IDC_ROW)) {
        // The row number is the page's own: changing it never republishes the component.
        row->BindParameter(&m_rowNumber, nullptr, &m_font, false, false);
        row->EnableWindow(count > 1 ? TRUE : FALSE);
    }
    EnableItems(*this, {IDC_SELECT_ALL, IDC_DESELECT_ALL}, count > 1);
    EnableItems(*this, {IDC_SELECTABLE}, count > 0);
    ShowSelectable();
    FillDefaultSelection();
    return CFieldPage::OnSetActive();
}

void CTableSelectorBehaviorPage::ShowUpdateOn()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_UPDATE_ON));
    if (const CParameter* update = Find("updateOn")) {
        const std::string text = ChoiceText(update);
        if (text.empty() || combo->SelectString(-1, text.c_str()) == CB_ERR)
            combo->SetCurSel(-1);
    }
}

void CTableSelectorBehaviorPage::FillDefaultSelection()
{
    CParameter* select = SelectIndex();
    if (select == nullptr)
        return;
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT));
    combo->ResetContent();
    const int rows = TableRowCount(FindInComponent(GetRootSet(), "dataValues_ary"));
    if (rows > 0 && Flags() != nullptr) {
        char item[32];
        for (int i = 0; i < rows; ++i) {
            if (RowDisabled(i))
                continue;
            std::snprintf(item, sizeof item, "row %d", i + 1);
            const int index = combo->AddString(item);
            if (i == select->GetInt())
                combo->SetCurSel(index);
        }
    }
    combo->EnableWindow(combo->GetCount() > 1 ? TRUE : FALSE);
}

void CTableSelectorBehaviorPage::ShowSelectable()
{
    CheckDlgButton(IDC_SELECTABLE, Flags() != nullptr && Flags()->GetElementCount() > 0 &&
                                           !RowDisabled(m_rowNumber.GetInt() - 1)
                                       ? BST_CHECKED
                                       : BST_UNCHECKED);
}

void CTableSelectorBehaviorPage::OnDefaultSelectionChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT));
    CParameter* select = SelectIndex();
    const int selected = combo->GetCurSel();
    if (select == nullptr || selected < 0)
        return;
    const std::string text = combo->GetLBText(selected);
    if (text.size() <= 4)
        return;
    select->SetInt(std::atoi(text.c_str() + 4) - 1);
    NotifyOwnerChanged();
}

LRESULT CTableSelectorBehaviorPage::OnSpinChanged(WPARAM wParam, LPARAM)
{
    if (static_cast<int>(wParam) != IDC_ROW)
        return 0;
    ShowSelectable();
    return 1;
}

void CTableSelectorBehaviorPage::OnSelectableClicked()
{
    CParameter* flags = Flags();
    const int row = m_rowNumber.GetInt() - 1;
    // A table without flags for this row has nothing to switch.
    if (flags == nullptr || row < 0 || row >= flags->GetElementCount())
        return;
    const bool selectable = IsDlgButtonChecked(IDC_SELECTABLE) == BST_CHECKED;
    flags->GetElement(row)->SetBool(!selectable);
    FillDefaultSelection();
    CParameter* select = SelectIndex();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT));
    if (!selectable && select != nullptr && select->GetInt() == row && combo->GetCount() > 0) {
        select->SetInt(std::atoi(combo->GetLBText(0).c_str() + 4) - 1);
        combo->SetCurSel(0);
    }
    NotifyOwnerChanged();
}

void CTableSelectorBehaviorPage::SetAllRows(bool disabled)
{
    CParameter* flags = Flags();
    if (flags == nullptr)
        return;
    CSpinEdit* row = Spin(IDC_ROW);
    const int last = row != nullptr ? static_cast<int>(row->GetMaximum()) : flags->GetElementCount();
    for (int i = 0; i < last && i < flags->GetElementCount(); ++i)
        flags->GetElement(i)->SetBool(disabled);
    CheckDlgButton(IDC_SELECTABLE, disabled ? BST_UNCHECKED : BST_CHECKED);
    FillDefaultSelection();
    NotifyOwnerChanged();
}

void CTableSelectorBehaviorPage::OnUpdateOnChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_UPDATE_ON));
    CParameter* update = Find("updateOn");
    const int selected = combo->GetCurSel();
    if (update == nullptr || selected < 0)
        return;
    const std::string text = combo->GetLBText(selected);
    if (CValueList* list = update->GetValueList())
        list->GetPrototype().SetString(text);
    else
        update->SetString(text);
    NotifyOwnerChanged();
}

// ---- Appearance ----

DialogTemplate CTableSelectorAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Grid", IDC_GRID_GROUP, 7, 7, 241, 44, kGroupStyle)
        .Add("Button", "Show Grid", IDC_SHOW_GRID, 14, 20, 80, 10, kCheckStyle)
        .Add("Button", "", IDC_GRID_COLOR, 100, 32, 40, 14, kColorStyle)
        .Add("Static", "Grid Color", IDC_GRID_COLOR_LABEL, 14, 35, 80, 8, kLabelStyle)
        .Add("Button", "Table Background", IDC_BACKGROUND_GROUP, 7, 58, 241, 50, kGroupStyle)
        .Add("Button", "", IDC_SELECT_COLOR, 100, 70, 40, 14, kColorStyle)
        .Add("Static", "Selected Fill ", IDC_SELECT_COLOR_LABEL, 14, 73, 80, 8, kLabelStyle | SS_RIGHT)
        .Add("Button", "", IDC_MOUSE_OVER_COLOR, 100, 88, 40, 14, kColorStyle)
        .Add("Static", "Mouse Over Fill", IDC_MOUSE_OVER_COLOR_LABEL, 14, 91, 80, 8, kLabelStyle | SS_RIGHT);
    return t;
}

namespace {

std::vector<ParamField> AppearanceRows()
{
    using Page = CTableSelectorAppearancePage;
    // Without the switch the grid is drawn, so its colour stays usable.
    auto gridShown = [](const CFieldPage& page) {
        const CParameter* show =
            page.FieldSet() != nullptr ? page.FieldSet()->FindParameter("showGrid") : nullptr;
        return show == nullptr || show->GetBool();
    };
    return {
        CheckRow(Page::IDC_SHOW_GRID, "showGrid"),
        EnabledWhen(WithCaptions(ColourRow(Page::IDC_GRID_COLOR, "gridColor"), {Page::IDC_GRID_COLOR_LABEL}),
                    gridShown),
        WithCaptions(ColourRow(Page::IDC_SELECT_COLOR, "selectColor"), {Page::IDC_SELECT_COLOR_LABEL}),
        WithCaptions(ColourRow(Page::IDC_MOUSE_OVER_COLOR, "mouseOverColor"),
                     {Page::IDC_MOUSE_OVER_COLOR_LABEL}),
    };
}

} // namespace

CTableSelectorAppearancePage::CTableSelectorAppearancePage()
    : CFieldPage("Appearance", [](const CFieldPage&) { return MakeTemplate(); }, AppearanceRows(), {})
{
}
