#include "pages/ComboSeriesPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

#include <algorithm>
#include <vector>

using namespace pages;
using model::ParamType;

namespace {

// The per-series lists of each type, indexed by the position within the type.
const std::vector<const char*> kLineLists = {"lineColors", "lineWeights", "seriesMarkers", "markerColorsLine"};
const std::vector<const char*> kColumnLists = {"markerColorsColumn"};
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

BEGIN_MESSAGE_MAP(CComboSeriesPage, CChartSubPageBase)
    .Control(CBN_SELCHANGE, IDC_SERIES, &CComboSeriesPage::OnSeriesChanged)
    .Control(CBN_SELCHANGE, IDC_TYPE, &CComboSeriesPage::OnTypeChanged)
    .Control(CBN_SELCHANGE, IDC_MARKER, &CComboSeriesPage::OnMarkerChanged)
    .Command(IDC_SHOW_MARKERS, &CComboSeriesPage::OnShowMarkers)
    .Command(IDC_USE_MARKER_ART, &CComboSeriesPage::OnUseMarkerArt)
    .Command(IDC_USE_BAR_ART, &CComboSeriesPage::OnUseBarArt)
    .Command(IDC_HIGHLIGHTS, &CComboSeriesPage::OnHighlights)
    .Command(IDC_SHOW_VALUES, &CComboSeriesPage::OnShowValues)
    .Command(IDC_SERIES_COLOR, &CComboSeriesPage::OnSeriesColor)
    .Command(IDC_MARKER_COLOR, &CComboSeriesPage::OnMarkerColor) END_MESSAGE_MAP()

DialogTemplate CComboSeriesPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Series");
    t.cy = 252;
    t.Add("Button", "Column Plot Settings", IDC_COLUMN_GROUP, 7, 4, 118, 76, kGroupStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_COLUMN_TRANS, 76, 14, 40, 12, kTab)
        .Add("Static", "Transparency", IDC_COLUMN_TRANS_LABEL, 12, 16, 60, 8, kLabelStyle)
        .Add("Button", "Use Bar Art", IDC_USE_BAR_ART, 12, 30, 100, 10, kCheckStyle)
        .Add("Button", "Show Highlights", IDC_HIGHLIGHTS, 12, 58, 100, 10, kCheckStyle)
        .Add(CSpinEdit::kClassName, "Y Shift", IDC_BAR_WIDTH, 76, 42, 40, 12, kTab)
        .Add("Static", "Bar Width", IDC_BAR_WIDTH_LABEL, 12, 44, 60, 8, kLabelStyle)
        .Add("Button", "Series Markers", IDC_SERIES_GROUP, 7, 84, 241, 62, kGroupStyle)
        .Add("ComboBox", "", IDC_SERIES, 46, 96, 80, 80, kComboStyle)
        .Add("Static", "Series", IDC_SERIES_LABEL, 12, 98, 32, 8, kLabelStyle)
        .Add("Button", "", IDC_SERIES_COLOR, 60, 113, 30, 13, kColorStyle)
        .Add("Static", "Line Color", IDC_SERIES_COLOR_LABEL, 12, 115, 46, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_WEIGHT, 130, 113, 40, 12, kTab)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 100, 115, 28, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_MARKER, 60, 130, 60, 80, kComboStyle)
        .Add("Static", "Marker", IDC_MARKER_LABEL, 12, 132, 46, 8, kLabelStyle)
        .Add("Button", "", IDC_MARKER_COLOR, 126, 129, 30, 13, kColorStyle)
        .Add("Button", "Values", IDC_VALUES_GROUP, 7, 150, 241, 98, kGroupStyle)
        .Add("Button", "Show Values", IDC_SHOW_VALUES, 12, 162, 70, 10, kCheckStyle)
        .Add("FontData", "Value Font", IDC_VALUE_FONT, 36, 176, 200, 12, WS_VISIBLE)
        .Add("Static", "Font:", IDC_FONT_LABEL, 12, 178, 22, 8, kLabelStyle)
        .Add("Static", "", IDC_NUMBER_FORMAT, 12, 192, 230, 52, WS_VISIBLE)
        .Add("ComboBox", "", IDC_TYPE, 182, 96, 56, 60, kComboStyle)
        .Add("Static", "Series Type", IDC_TYPE_LABEL, 134, 98, 46, 8, kLabelStyle)
        .Add("Button", "Line Plot Settings", IDC_LINE_GROUP, 130, 4, 118, 76, kGroupStyle)
        .Add("Button", "Show Markers", IDC_SHOW_MARKERS, 135, 16, 100, 10, kCheckStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MARKER_TRANS, 199, 28, 40, 12, kTab)
        .Add("Static", "Transparency", IDC_MARKER_TRANS_LABEL, 135, 30, 60, 8, kLabelStyle)
        .Add("Button", "Use Marker Art", IDC_USE_MARKER_ART, 135, 44, 100, 10, kCheckStyle)
        .Add(CSpinEdit::kClassName, "Y Shift", IDC_MARKER_SIZE, 199, 56, 40, 12, kTab)
        .Add("Static", "Marker Size", IDC_MARKER_SIZE_LABEL, 135, 58, 60, 8, kLabelStyle);
    return t;
}

BOOL CComboSeriesPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                              CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    return TRUE;
}

bool CComboSeriesPage::IsColumn(int series) const
{
    const CParameter* type = ElementAt(GetGroup(), "seriesTypes", series);
    return type != nullptr && type->GetValueText() == "column";
}

int CComboSeriesPage::PositionInType(int series) const
{
    const CParameter* types = ListValue(Find("seriesTypes"));
    if (types == nullptr || series < 0 || series >= types->GetElementCount())
        return -1;
    const bool column = IsColumn(series);
    int position = -1;
    for (int i = 0; i <= series; ++i)
        if (IsColumn(i) == column)
            ++position;
    return position;
}

void CComboSeriesPage::CountTypes(int& columns, int& lines) const
{
    columns = 0;
    lines = 0;
    const CParameter* types = ListValue(Find("seriesTypes"));
    for (int i = 0; types != nullptr && i < types->GetElementCount(); ++i)
        ++(IsColumn(i) ? columns : lines);
}

int CComboSeriesPage::SelectedSeries()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SERIES));
    const int selected = combo != nullptr ? combo->GetCurSel() : CB_ERR;
    return selected == CB_ERR ? -1 : selected;
}

bool CComboSeriesPage::TypeComboShowsColumn()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_TYPE));
    return combo != nullptr && combo->GetCurSel() == 0;
}

BOOL CComboSeriesPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    BindCheckBox("showMarkers", IDC_SHOW_MARKERS, true);
    BindCheckBox("useMarkerArtLine", IDC_USE_MARKER_ART, false);
    BindCheckBox("useMarkerArtColumn", IDC_USE_BAR_ART, false);
    if (BindCheckBox("showHighlights", IDC_HIGHLIGHTS, true))
        EnableItem(IDC_HIGHLIGHTS, !GroupBool("useMarkerArtLine"));
    m_seriesColor.SubclassDlgItem(IDC_SERIES_COLOR, this, kBlack, 0x010101, 0x808080, 2);
    m_markerColor.SubclassDlgItem(IDC_MARKER_COLOR, this, kBlack, 0x010101, 0x808080, 2);
    BindCheckBox("showValues", IDC_SHOW_VALUES, false);
    if (CWnd* place = GetDlgItem(IDC_NUMBER_FORMAT)) {
        const CRect rect = place->GetRectInParent();
        place->DestroyWindow();
        m_numberFormat.CreateEx(0, CNumericFormatCtrl::kClassName, "", WS_CHILD | WS_VISIBLE, rect, this,
                                IDC_NUMBER_FORMAT);
        CParameter* format = Find("valueFormat");
        m_numberFormat.Create(format != nullptr && format->GetType() == ParamType::Group ? format : nullptr,
                              GetOwner(), GetDialogFont(), nullptr, false);
    }
    m_valueFont.SubclassDlgItem(IDC_VALUE_FONT, this);
    if (auto* type = dynamic_cast<CComboBox*>(GetDlgItem(IDC_TYPE)))
        for (const char* item : {"column", "line"})
            type->AddString(item);
    if (auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER)))
        for (const char* shape : {"circle", "diamond", "star", "triangle", "x"})
            marker->AddString(shape);
    // No series type is chosen yet: the line form shows until the first series is.
    SetItemText(IDC_SERIES_COLOR_LABEL, "Line Color");

    LoadFormatIndex();
    return TRUE;
}

BOOL CComboSeriesPage::OnSetActive()
{
    BindSpin(IDC_MARKER_SIZE, Find("markerSizeLine"), true);
    BindSpin(IDC_BAR_WIDTH, Find("markerSizeColumn"), true);
    BindSpin(IDC_MARKER_TRANS, Find("markerAlphaLine"), true);
    BindSpin(IDC_COLUMN_TRANS, Find("markerAlphaColumn"), true);
    FillSeriesCombo();
    SetChecked(IDC_USE_MARKER_ART, GroupBool("useMarkerArtLine"));
    CParameter* font = Find("valueTextFormat");
    m_valueFont.Create(font != nullptr && font->GetType() == ParamType::Group ? font->GetSet() : nullptr, GetOwner(),
                       true, GetContext() != nullptr ? GetContext()->customColors : nullptr);
    if (Find("showValues") != nullptr) {
        const bool values = GroupBool("showValues");
        EnableItem(IDC_FONT_LABEL, values);
        m_valueFont.EnableWindow(values);
        m_valueFont.EnableControls(values);
        m_numberFormat.EnableWindow(values);
        m_numberFormat.EnableControls(values);
    }
    UpdateControlStates();
    return CComponentPage::OnSetActive();
}

void CComboSeriesPage::FillSeriesCombo()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SERIES));
    if (combo == nullptr)
        return;
    combo->ResetContent();
    if (CParameter* names = ListValue(FindInRoot("seriesNames")))
        for (int i = 0; i < names->GetElementCount(); ++i)
            combo->AddString(names->GetElement(i)->GetValueText().c_str());
    if (combo->GetCount() > 0)
        combo->SetCurSel(0);
    EnableIfMultipleItems(IDC_SERIES, true);
    ShowSeries(0);
}

void CComboSeriesPage::UpdateControlStates()
{
    int columns = 0;
    int lines = 0;
    CountTypes(columns, lines);
    const bool alertsOff = !RootBool("alertsEnabled");
    const bool markers = lines > 0 && GroupBool("showMarkers");
    const bool columnArt = GroupBool("useMarkerArtColumn");
    const bool lineArt = GroupBool("useMarkerArtLine");

    for (int id : {IDC_COLUMN_GROUP, IDC_COLUMN_TRANS_LABEL, IDC_BAR_WIDTH_LABEL})
        EnableItem(id, columns > 0);
    EnableItem(IDC_COLUMN_TRANS, columns > 0 && Find("markerAlphaColumn") != nullptr);
    EnableItem(IDC_BAR_WIDTH, columns > 0 && Find("markerSizeColumn") != nullptr);
    EnableItem(IDC_USE_BAR_ART, columns > 0 && alertsOff && Find("useMarkerArtColumn") != nullptr);
    SetChecked(IDC_USE_BAR_ART, columnArt && columns > 0);
    EnableItem(IDC_HIGHLIGHTS, lines > 0 && !lineArt && Find("showHighlights") != nullptr);
    EnableItem(IDC_LINE_GROUP, lines > 0);
    EnableItem(IDC_SHOW_MARKERS, lines > 0 && Find("showMarkers") != nullptr);
    EnableItem(IDC_MARKER_TRANS, markers && Find("markerAlphaLine") != nullptr);
    EnableItem(IDC_MARKER_TRANS_LABEL, markers);
    EnableItem(IDC_USE_MARKER_ART, markers && alertsOff && Find("useMarkerArtLine") != nullptr);
    EnableItem(IDC_MARKER_SIZE, markers && Find("markerSizeLine") != nullptr);
    EnableItem(IDC_MARKER_SIZE_LABEL, markers);
    EnableItem(IDC_MARKER, markers);
    EnableItem(IDC_MARKER_LABEL, markers);

    const int series = std::max(SelectedSeries(), 0);
    const int position = PositionInType(series);
    if (TypeComboShowsColumn()) {
        const bool on = !columnArt && columns > 0 && alertsOff &&
                        ElementAt(GetGroup(), "markerColorsColumn", position) != nullptr;
        m_seriesColor.EnableWindow(on);
        EnableItem(IDC_SERIES_COLOR_LABEL, on);
    } else {
        m_seriesColor.EnableWindow(ElementAt(GetGroup(), "lineColors", position) != nullptr);
        EnableItem(IDC_SERIES_COLOR_LABEL, true);
    }
    m_markerColor.EnableWindow(!lineArt && lines > 0 && alertsOff &&
                               ElementAt(GetGroup(), "markerColorsLine", TypeComboShowsColumn() ? -1 : position) != nullptr);
}

void CComboSeriesPage::ShowSeries(int series)
{
    auto* type = dynamic_cast<CComboBox*>(GetDlgItem(IDC_TYPE));
    const bool column = IsColumn(series);
    if (type != nullptr)
        type->SetCurSel(column ? 0 : 1);
    const int position = PositionInType(series);
    CParameterSet* group = GetGroup();
    if (column) {
        SetItemText(IDC_SERIES_COLOR_LABEL, "Bar Color");
        const bool on = !GroupBool("useMarkerArtColumn") && !RootBool("alertsEnabled");
        // A column past the end of its colour list (an older document) shows no colour to edit.
        const bool shown = ShowColour(m_seriesColor, ElementAt(group, "markerColorsColumn", position));
        m_seriesColor.EnableWindow(on && shown);
        EnableItem(IDC_SERIES_COLOR_LABEL, on);
        for (int id : {IDC_WEIGHT_LABEL, IDC_WEIGHT, IDC_MARKER_LABEL, IDC_MARKER, IDC_MARKER_COLOR})
            ShowItem(id, false);
    } else {
        for (int id : {IDC_WEIGHT_LABEL, IDC_WEIGHT, IDC_MARKER_LABEL, IDC_MARKER, IDC_MARKER_COLOR})
            ShowItem(id, true);
        SetItemText(IDC_SERIES_COLOR_LABEL, "Line Color");
        EnableItem(IDC_SERIES_COLOR_LABEL, true);
        m_seriesColor.EnableWindow(ShowColour(m_seriesColor, ElementAt(group, "lineColors", position)));
        if (ListValue(Find("lineWeights")) != nullptr)
            BindSpin(IDC_WEIGHT, ElementAt(group, "lineWeights", position), true);
        if (ListValue(Find("seriesMarkers")) != nullptr) {
            auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER));
            const CParameter* shape = ElementAt(group, "seriesMarkers", position);
            if (marker != nullptr)
                SelectExact(*marker, shape != nullptr ? shape->GetValueText() : std::string());
        }
        ShowColour(m_markerColor, ElementAt(group, "markerColorsLine", position));
    }
    Invalidate(TRUE);
}

void CComboSeriesPage::OnSeriesChanged()
{
    ShowSeries(std::max(SelectedSeries(), 0));
    UpdateControlStates();
}

void CComboSeriesPage::OnTypeChanged()
{
    auto* type = dynamic_cast<CComboBox*>(GetDlgItem(IDC_TYPE));
    const int series = SelectedSeries();
    if (type == nullptr || series < 0 || type->GetCurSel() == CB_ERR)
        return;
    CParameter* element = ElementAt(GetGroup(), "seriesTypes", series);
    bool listed = false;
    if (element == nullptr) {
        // The chart gained series after its types were listed: the series past the end of the
        // list are drawn as lines, so they are listed as lines before this one is given its type.
        CParameter* types = ListValue(Find("seriesTypes"));
        if (types == nullptr)
            return;
        const int had = types->GetElementCount();
        ResizeSeriesList(types, series + 1, false);
        for (int i = had; i < types->GetElementCount(); ++i)
            types->GetElement(i)->SetString("line");
        element = ElementAt(GetGroup(), "seriesTypes", series);
        if (element == nullptr)
            return;
        listed = true;
    }
    const bool wasColumn = IsColumn(series);
    const bool nowColumn = type->GetCurSel() == 0;
    element->SetString(nowColumn ? "column" : "line");
    if (wasColumn == nowColumn) {
        if (listed)
            NotifyOwnerChanged();
        return;
    }
    // The series' element moves from the old type's lists to its place in the new type's,
    // so that every other series keeps its own colours, weight and marker.
    int oldPosition = -1;
    for (int i = 0; i <= series; ++i)
        if (i == series || IsColumn(i) == wasColumn)
            ++oldPosition;
    const int newPosition = PositionInType(series);
    for (const char* key : wasColumn ? kColumnLists : kLineLists) {
        CParameter* list = ListValue(Find(key));
        if (list != nullptr && oldPosition < list->GetElementCount())
            list->RemoveElementAt(oldPosition);
    }
    int columns = 0;
    int lines = 0;
    CountTypes(columns, lines);
    for (const char* key : nowColumn ? kColumnLists : kLineLists) {
        CParameter* list = ListValue(Find(key));
        if (list == nullptr)
            continue;
        if (newPosition <= list->GetElementCount()) {
            const CParameter* last = list->GetElementCount() > 0 ? list->GetElement(list->GetElementCount() - 1)
                                                                  : list->GetGroupTemplate();
            CSeriesColourGenerator colours(last != nullptr && last->GetType() == ParamType::Color ? last->GetColor() : 0);
            if (std::unique_ptr<CParameter> made = NewSeriesElement(*list, &colours, newPosition))
                list->InsertElementCopy(*made, newPosition);
        }
        ResizeSeriesList(list, nowColumn ? columns : lines, false);
    }
    ShowSeries(series);
    UpdateControlStates();
    NotifyOwnerChanged();
}

void CComboSeriesPage::OnShowMarkers()
{
    if (!StoreCheck(*this, IDC_SHOW_MARKERS, GetGroup(), "showMarkers"))
        return;
    const bool on = IsChecked(IDC_SHOW_MARKERS);
    for (int id : {IDC_USE_MARKER_ART, IDC_MARKER_TRANS, IDC_MARKER_TRANS_LABEL, IDC_MARKER_SIZE_LABEL, IDC_MARKER_SIZE,
                   IDC_HIGHLIGHTS, IDC_MARKER_LABEL, IDC_MARKER})
        EnableItem(id, on);
    m_markerColor.EnableWindow(on);
    if (!on) {
        EnableItem(IDC_HIGHLIGHTS, false);
        m_markerColor.EnableWindow(FALSE);
    } else {
        if (RootBool("alertsEnabled"))
            EnableItem(IDC_USE_MARKER_ART, false);
        if (Find("useMarkerArt") != nullptr) {
            const bool art = GroupBool("useMarkerArt");
            m_markerColor.EnableWindow(!art);
            EnableItem(IDC_HIGHLIGHTS, !art);
            EnableItem(IDC_SERIES_COLOR_LABEL, !art);
            EnableIfMultipleItems(IDC_SERIES, !art);
            EnableItem(IDC_SERIES_LABEL, !art);
        }
    }
    NotifyOwnerChanged();
}

void CComboSeriesPage::OnUseMarkerArt()
{
    if (!StoreCheck(*this, IDC_USE_MARKER_ART, GetGroup(), "useMarkerArtLine"))
        return;
    const bool art = IsChecked(IDC_USE_MARKER_ART);
    EnableItem(IDC_HIGHLIGHTS, !art);
    if (art) {
        SetChecked(IDC_HIGHLIGHTS, false);
        StoreCheck(*this, IDC_HIGHLIGHTS, GetGroup(), "showHighlights");
    }
    if (Find("markerColorsLine") != nullptr)
        m_markerColor.EnableWindow(!art);
    NotifyOwnerChanged();
}

void CComboSeriesPage::OnUseBarArt()
{
    if (!StoreCheck(*this, IDC_USE_BAR_ART, GetGroup(), "useMarkerArtColumn"))
        return;
    if (Find("markerColorsColumn") != nullptr && TypeComboShowsColumn()) {
        const bool on = !IsChecked(IDC_USE_BAR_ART) && !RootBool("alertsEnabled");
        EnableItem(IDC_SERIES_COLOR_LABEL, on);
        m_seriesColor.EnableWindow(on);
    }
    NotifyOwnerChanged();
}

void CComboSeriesPage::OnHighlights()
{
    if (StoreCheck(*this, IDC_HIGHLIGHTS, GetGroup(), "showHighlights"))
        NotifyOwnerChanged();
}

void CComboSeriesPage::OnShowValues()
{
    if (!StoreCheck(*this, IDC_SHOW_VALUES, GetGroup(), "showValues"))
        return;
    const bool on = IsChecked(IDC_SHOW_VALUES);
    EnableItem(IDC_FONT_LABEL, on);
    m_valueFont.EnableWindow(on);
    m_valueFont.EnableControls(on);
    m_numberFormat.EnableWindow(on);
    m_numberFormat.EnableControls(on);
    NotifyOwnerChanged();
}

void CComboSeriesPage::OnSeriesColor()
{
    const int position = PositionInType(SelectedSeries());
    ChooseElementColour(m_seriesColor, ElementAt(GetGroup(), TypeComboShowsColumn() ? "markerColorsColumn" : "lineColors",
                                                 position));
}

void CComboSeriesPage::OnMarkerColor()
{
    ChooseElementColour(m_markerColor, ElementAt(GetGroup(), "markerColorsLine", PositionInType(SelectedSeries())));
}

void CComboSeriesPage::OnMarkerChanged()
{
    auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER));
    CParameter* shape = ElementAt(GetGroup(), "seriesMarkers", PositionInType(SelectedSeries()));
    if (marker == nullptr || shape == nullptr || marker->GetCurSel() == CB_ERR)
        return;
    shape->SetString(marker->GetLBText(marker->GetCurSel()));
    NotifyOwnerChanged();
    Invalidate(TRUE);
}

int CComboSeriesPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_SERIES:
    case IDC_MARKER:
    case IDC_TYPE:
    case IDC_SERIES_COLOR:
    case IDC_WEIGHT:
    case IDC_MARKER_COLOR:
        return 2444;
    case IDC_SHOW_MARKERS:
    case IDC_USE_MARKER_ART:
    case IDC_MARKER_TRANS:
    case IDC_MARKER_SIZE:
    case IDC_HIGHLIGHTS:
        return 2443;
    case IDC_USE_BAR_ART:
    case IDC_BAR_WIDTH:
    case IDC_COLUMN_TRANS:
        return 2436;
    case IDC_SHOW_VALUES:
    case IDC_VALUE_FONT:
    case IDC_NUMBER_FORMAT:
        return 2445;
    default:
        return 2442;
    }
}
