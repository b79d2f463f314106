#include "pages/SelectorGeneralPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/Trace.h"
#include "model/ValueList.h"
#include "pages/HelpMovieDialog.h"
#include "pages/PageKit.h"
#include "pages/SelectorKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"
#include "propui/EditingDialogs.h"

using namespace pages;

namespace {

const char* const kPushLabels[] = {"Off", "On"};
const char* const kCheckLabels[] = {"Unchecked", "Checked"};

constexpr const char* kTwoLabelCells = "Your selection is invalid.  You need to select exactly two cells for this component.";
constexpr const char* kRegionCells =
    "Your selection is invalid. This selection should be limited to a single row or column of no more than 49 cells.";
constexpr const char* kTwoSourceCells =
    "The reference is not valid. Data range selection for this parameter must be two cells.";
constexpr const char* kNoFormulaTargets = "Insert In Selections should not contain cells that have formulas";

// The per-filter state the filter keeps one element of for each filter.
const char* const kFilterArrays[] = {"curIndex", "selectIdx", "firstDisp", "thumbY", "scrollCnt"};

bool IsTwoStateSelector(int type)
{
    return type == kPushButton || type == kCheckBox || type == kAlertButton;
}

// Names the first two elements as the two states of a push button, check box or alert button.
void LabelStates(CParameter* list, int type)
{
    if (!IsTwoStateSelector(type) || !IsElementList(list))
        return;
    const char* const* names = type == kPushButton ? kPushLabels : kCheckLabels;
    for (int i = 0; i < 2 && i < list->GetElementCount(); ++i)
        list->GetElement(i)->SetLabel(names[i]);
}

std::string DialogTitle(const CParameter& parameter)
{
    return parameter.GetLabel().empty() ? parameter.GetName() : parameter.GetLabel();
}

std::string RangeText(const CParameter* parameter)
{
    const CCellBinding* binding = parameter != nullptr ? parameter->GetBinding() : nullptr;
    return binding != nullptr && binding->IsBound() ? binding->GetTexts().GetRangeText() : std::string();
}

} // namespace

BEGIN_MESSAGE_MAP(CSelectorGeneralPage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_OPTION, &CSelectorGeneralPage::OnInsertOptionChanged)
    .Command(IDC_LABELS_EDIT, &CSelectorGeneralPage::OnEditLabels)
    .Command(IDC_LABELS_LINK, &CSelectorGeneralPage::OnLabels)
    .Command(IDC_SOURCE_LINK, &CSelectorGeneralPage::OnSourceDataLink)
    .Command(IDC_SOURCE_VALUES, &CSelectorGeneralPage::OnStatusLabels)
    .Command(IDC_INSERT_IN_LINK, &CSelectorGeneralPage::OnDataValues)
    .Command(IDC_DISPLAY_LINK, &CSelectorGeneralPage::OnInputValues)
    .Command(IDC_HORIZONTAL, &CSelectorGeneralPage::OnHorizontal)
    .Command(IDC_VERTICAL, &CSelectorGeneralPage::OnVertical)
    .Command(IDC_HELP_MOVIE, &CSelectorGeneralPage::OnHelpMovie)
    .Message(WM_SPINEDIT_CHANGED, &CSelectorGeneralPage::OnSpinChanged) END_MESSAGE_MAP()

DialogTemplate CSelectorGeneralPage::MakeTemplate()
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(IDD, "General");
    // The Display Options box holds the display data, the orientation and the filter count in
    // one place: a component has at most one of them.
    t.Add("Button", "Insert Data", IDC_INSERT_GROUP, 7, 7, 241, 64, kGroupStyle)
        .Add("Static", "Insert In:", IDC_INSERT_IN_LABEL, 14, 21, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_INSERT_IN, 76, 19, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_INSERT_IN_LINK, 205, 19, 18, 13, kTab)
        .Add("Static", "Source Data:", IDC_SOURCE_LABEL, 14, 37, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_SOURCE, 76, 35, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_SOURCE_LINK, 205, 35, 18, 13, kTab)
        .Add("Button", "...", IDC_SOURCE_VALUES, 225, 35, 20, 13, kTab)
        .Add("Static", "Insert Option:", IDC_OPTION_LABEL, 14, 54, 60, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_OPTION, 76, 52, 100, 80, kComboStyle)
        .Add("Button", "Titles", IDC_TITLES_GROUP, 7, 76, 241, 48, kGroupStyle)
        .Add("Static", "Title", IDC_TITLE_LABEL, 14, 90, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_TITLE, 76, 88, 126, 13, kEditStyle)
        .Add("Button", "...", IDC_TITLE_LINK, 205, 88, 18, 13, kTab)
        .Add("Static", "Labels", IDC_LABELS_LABEL, 14, 106, 60, 8, kLabelStyle)
        .Add("Edit", "", IDC_LABELS, 76, 104, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_LABELS_LINK, 205, 104, 18, 13, kTab)
        .Add("Button", "...", IDC_LABELS_EDIT, 225, 104, 20, 13, kTab)
        .Add("Button", "Display Options", IDC_DISPLAY_GROUP, 7, 129, 241, 32, kGroupStyle & ~WS_VISIBLE)
        .Add("Edit", "", IDC_DISPLAY_DATA, 76, 142, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_DISPLAY_LINK, 205, 142, 18, 13, kTab)
        .Add("Button", "Horizontal", IDC_HORIZONTAL, 14, 144, 60, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Vertical", IDC_VERTICAL, 90, 144, 60, 10, kRadioStyle)
        .Add("Static", "Number of Filters", IDC_FILTERS_LABEL, 14, 144, 70, 8, kLabelStyle)
        .Add("SpinEdit", "Filters", IDC_FILTERS, 90, 142, 44, 13, kTab)
        .Add("Button", "?", IDC_HELP_MOVIE, 226, 168, 22, 20, kTab);
    return t;
}

namespace {

std::vector<ParamField> Rows()
{
    using Page = CSelectorGeneralPage;
    ParamField title = LinkedRow(Page::IDC_TITLE, Page::IDC_TITLE_LINK, "title");
    title.ids.push_back(Page::IDC_TITLE_LABEL);
    // The source data, the cells inserted in, the labels and the display options follow
    // the source's shape and the insert option: they are the page's own.
    return {
        title,
        OwnRow({Page::IDC_OPTION}, {"retInfo", "playBy"}),
        OwnRow({Page::IDC_SOURCE, Page::IDC_SOURCE_LINK}, {"values", "sourceCells_ary"}),
        OwnRow({Page::IDC_INSERT_IN, Page::IDC_INSERT_IN_LINK}, {"dataValues", "targetCells_ary"}),
        OwnRow({Page::IDC_LABELS, Page::IDC_LABELS_LINK}, {"labels", "labels_ary", "regionNames"}),
        OwnRow({Page::IDC_DISPLAY_DATA, Page::IDC_DISPLAY_LINK}, {"inputValues", "mv"}),
        OwnRow({Page::IDC_HORIZONTAL, Page::IDC_VERTICAL}, {"menuOrientation"}),
        OwnRow({Page::IDC_FILTERS}, {"numFilters"}),
    };
}

} // namespace

CSelectorGeneralPage::CSelectorGeneralPage()
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {})
{
}

CParameterSet* CSelectorGeneralPage::Group() const
{
    return FieldSet();
}

CParameter* CSelectorGeneralPage::InsertOption() const
{
    return FindFirst(Group(), {"retInfo", "playBy"});
}

CParameter* CSelectorGeneralPage::Source() const
{
    return FindFirst(Group(), {"values", "sourceCells_ary"});
}

CParameter* CSelectorGeneralPage::Target() const
{
    return FindFirst(Group(), {"dataValues", "targetCells_ary"});
}

BOOL CSelectorGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    ShowItems(*this, {IDC_DISPLAY_GROUP}, false);
    EnableItems(*this, {IDC_DISPLAY_GROUP}, false);
    ShowOrientation();
    BindFilterCount();
    m_type = SelectorTypeOf(GetOwnerComponentType());
    return TRUE;
}

BOOL CSelectorGeneralPage::OnSetActive()
{
    ShowTitle();
    ShowLabels();
    if (!BindComboBox("retInfo", IDC_OPTION, false)) {
        CParameter* playBy = Group()->FindParameter("playBy");
        if (playBy != nullptr && playBy->GetValueList() != nullptr) {
            BindComboBox("playBy", IDC_OPTION, false);
        } else if (playBy != nullptr && model::IsStringType(playBy->GetType())) {
            // A plain text option shows as the one item it is.
            auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_OPTION));
            combo->ResetContent();
            combo->AddString(playBy->GetString().c_str());
            combo->SetCurSel(0);
            combo->EnableWindow(FALSE);
        } else {
            EnableItems(*this, {IDC_OPTION}, false);
        }
    }
    // Showing the tab only reads: the option is written when the user chooses one.
    UpdateInsertOptionLayout(false);
    ShowSourceData();
    ShowInsertIn();
    ShowDisplayData();
    return CFieldPage::OnSetActive();
}

void CSelectorGeneralPage::ShowTitle()
{
    // The title's row shows and switches it; a title named "Label" renames its captions.
    CParameter* title = Group()->FindParameter("title");
    if (title == nullptr || title->GetBinding() == nullptr)
        return;
    if (title->GetLabel() == "Label") {
        SetDlgItemText(IDC_TITLE_LABEL, "Label");
        SetDlgItemText(IDC_TITLES_GROUP, "Label");
    }
}

void CSelectorGeneralPage::ShowLabels()
{
    CParameter* labels = FindLabels(Group());
    if (labels == nullptr) {
        EnableItems(*this, {IDC_LABELS, IDC_LABELS_LABEL, IDC_LABELS_LINK, IDC_LABELS_EDIT}, false);
        if (GetDlgItem(IDC_TITLE_LABEL)->IsWindowEnabled() == FALSE)
            EnableItems(*this, {IDC_TITLES_GROUP}, false);
        if (GetDlgItemText(IDC_TITLE_LABEL).substr(0, 127) == "Label")
            ShowItems(*this, {IDC_LABELS, IDC_LABELS_LABEL, IDC_LABELS_LINK, IDC_LABELS_EDIT}, false);
        return;
    }
    if (labels->GetName() == "regionNames")
        SetDlgItemText(IDC_LABELS_LABEL, "Regions");
    if (!labels->GetLabel().empty())
        SetDlgItemText(IDC_LABELS_LABEL, labels->GetLabel());
    SetDlgItemText(IDC_LABELS, RangeText(labels));
    // Region names that are not linked to cells can only be typed.
    EnableItems(*this, {IDC_LABELS_LINK}, labels->GetBinding() != nullptr);
}

void CSelectorGeneralPage::ShowOrientation()
{
    CParameter* orientation = Group()->FindParameter("menuOrientation");
    if (orientation == nullptr) {
        ShowItems(*this, {IDC_HORIZONTAL, IDC_VERTICAL}, false);
        EnableItems(*this, {IDC_HORIZONTAL, IDC_VERTICAL}, false);
        return;
    }
    ShowDisplayOptions("Orientation");
    const std::string text = ChoiceText(orientation);
    CheckDlgButton(IDC_HORIZONTAL, text == "horizontal" ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VERTICAL, text == "vertical" ? BST_CHECKED : BST_UNCHECKED);
}

void CSelectorGeneralPage::BindFilterCount()
{
    auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_FILTERS));
    CParameter* count = Group()->FindParameter("numFilters");
    if (count == nullptr || spin == nullptr) {
        ShowItems(*this, {IDC_FILTERS_LABEL, IDC_FILTERS}, false);
        EnableItems(*this, {IDC_FILTERS_LABEL, IDC_FILTERS}, false);
        return;
    }
    spin->BindParameter(count, [this] { NotifyOwnerChanged(); }, GetDialogFont(), true, false);
    ShowDisplayOptions("Display Options");
}

void CSelectorGeneralPage::ShowDisplayOptions(const char* caption)
{
    ShowItems(*this, {IDC_DISPLAY_GROUP}, true);
    EnableItems(*this, {IDC_DISPLAY_GROUP}, true);
    SetDlgItemText(IDC_DISPLAY_GROUP, caption);
}

void CSelectorGeneralPage::ShowSourceData()
{
    CParameter* source = Source();
    if (source == nullptr) {
        ShowItems(*this, {IDC_SOURCE, IDC_SOURCE_LABEL, IDC_SOURCE_LINK, IDC_SOURCE_VALUES}, false);
        return;
    }
    if (!source->IsEnabled()) {
        ShowItems(*this, {IDC_SOURCE_VALUES}, false);
        EnableItems(*this, {IDC_SOURCE_VALUES}, false);
    }
    SetDlgItemText(IDC_SOURCE, RangeText(source));
}

void CSelectorGeneralPage::ShowInsertIn()
{
    CParameter* target = Target();
    if (target == nullptr) {
        EnableItems(*this, {IDC_INSERT_IN, IDC_INSERT_IN_LABEL, IDC_INSERT_IN_LINK}, false);
        return;
    }
    SetDlgItemText(IDC_INSERT_IN, RangeText(target));
}

void CSelectorGeneralPage::ShowDisplayData()
{
    CParameter* display = FindFirst(Group(), {"inputValues", "mv"});
    if (display == nullptr) {
        ShowItems(*this, {IDC_DISPLAY_DATA, IDC_DISPLAY_LINK}, false);
        EnableItems(*this, {IDC_DISPLAY_DATA, IDC_DISPLAY_LINK}, false);
        return;
    }
    ShowDisplayOptions("Display Data");
    SetDlgItemText(IDC_DISPLAY_DATA, RangeText(display));
}

void CSelectorGeneralPage::UpdateInsertOptionLayout(bool repaint)
{
    CParameter* option = InsertOption();
    if (option == nullptr)
        return;
    const std::string text = ChoiceText(option);
    // A map's source data are the regions it colours, whatever it inserts: without the row they
    // could not be linked.
    const bool map = Group()->FindParameter("regionNames") != nullptr;
    const bool sourceRow = Source() != nullptr && (map || !(text == "position" || text == "label" ||
                                                            text == "status list" || text == "region"));
    ShowItems(*this, {IDC_SOURCE, IDC_SOURCE_LABEL, IDC_SOURCE_LINK}, sourceRow);
    bool values = sourceRow;
    if (text == "rows" || text == "columns")
        values = false;
    else if (text == "value")
        values = option->GetValueList() != nullptr && option->GetValueList()->GetCount() == 1 && sourceRow;
    CParameter* source = Source();
    const bool sourceEnabled = source != nullptr && source->IsEnabled();
    ShowItems(*this, {IDC_SOURCE_VALUES}, values && sourceEnabled);
    EnableItems(*this, {IDC_SOURCE_VALUES}, values && sourceEnabled);
    if (repaint)
        Invalidate(TRUE);
}

void CSelectorGeneralPage::OnInsertOptionChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_OPTION));
    CParameter* option = InsertOption();
    if (option == nullptr || combo->GetCurSel() < 0)
        return;
    const std::string before = ChoiceText(option);
    const std::string chosen = combo->GetLBText(combo->GetCurSel());
    StoreChoiceText(option, chosen);
    // A play selector plays by rows or by columns: another unit makes the old default
    // selection meaningless.
    if (option->GetName() == "playBy" && chosen != before)
        if (CParameter* index = FindSelectIndex(GetRootSet()))
            index->SetInt(0, false);
    UpdateInsertOptionLayout(true);
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::KeepSelectionInRange(int count)
{
    CParameter* index = FindSelectIndex(GetRootSet());
    if (index != nullptr && index->GetInt() >= count)
        index->SetInt(0, false);
}

void CSelectorGeneralPage::KeepRegionAfterRelink()
{
    CParameter* region = FindInComponent(GetRootSet(), "selectedRegion");
    CParameter* names = ValueOf(Group()->FindParameter("regionNames"));
    CParameter* values = ValueOf(Group()->FindParameter("values"));
    if (region == nullptr || !model::IsStringType(region->GetType()) || !IsElementList(names) || !IsElementList(values))
        return;
    const bool byRows = ChoiceText(FindInComponent(GetRootSet(), "retInfo")) == "rows";
    const std::string current = WithoutBlanks(region->GetString());
    std::string first;
    bool found = false;
    // Source order decides which region becomes the default when the stored one is gone.
    for (const CParameter* entry : SourceEntries(values, byRows)) {
        const std::string code = entry->GetValueText();
        for (int i = 0; i < names->GetElementCount(); ++i) {
            const CParameter* name = names->GetElement(i);
            if (name->GetValueText() != code)
                continue;
            const std::string label = WithoutBlanks(RegionLabel(*name).substr(0, 127));
            if (label == current)
                return;
            if (!found) {
                first = label;
                found = true;
            }
        }
    }
    if (found)
        region->SetString(first, false);
}

void CSelectorGeneralPage::OnLabels()
{
    CParameter* labels = FindLabels(Group());
    CRangeCheck check;
    const CRangeCheck* rules = nullptr;
    if (m_type == kPushButton) {
        check = {false, CRangeCheck::kExactCells, 2, kTwoLabelCells};
        rules = &check;
    } else if (labels != nullptr && labels->GetName() == "regionNames") {
        check = {false, CRangeCheck::kSingleLine | CRangeCheck::kMaxCells, 49, kRegionCells};
        rules = &check;
    }
    if (!PickCells(*this, labels, IDC_LABELS, nullptr, rules))
        return;
    SetDlgItemText(IDC_LABELS, RangeText(labels));
    if (IsElementList(ValueOf(labels)))
        KeepSelectionInRange(ElementCount(labels));
    KeepRegionAfterRelink();
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::OnSourceDataLink()
{
    CParameter* source = Source();
    CRangeCheck check;
    const CRangeCheck* rules = nullptr;
    CParameter* option = Group()->FindParameter("retInfo");
    if (option != nullptr && option->GetValueList() != nullptr && ChoiceText(option) == "value") {
        if (IsTwoStateSelector(m_type))
            check = {false, CRangeCheck::kExactCells, 2, kTwoSourceCells};
        else
            check = {false, CRangeCheck::kSingleLine, 0, CComponentPage::kSingleLineText};
        rules = &check;
    }
    if (!PickCells(*this, source, IDC_SOURCE, nullptr, rules))
        return;
    SetDlgItemText(IDC_SOURCE, RangeText(source));
    CParameter* index = FindSelectIndex(GetRootSet());
    const CParameter* value = ValueOf(source);
    if (m_type == kPlaySelector && index != nullptr && IsElementList(value)) {
        int limit = value->GetElementCount();
        if (ChoiceText(Group()->FindParameter("playBy")) == "column" && limit > 0 && IsElementList(value->GetElement(0)))
            limit = value->GetElement(0)->GetElementCount();
        if (index->GetInt() >= limit)
            index->SetInt(0, false);
    }
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::OnDataValues()
{
    CParameter* target = Target();
    const CRangeCheck check{true, CRangeCheck::kNoFormulas, 0, kNoFormulaTargets};
    if (!PickCells(*this, target, IDC_INSERT_IN, nullptr, &check))
        return;
    SetDlgItemText(IDC_INSERT_IN, RangeText(target));
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::OnInputValues()
{
    CParameter* display = FindFirst(Group(), {"inputValues", "mv"});
    if (!PickCells(*this, display, IDC_DISPLAY_DATA, nullptr, nullptr))
        return;
    SetDlgItemText(IDC_DISPLAY_DATA, RangeText(display));
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::OnEditLabels()
{
    CParameter* labels = FindLabels(Group());
    CParameter* edited = ValueOf(labels);
    if (edited == nullptr)
        return;
    LabelStates(edited, m_type);
    CArrayDlg dialog(this);
    dialog.SetContext(GetContext());
    // Rows are fixed when the labels cannot be changed; otherwise the dialog keeps at least one.
    const bool fixed = edited->GetType() != model::ParamType::Group && !labels->IsEnabled();
    dialog.SetParameter(edited, DialogTitle(*labels), fixed, GetOwner());
    if (m_type == kFilter)
        dialog.SetColumnTitles("Filter Number", "Filter Title");
    else
        dialog.SetColumnTitles("Label", "Label Name");
    dialog.EnforceBounds(true);
    // A filter has one title per filter at most; other labels keep within their range record.
    if (m_type == kFilter) {
        if (const CParameter* count = Group()->FindParameter("numFilters"))
            dialog.SetRowLimits(1, count->GetInt());
    } else if (const auto& range = labels->GetRange(); range.has_value() && !fixed) {
        dialog.SetRowLimits(static_cast<int>(range->minimum), static_cast<int>(range->maximum));
    }
    if (dialog.DoModal() != IDOK)
        return;
    SetDlgItemText(IDC_LABELS, "");
    Unlink(labels);
    if (IsElementList(edited))
        KeepSelectionInRange(edited->GetElementCount());
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::OnStatusLabels()
{
    CParameter* source = Source();
    if (source == nullptr)
        return;
    // The values typed here replace what the cells held: the link goes first, whatever the
    // user then decides.
    Unlink(source);
    CParameter* edited = ValueOf(source);
    LabelStates(edited, m_type);
    CArrayDlg dialog(this);
    dialog.SetContext(GetContext());
    const bool fixed = IsTwoStateSelector(m_type) && edited->GetType() != model::ParamType::Group;
    dialog.SetParameter(edited, DialogTitle(*source), fixed, GetOwner());
    if (IsTwoStateSelector(m_type))
        dialog.SetColumnTitles("Status", "Status Value");
    dialog.EnforceBounds(true);
    const bool ok = dialog.DoModal() == IDOK;
    // The source is no longer linked even after Cancel, so the edit and the stage must say so.
    SetDlgItemText(IDC_SOURCE, "");
    if (ok)
        Unlink(source);
    NotifyOwnerChanged();
}

void CSelectorGeneralPage::SetOrientation(const char* text)
{
    if (StoreChoiceText(Group()->FindParameter("menuOrientation"), text))
        NotifyOwnerChanged();
}

void CSelectorGeneralPage::ResetFilterArrays(int count)
{
    for (const char* key : kFilterArrays) {
        CParameter* array = Group()->FindParameter(key);
        if (array == nullptr)
            array = FindInComponent(GetRootSet(), key);
        if (array == nullptr || array->GetSet() == nullptr || array->GetType() != model::ParamType::List)
            continue;
        const CParameter* element = array->GetGroupTemplate();
        // An array that never held an element has no template to copy: it stays as it is.
        if (element == nullptr) {
            Trace("selector page: %s has no element template and keeps its elements", key);
            continue;
        }
        const CParameter copy(*element);
        array->ClearElements();
        for (int i = 0; i < count; ++i)
            array->InsertElementCopy(copy, i);
    }
}

LRESULT CSelectorGeneralPage::OnSpinChanged(WPARAM wParam, LPARAM)
{
    if (static_cast<int>(wParam) != IDC_FILTERS)
        return 0;
    CParameter* count = Group()->FindParameter("numFilters");
    if (count == nullptr)
        return 0;
    const int filters = count->GetInt();
    CParameter* labels = Group()->FindParameter("labels");
    CParameter* titles = ValueOf(labels);
    if (labels != nullptr && (labels->GetBinding() == nullptr || !labels->GetBinding()->IsBound()) && IsElementList(titles))
        while (titles->GetElementCount() > filters && titles->GetElementCount() > 0)
            titles->RemoveElementAt(titles->GetElementCount() - 1);
    ResetFilterArrays(filters);
    return 1;
}

void CSelectorGeneralPage::OnHelpMovie()
{
    CHelpMovieDialog help(this);
    help.SetComponent(GetRootSet(), GetOwnerComponentType());
    help.DoModal();
}

int CSelectorGeneralPage::GetHelpContextId()
{
    if (m_type < 0)
        return -1;
    static const int kTopics[10][5] = {
        {700, 710, 705, -1, -1},  {750, 760, 755, -1, -1},  {600, 610, 605, 615, -1}, {420, 430, 425, -1, -1},
        {450, 460, 455, -1, -1},  {650, 660, 655, -1, -1},  {525, 545, 530, 550, -1}, {950, 960, 955, -1, 965},
        {500, -1, 505, -1, -1},   {1000, 1010, 1005, -1, 1015},
    };
    int column = 0;
    switch (GetFocusedPageControlId()) {
    case IDC_FILTERS:
        return 465;
    case IDC_TITLE:
    case IDC_TITLE_LINK:
    case IDC_LABELS:
    case IDC_LABELS_LINK:
    case IDC_LABELS_EDIT:
        column = 1;
        break;
    case IDC_INSERT_IN:
    case IDC_INSERT_IN_LINK:
    case IDC_SOURCE:
    case IDC_SOURCE_LINK:
    case IDC_SOURCE_VALUES:
    case IDC_OPTION:
        column = 2;
        break;
    case IDC_HORIZONTAL:
    case IDC_VERTICAL:
        column = 3;
        break;
    case IDC_DISPLAY_LINK:
        column = 4;
        break;
    default:
        break;
    }
    return kTopics[m_type][column];
}
