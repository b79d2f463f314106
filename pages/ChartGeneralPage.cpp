#include "pages/ChartGeneralPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "pages/ChartPageKit.h"
#include "pages/PageKit.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBox.h"

#include <algorithm>
#include <exception>

using namespace pages;

namespace {

std::string RangeText(const CCellBinding& binding)
{
    return binding.IsBound() ? binding.GetTexts().GetRangeText() : std::string();
}

} // namespace

BEGIN_MESSAGE_MAP(CChartGeneralPage, CFieldPage)
    .Command(IDC_MODE_RANGE, &CChartGeneralPage::OnDataRangeMode)
    .Command(IDC_MODE_SERIES, &CChartGeneralPage::OnSeriesMode)
    .Command(IDC_ROWS, &CChartGeneralPage::OnRows)
    .Command(IDC_COLUMNS, &CChartGeneralPage::OnColumns)
    .Command(IDC_RANGE_LINK, &CChartGeneralPage::OnDataRangeLink)
    .Control(LBN_SELCHANGE, IDC_SERIES_LIST, &CChartGeneralPage::OnSeriesSelChange)
    .Command(IDC_ADD, &CChartGeneralPage::OnAdd)
    .Command(IDC_REMOVE, &CChartGeneralPage::OnRemove)
    .Command(IDC_NAME_LINK, &CChartGeneralPage::OnNameLink)
    .Command(IDC_VALUES_LINK, &CChartGeneralPage::OnValuesLink)
    .Command(IDC_YVALUES_LINK, &CChartGeneralPage::OnYValuesLink)
    .Command(IDC_SIZES_LINK, &CChartGeneralPage::OnSizesLink)
    .Command(IDC_CATEGORY_LINK, &CChartGeneralPage::OnCategoryLink)
    .Message(WM_INPLACE_NOTIFY, &CChartGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CChartGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    auto row = [&t](int y, const char* label, int labelId, int editId, int linkId, int labelX, int labelW, int editX,
                    DWORD editStyle) {
        t.Add("Static", label, labelId, labelX, y + 2, labelW, 8, kLabelStyle)
            .Add("Edit", "", editId, editX, y, 232 - editX, 12, editStyle)
            .Add("Button", "...", linkId, 234, y, 16, 12, kTab);
    };
    t.Add("Button", "Titles", IDC_TITLES_GROUP, 2, 0, 252, 64, kGroupStyle);
    row(10, "Chart title:", IDC_TITLE_LABEL, IDC_TITLE, IDC_TITLE_LINK, 8, 102, 110, kEditStyle);
    row(23, "Chart subtitle:", IDC_SUBTITLE_LABEL, IDC_SUBTITLE, IDC_SUBTITLE_LINK, 8, 102, 110, kEditStyle);
    row(36, "Category (X) axis title:", IDC_XTITLE_LABEL, IDC_XTITLE, IDC_XTITLE_LINK, 8, 102, 110, kEditStyle);
    row(49, "Value (Y) axis title:", IDC_YTITLE_LABEL, IDC_YTITLE, IDC_YTITLE_LINK, 8, 102, 110, kEditStyle);
    t.Add("Button", "Data Range", IDC_MODE_RANGE, 4, 67, 80, 10, kRadioStyle | WS_GROUP);
    row(78, "Data Range:", IDC_RANGE_LABEL, IDC_RANGE, IDC_RANGE_LINK, 16, 56, 74, kRangeStyle);
    t.Add("Static", "Series in:", IDC_SERIES_IN, 16, 93, 56, 8, kLabelStyle)
        .Add("Button", "Rows", IDC_ROWS, 74, 92, 50, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Columns", IDC_COLUMNS, 128, 92, 60, 10, kRadioStyle)
        .Add("Button", "Series", IDC_MODE_SERIES, 4, 105, 80, 10, kRadioStyle | WS_GROUP)
        .Add("Static", "Series", IDC_SERIES_LABEL, 16, 117, 60, 8, kLabelStyle)
        .Add("ListBox", "", IDC_SERIES_LIST, 16, 126, 74, 42, kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY)
        .Add("Button", "Add", IDC_ADD, 16, 170, 35, 12, kTab)
        .Add("Button", "Remove", IDC_REMOVE, 55, 170, 35, 12, kTab);
    row(116, "Name:", IDC_NAME_LABEL, IDC_NAME, IDC_NAME_LINK, 96, 42, 140, kEditStyle);
    row(130, "X Values:", IDC_VALUES_LABEL, IDC_VALUES, IDC_VALUES_LINK, 96, 42, 140, kRangeStyle);
    row(144, "Y Values:", IDC_YVALUES_LABEL, IDC_YVALUES, IDC_YVALUES_LINK, 96, 42, 140, kRangeStyle);
    row(158, "Sizes:", IDC_SIZES_LABEL, IDC_SIZES, IDC_SIZES_LINK, 96, 42, 140, kRangeStyle);
    row(186, "Category Axis Labels :", IDC_CATEGORY_LABEL, IDC_CATEGORY, IDC_CATEGORY_LINK, 16, 92, 110, kRangeStyle);
    return t;
}

namespace {

// One topic per chart type of the General order, for the titles, the data range, the series and
// everything else.
const int kTitlesHelp[9] = {2030, 2080, 2180, 2130, 2235, 2285, 2410, 2478, 2536};
const int kRangeHelp[9] = {2020, 2070, 2170, 2120, 2225, 2275, 2400, 2474, 2534};
const int kSeriesHelp[9] = {2025, 2075, 2175, 2125, 2230, 2280, 2405, 2476, 2535};
const int kOtherHelp[9] = {2015, 2065, 2165, 2115, 2220, 2270, 2395, 2472, 2532};

CFieldPage::HelpTopic ChartHelp(const int (&table)[9])
{
    return [&table](const CFieldPage& page) {
        return ChartTopic(table, static_cast<const CChartGeneralPage&>(page).GetChartIndex());
    };
}

// The titles are typed or linked to cells wherever the chart keeps them; a pie has no axes, so
// its axis titles stay empty and read-only.
ParamField TitleRow(int editId, int linkId, const char* key, bool axis)
{
    ParamField row = LinkedRow(editId, linkId, key);
    row.scope = FieldScope::Component;
    row.help = ChartHelp(kTitlesHelp);
    if (axis)
        row = PresentWhen(std::move(row), [](const CFieldPage& page) {
            return static_cast<const CChartGeneralPage&>(page).Data().GetKind() != CChartData::kPie;
        });
    return row;
}

ParamField WithChartHelp(ParamField row, const int (&table)[9])
{
    row.scope = FieldScope::Component;
    row.help = ChartHelp(table);
    return row;
}

// The row taking part only for the kinds of chart data that hold its key, as the chart data
// reads them: series names for all but a pie, category labels for a pie and the category charts.
ParamField ForKinds(ParamField row, std::vector<int> kinds)
{
    return PresentWhen(std::move(row), [kinds = std::move(kinds)](const CFieldPage& page) {
        const int kind = static_cast<const CChartGeneralPage&>(page).Data().GetKind();
        return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
    });
}

std::vector<ParamField> Rows()
{
    using Page = CChartGeneralPage;
    const std::vector<int> range = {Page::IDC_MODE_RANGE, Page::IDC_RANGE, Page::IDC_ROWS, Page::IDC_COLUMNS};
    const std::vector<int> series = {Page::IDC_MODE_SERIES,  Page::IDC_SERIES_LIST, Page::IDC_ADD,
                                     Page::IDC_REMOVE,       Page::IDC_NAME,        Page::IDC_NAME_LINK,
                                     Page::IDC_VALUES,       Page::IDC_VALUES_LINK, Page::IDC_YVALUES,
                                     Page::IDC_YVALUES_LINK, Page::IDC_SIZES,       Page::IDC_SIZES_LINK,
                                     Page::IDC_CATEGORY};
    return {
        TitleRow(Page::IDC_TITLE, Page::IDC_TITLE_LINK, "chartTitle", false),
        TitleRow(Page::IDC_SUBTITLE, Page::IDC_SUBTITLE_LINK, "chartSubTitle", false),
        TitleRow(Page::IDC_XTITLE, Page::IDC_XTITLE_LINK, "XAxisTitle", true),
        TitleRow(Page::IDC_YTITLE, Page::IDC_YTITLE_LINK, "YAxisTitle", true),
        // The data range and the series are the chart data's: the page only works them.
        WithChartHelp(OwnRow(range, {"dataValues"}), kRangeHelp),
        ForKinds(WithChartHelp(OwnRow(series, {"seriesNames"}), kSeriesHelp),
                 {CChartData::kCategory, CChartData::kXY, CChartData::kBubble}),
        ForKinds(WithChartHelp(OwnRow({Page::IDC_CATEGORY_LINK}, {"categoryLabels"}), kOtherHelp),
                 {CChartData::kPie, CChartData::kCategory}),
    };
}

} // namespace

CChartGeneralPage::CChartGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), ChartHelp(kOtherHelp))
{
}

CChartGeneralPage::~CChartGeneralPage()
{
    // A page that never opened never read the state: writing its defaults would lose the
    // user's orientation and series counter.
    if (!m_stateLoaded)
        return;
    CPropertyMap* map = GetOwnerPropertyMap();
    WriteStateInt(map, "Series or Range", m_mode);
    WriteStateInt(map, "Series Index", m_data.GetNextSeriesNumber());
    WriteStateInt(map, "Row or Column", m_data.GetOrientation());
    WriteStateFlag(map, "Enable Heuristic", m_data.GetOrientationHeuristic());
    WriteStateFlag(map, "Enable Legend Heuristic", m_data.GetLegendHeuristic());
}

BOOL CChartGeneralPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                               CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    m_data.SetChartType(group, root);
    m_chartIndex = GeneralChartIndex(ChartTypeOf(root));
    return TRUE;
}

CListBox& CChartGeneralPage::List()
{
    return *static_cast<CListBox*>(GetDlgItem(IDC_SERIES_LIST));
}

CChartSeries* CChartGeneralPage::Selected()
{
    const int selected = List().GetCurSel();
    return selected >= 0 ? m_data.GetSeries(static_cast<int>(List().GetItemData(selected))) : nullptr;
}

bool CChartGeneralPage::CategoryLinkable() const
{
    return m_data.GetKind() == CChartData::kPie || m_data.GetKind() == CChartData::kCategory;
}

BOOL CChartGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    if (m_data.GetKind() == CChartData::kPie) {
        for (int edit : {IDC_XTITLE, IDC_YTITLE}) {
            static_cast<CEdit*>(GetDlgItem(edit))->SetReadOnly(TRUE);
            EnableItems(*this, {edit - 1, edit + 1}, false);
        }
    }
    ReplaceControl(m_name, IDC_NAME, GetDialogFont());

    const std::string type = m_data.GetChartType();
    if (type == "bar") {
        SetDlgItemText(IDC_XTITLE_LABEL, "Value (X) Axis:");
        SetDlgItemText(IDC_YTITLE_LABEL, "Category (Y) Axis:");
    } else if (m_data.GetKind() == CChartData::kXY || m_data.GetKind() == CChartData::kBubble) {
        SetDlgItemText(IDC_XTITLE_LABEL, "Value (X) Axis:");
        SetDlgItemText(IDC_YTITLE_LABEL, "Value (Y) Axis:");
    }
    const bool yValues = m_data.GetKind() == CChartData::kXY || m_data.GetKind() == CChartData::kBubble;
    // Only charts with a Y row have X values; the others have values alone.
    if (!yValues)
        SetDlgItemText(IDC_VALUES_LABEL, "Values:");
    ShowItems(*this, {IDC_YVALUES_LABEL, IDC_YVALUES, IDC_YVALUES_LINK}, yValues);
    ShowItems(*this, {IDC_SIZES_LABEL, IDC_SIZES, IDC_SIZES_LINK}, m_data.GetKind() == CChartData::kBubble);

    const CPropertyMap* map = GetOwnerPropertyMap();
    int mode = 0;
    ReadStateInt(map, "Series or Range", mode);
    m_stateLoaded = true;
    if (mode == 1)
        OnSeriesMode();
    else
        OnDataRangeMode();

    int orientation = CChartData::kUndecided;
    ReadStateInt(map, "Row or Column", orientation);
    m_data.SetOrientation(orientation == 1 || orientation == 2 ? orientation : CChartData::kUndecided);
    bool heuristic = true;
    ReadStateFlag(map, "Enable Heuristic", heuristic);
    m_data.SetOrientationHeuristic(heuristic);
    bool legend = true;
    ReadStateFlag(map, "Enable Legend Heuristic", legend);
    m_data.SetLegendHeuristic(legend);
    int next = 1;
    ReadStateInt(map, "Series Index", next);
    m_data.SetNextSeriesNumber(next);
    m_data.Reload();
    CheckOrientation();
    RefillSeries();
    RefreshRangeTexts();
    ApplyAlertsRule();
    return TRUE;
}

void CChartGeneralPage::ApplyAlertsRule()
{
    CParameter* alerts = FindInComponent(GetRootSet(), "alertsEnabled");
    if (alerts == nullptr)
        return;
    const bool before = alerts->GetBool();
    const int count = m_data.GetSeriesCount();
    if (m_data.GetChartType() == "combo") {
        if (count == 1) {
            alerts->SetBool(false);
            alerts->SetEnabled(true);
        } else {
            alerts->SetEnabled(false);
        }
    } else if (count > 1) {
        alerts->SetBool(false);
        alerts->SetEnabled(false);
    } else {
        alerts->SetEnabled(true);
    }
    // Switching alerts off changes what the chart shows: the stage and the document must know.
    if (before != alerts->GetBool())
        NotifyOwnerChanged();
}

void CChartGeneralPage::ApplyMode(int mode)
{
    m_mode = mode;
    const bool range = mode == 0;
    EnableItems(*this, {IDC_RANGE_LABEL, IDC_RANGE_LINK, IDC_SERIES_IN, IDC_ROWS, IDC_COLUMNS}, range);
    EnableItems(*this, {IDC_SERIES_LIST, IDC_ADD, IDC_REMOVE, IDC_SERIES_LABEL}, !range);
    // The read-only range edits only ever show text.
    EnableItems(*this, {IDC_RANGE, IDC_VALUES, IDC_YVALUES, IDC_SIZES, IDC_CATEGORY}, false);
    EnableItems(*this, {IDC_CATEGORY_LABEL}, !range);
    EnableItems(*this, {IDC_CATEGORY_LINK}, !range && CategoryLinkable());
    if (range) {
        m_name.EnableWindow(FALSE);
        EnableItems(*this, {IDC_NAME_LABEL, IDC_NAME_LINK, IDC_VALUES_LABEL, IDC_VALUES_LINK, IDC_YVALUES_LABEL,
                            IDC_YVALUES_LINK, IDC_SIZES_LABEL, IDC_SIZES_LINK},
                    false);
    }
}

void CChartGeneralPage::OnDataRangeMode()
{
    CheckDlgButton(IDC_MODE_RANGE, BST_CHECKED);
    CheckDlgButton(IDC_MODE_SERIES, BST_UNCHECKED);
    ApplyMode(0);
}

void CChartGeneralPage::OnSeriesMode()
{
    CheckDlgButton(IDC_MODE_SERIES, BST_CHECKED);
    CheckDlgButton(IDC_MODE_RANGE, BST_UNCHECKED);
    ApplyMode(1);
    if (List().GetCurSel() < 0 && List().GetCount() > 0)
        List().SetCurSel(0);
    ShowSelection();
}

void CChartGeneralPage::RefillSeries()
{
    CListBox& list = List();
    const int previous = list.GetCurSel();
    list.ResetContent();
    for (int i = 0; i < m_data.GetSeriesCount(); ++i) {
        const int item = list.AddString(m_data.GetSeries(i)->GetName().c_str());
        list.SetItemData(item, static_cast<std::uintptr_t>(i));
    }
    if (previous >= 0 && previous < list.GetCount()) {
        list.SetCurSel(previous);
    } else if (previous < 0 && list.GetCount() > 0) {
        list.SetCurSel(0);
        OnSeriesMode();
    }
    CParameter* labels = m_data.GetParameter("categoryLabels");
    SetDlgItemText(IDC_CATEGORY,
                   labels != nullptr && labels->GetBinding() != nullptr ? RangeText(*labels->GetBinding()) : "");
}

void CChartGeneralPage::ShowSelection()
{
    CChartSeries* series = Selected();
    const bool on = series != nullptr && m_mode == 1;
    if (series != nullptr) {
        const std::string name =
            series->GetNameBinding().IsBound() ? RangeText(series->GetNameBinding()) : series->GetName();
        m_name.SetWindowText(name);
        m_name.SetBaseline(name);
        SetDlgItemText(IDC_VALUES, RangeText(series->GetValues()));
        SetDlgItemText(IDC_YVALUES, RangeText(series->GetYValues()));
        SetDlgItemText(IDC_SIZES, RangeText(series->GetSizes()));
    } else {
        m_name.SetWindowText("");
        m_name.SetBaseline("");
        for (int id : {IDC_VALUES, IDC_YVALUES, IDC_SIZES})
            SetDlgItemText(id, "");
    }
    m_name.EnableWindow(on ? TRUE : FALSE);
    EnableItems(*this, {IDC_NAME_LABEL, IDC_NAME_LINK, IDC_VALUES_LABEL, IDC_VALUES_LINK, IDC_YVALUES_LABEL,
                        IDC_YVALUES_LINK, IDC_SIZES_LABEL, IDC_SIZES_LINK},
                on);
    EnableItems(*this, {IDC_CATEGORY_LINK}, m_mode == 1 && CategoryLinkable());
}

void CChartGeneralPage::RefreshRangeTexts()
{
    SetDlgItemText(IDC_RANGE, RangeText(m_data.GetDataRange()));
    CParameter* labels = m_data.GetParameter("categoryLabels");
    SetDlgItemText(IDC_CATEGORY,
                   labels != nullptr && labels->GetBinding() != nullptr ? RangeText(*labels->GetBinding()) : "");
    if (Selected() != nullptr)
        ShowSelection();
}

void CChartGeneralPage::CheckOrientation()
{
    CheckDlgButton(IDC_ROWS, m_data.GetOrientation() == CChartData::kSeriesInRows ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_COLUMNS, m_data.GetOrientation() == CChartData::kSeriesInColumns ? BST_CHECKED : BST_UNCHECKED);
}

void CChartGeneralPage::UpdateParameters()
{
    try {
        m_data.UpdateParameters();
    } catch (const std::exception&) {
        ShowMessageBox(GetContext() != nullptr ? GetContext()->mainWindow : nullptr, kModelErrorText, "Error",
                       MB_OK | MB_ICONERROR);
    }
}

void CChartGeneralPage::OnDataRangeLink()
{
    CRangeCheck check;
    check.askToContinue = true;
    check.checks = CRangeCheck::kMaxCells;
    check.limit = 256;
    check.message = kTipText;
    if (SelectRange(&m_data.GetDataRange(), IDC_RANGE, nullptr, false, &check)) {
        m_data.RebuildFromRange(true);
        m_data.BuildSeries();
        UpdateParameters();
        RefreshRangeTexts();
        CheckOrientation();
        RefillSeries();
        NotifyOwnerChanged();
    }
    // Once the user chose a range, the legend is theirs to switch.
    m_data.SetLegendHeuristic(false);
}

void CChartGeneralPage::SetOrientation(int orientation)
{
    CheckDlgButton(IDC_ROWS, orientation == CChartData::kSeriesInRows ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_COLUMNS, orientation == CChartData::kSeriesInColumns ? BST_CHECKED : BST_UNCHECKED);
    m_data.SetOrientation(orientation);
    m_data.SetOrientationHeuristic(false);
    if (!m_data.GetDataRange().IsBound())
        return;
    m_data.RebuildFromRange(false);
    m_data.BuildSeries();
    UpdateParameters();
    RefreshRangeTexts();
    RefillSeries();
    NotifyOwnerChanged();
}

void CChartGeneralPage::OnRows()
{
    SetOrientation(CChartData::kSeriesInRows);
}

void CChartGeneralPage::OnColumns()
{
    SetOrientation(CChartData::kSeriesInColumns);
}

void CChartGeneralPage::OnSeriesSelChange()
{
    ShowSelection();
}

void CChartGeneralPage::OnAdd()
{
    CChartSeries& series = m_data.AddNamedSeries();
    UpdateParameters();
    const int item = List().AddString(series.GetName().c_str());
    List().SetItemData(item, static_cast<std::uintptr_t>(m_data.GetSeriesCount() - 1));
    List().SetCurSel(item);
    ShowSelection();
    RefreshRangeTexts();
    NotifyOwnerChanged();
}

void CChartGeneralPage::OnRemove()
{
    CListBox& list = List();
    const int selected = list.GetCurSel();
    if (selected < 0)
        return;
    m_data.RemoveSeries(static_cast<int>(list.GetItemData(selected)));
    list.DeleteString(static_cast<UINT>(selected));
    // The items after the removed one stand for series one place earlier.
    for (int i = 0; i < list.GetCount(); ++i)
        list.SetItemData(i, static_cast<std::uintptr_t>(i));
    list.SetCurSel(list.GetCount() == 0 ? -1 : std::min(selected, list.GetCount() - 1));
    ShowSelection();
    UpdateParameters();
    RefreshRangeTexts();
    NotifyOwnerChanged();
}

void CChartGeneralPage::OnNameLink()
{
    CChartSeries* series = Selected();
    if (series == nullptr || !SelectRange(&series->GetNameBinding(), IDC_NAME, &m_name, false, nullptr))
        return;
    series->Refresh();
    UpdateParameters();
    RefillSeries();
    RefreshRangeTexts();
    NotifyOwnerChanged();
}

void CChartGeneralPage::PickSeriesCells(CCellBinding& (CChartSeries::*which)(), int editId)
{
    CChartSeries* series = Selected();
    if (series == nullptr)
        return;
    CCellBinding& binding = (series->*which)();
    if (!SelectRange(&binding, editId, nullptr, false, nullptr))
        return;
    binding.RefreshParameter(binding.GetRangePtr(), false);
    UpdateParameters();
    ShowSelection();
    RefreshRangeTexts();
    NotifyOwnerChanged();
}

void CChartGeneralPage::OnValuesLink()
{
    PickSeriesCells(&CChartSeries::GetValues, IDC_VALUES);
}

void CChartGeneralPage::OnYValuesLink()
{
    PickSeriesCells(&CChartSeries::GetYValues, IDC_YVALUES);
}

void CChartGeneralPage::OnSizesLink()
{
    PickSeriesCells(&CChartSeries::GetSizes, IDC_SIZES);
}

void CChartGeneralPage::OnCategoryLink()
{
    CParameter* labels = m_data.GetParameter("categoryLabels");
    if (!PickCells(*this, labels, IDC_CATEGORY, nullptr))
        return;
    UpdateParameters();
    RefreshRangeTexts();
    NotifyOwnerChanged();
}

LRESULT CChartGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    if (static_cast<int>(lParam) != IDC_NAME)
        return 0;
    CChartSeries* series = Selected();
    if (series == nullptr)
        return 1;
    series->SetName(m_name.GetWindowText(), true);
    UpdateParameters();
    RefillSeries();
    ShowSelection();
    RefreshRangeTexts();
    NotifyOwnerChanged();
    return 1;
}
