#include "pages/ChartSeriesPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

#include <algorithm>

using namespace pages;
using model::ParamType;

namespace {

// Help topics by the focused control's group.
const ChartHelpRow kPlotHelp = {1850, 1460, 1925, 1555, 1755, 1670, -1, 2496, 2554};
const ChartHelpRow kSeriesHelp = {1855, 1465, 1930, 1560, 1760, 1675, -1, 2498, 2556};
const ChartHelpRow kValuesHelp = {1860, 1470, 1935, 1565, 1765, 1680, -1, 2500, 2555};
const ChartHelpRow kOtherHelp = {1845, 1455, 1920, 1550, 1750, 1665, -1, 2494, 2552};

constexpr DWORD kSpinStyle = kTab;
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

BEGIN_MESSAGE_MAP(CChartSeriesPage, CChartSubPageBase)
    .Command(IDC_SHOW_MARKERS, &CChartSeriesPage::OnShowMarkers)
    .Command(IDC_USE_ART, &CChartSeriesPage::OnUseMarkerArt)
    .Command(IDC_HIGHLIGHTS, &CChartSeriesPage::OnHighlights)
    .Command(IDC_SHOW_VALUES, &CChartSeriesPage::OnShowValues)
    .Command(IDC_LINE_COLOR, &CChartSeriesPage::OnLineColor)
    .Command(IDC_MARKER_COLOR, &CChartSeriesPage::OnMarkerColor)
    .Control(CBN_SELCHANGE, IDC_SERIES, &CChartSeriesPage::OnSeriesChanged)
    .Control(CBN_SELCHANGE, IDC_MARKER, &CChartSeriesPage::OnMarkerChanged)
    .Control(CBN_SELCHANGE, IDC_CURRENT, &CChartSeriesPage::OnCurrentValueChanged) END_MESSAGE_MAP()

DialogTemplate CChartSeriesPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Series");
    t.cy = 250;
    t.Add("Button", "Lines && Markers", IDC_PLOT_GROUP, 7, 4, 241, 62, kGroupStyle)
        .Add("Button", "Show Markers", IDC_SHOW_MARKERS, 14, 16, 90, 10, kCheckStyle)
        .Add("Static", "Transparency", IDC_TRANS_LABEL, 130, 17, 52, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_TRANS, 186, 15, 40, 12, kSpinStyle)
        .Add("Button", "Use Marker Art", IDC_USE_ART, 14, 30, 90, 10, kCheckStyle)
        .Add("Static", "Marker Size", IDC_SIZE_LABEL, 130, 31, 52, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Y Shift", IDC_SIZE, 186, 29, 40, 12, kSpinStyle)
        .Add("Button", "Show Highlights", IDC_HIGHLIGHTS, 14, 44, 90, 10, kCheckStyle)
        .Add("Static", "Bar Overlap", IDC_OVERLAP_LABEL, 130, 45, 52, 8, 0)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_OVERLAP, 186, 43, 40, 12, kSpinStyle)
        .Add("Button", "Series", IDC_SERIES_GROUP, 7, 70, 241, 52, kGroupStyle)
        .Add("Static", "Series", IDC_SERIES_LABEL, 14, 84, 40, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_SERIES, 56, 82, 90, 80, kComboStyle)
        .Add("Static", "Line Color", IDC_LINE_COLOR_LABEL, 152, 84, 50, 8, kLabelStyle)
        .Add("Button", "", IDC_LINE_COLOR, 204, 82, 36, 13, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 14, 103, 40, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_WEIGHT, 56, 101, 40, 12, kSpinStyle)
        .Add("Static", "Marker", IDC_MARKER_LABEL, 104, 103, 30, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_MARKER, 136, 101, 54, 80, kComboStyle)
        .Add("Button", "", IDC_MARKER_COLOR, 204, 100, 36, 13, kColorStyle)
        .Add("Button", "Values", IDC_VALUES_GROUP, 7, 126, 241, 120, kGroupStyle)
        .Add("Button", "Show Values", IDC_SHOW_VALUES, 14, 138, 70, 10, kCheckStyle)
        .Add("Static", "Current Value", IDC_CURRENT_LABEL, 88, 139, 60, 8, 0)
        .Add("ComboBox", "", IDC_CURRENT, 150, 137, 70, 60, kComboStyle & ~WS_VISIBLE)
        .Add("Static", "Font:", IDC_FONT_LABEL, 14, 155, 22, 8, kLabelStyle)
        .Add("FontData", "Value Font", IDC_VALUE_FONT, 38, 153, 200, 12, WS_VISIBLE)
        .Add("Static", "", IDC_NUMBER_FORMAT, 14, 170, 228, 72, WS_VISIBLE);
    return t;
}

BOOL CChartSeriesPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                              CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    return TRUE;
}

CParameter* CChartSeriesPage::SeriesList() const
{
    // A pie lists its slices (the categories); the other charts their series.
    return ListValue(FindInRoot(IsPie() ? "categoryLabels" : "seriesNames"));
}

int CChartSeriesPage::ValueKinds() const
{
    return m_chartType == kChartXY ? 2 : (m_chartType == kChartBubble ? 3 : 0);
}

int CChartSeriesPage::GetSelectedSeries()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SERIES));
    const int selected = combo != nullptr ? combo->GetCurSel() : CB_ERR;
    return selected == CB_ERR ? -1 : selected;
}

BOOL CChartSeriesPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    BindCheckBox("showMarkers", IDC_SHOW_MARKERS, true);

    // Marker art paints the markers (bars) itself, so highlights and the marker colour give way.
    BindCheckBox("useMarkerArt", IDC_USE_ART, false);
    const bool art = GroupBool("useMarkerArt");
    m_lineColor.SubclassDlgItem(IDC_LINE_COLOR, this, kBlack, 0x010101, 0x808080, 2);
    m_markerColor.SubclassDlgItem(IDC_MARKER_COLOR, this, kBlack, 0x010101, 0x808080, 2);
    const bool highlights = IsPie() ? BindCheckBox("showLines", IDC_HIGHLIGHTS, true)
                                    : BindCheckBox("showHighlights", IDC_HIGHLIGHTS, true);
    if (IsPie())
        BindColorButton("lineColor", IDC_LINE_COLOR, m_lineColor, false);
    else
        ShowColour(m_lineColor, ElementAt(GetGroup(), "lineColors", 0));
    if (highlights && art)
        EnableItem(IDC_HIGHLIGHTS, false);
    ShowColour(m_markerColor, ElementAt(GetGroup(), "markerColors", 0));
    m_markerColor.EnableWindow(!art && ElementAt(GetGroup(), "markerColors", 0) != nullptr);

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

    ApplyLayout();

    if (Find("showMarkers") != nullptr && Find("showValues") != nullptr)
        EnableItem(IDC_SHOW_VALUES, GroupBool("showMarkers"));

    // The value kind shown last time; a stored index past the kinds this chart has is ignored.
    LoadFormatIndex();
    if (m_formatIndex < 0 || m_formatIndex >= std::max(ValueKinds(), 1))
        m_formatIndex = 0;
    return TRUE;
}

void CChartSeriesPage::ApplyLayout()
{
    switch (m_chartType) {
    case kChartPie: {
        ShowItem(IDC_USE_ART, false);
        SetItemText(IDC_SIZE_LABEL, "Weight");
        SetItemText(IDC_HIGHLIGHTS, "Show Lines");
        SetItemText(IDC_PLOT_GROUP, "Slices");
        SetItemText(IDC_LINE_COLOR_LABEL, "Slice Color");
        SetItemText(IDC_SERIES_LABEL, "Data Point");
        ShowItem(IDC_WEIGHT_LABEL, false);
        ShowItem(IDC_MARKER_LABEL, false);
        ShowItem(IDC_MARKER, false);
        // The slice colour takes the line colour's place; "Show Lines" takes the weight caption's
        // place with the outline colour where the weight was, and the weight with its caption
        // goes to the row "Show Lines" had.
        const CRect lineRect = m_lineColor.GetRectInParent();
        CWnd* size = GetDlgItem(IDC_SIZE);
        CWnd* sizeLabel = GetDlgItem(IDC_SIZE_LABEL);
        CWnd* lines = GetDlgItem(IDC_HIGHLIGHTS);
        m_markerColor.MoveWindow(lineRect);
        if (size != nullptr && sizeLabel != nullptr && lines != nullptr) {
            const CRect spinRect = size->GetRectInParent();
            const CRect labelRect = sizeLabel->GetRectInParent();
            const CRect linesRect = lines->GetRectInParent();
            m_lineColor.MoveWindow(CRect(spinRect.left, spinRect.top, spinRect.left + lineRect.Width(),
                                         spinRect.top + lineRect.Height()));
            lines->MoveWindow(CRect(labelRect.left, spinRect.top, spinRect.left - 4, spinRect.top + linesRect.Height()));
            sizeLabel->MoveWindow(CRect(linesRect.left, linesRect.top, linesRect.left + labelRect.Width(),
                                        linesRect.top + labelRect.Height()));
            size->MoveWindow(CRect(linesRect.left + labelRect.Width() + 4, linesRect.top - 2,
                                   linesRect.left + labelRect.Width() + 4 + spinRect.Width(),
                                   linesRect.top - 2 + spinRect.Height()));
        }
        m_numberFormat.SetNegativesLocked(true);
        break;
    }
    case kChartBar:
    case kChartColumn:
    case kChartCombo:
    case kChartStackBar:
    case kChartStackColumn:
    case kChartBubble: {
        const bool bubble = m_chartType == kChartBubble;
        SetItemText(IDC_USE_ART, bubble ? "Use Marker Art" : "Use Bar Art");
        SetItemText(IDC_SIZE_LABEL, bubble ? "Bubble Size" : "Bar Width");
        SetItemText(IDC_PLOT_GROUP, bubble ? "Bubble" : "Bars");
        SetItemText(IDC_LINE_COLOR_LABEL, bubble ? "Color" : "Bar Color");
        ShowItem(IDC_WEIGHT_LABEL, false);
        ShowItem(IDC_WEIGHT, false);
        ShowItem(IDC_MARKER_LABEL, false);
        ShowItem(IDC_MARKER, false);
        // The bar colour is the marker colour, shown where the line colour was.
        m_lineColor.EnableWindow(FALSE);
        m_lineColor.ShowWindow(SW_HIDE);
        m_markerColor.MoveWindow(m_lineColor.GetRectInParent());
        if (m_chartType == kChartStackBar || m_chartType == kChartStackColumn)
            ShowItem(IDC_OVERLAP_LABEL, true);
        if (bubble) {
            ShowItem(IDC_CURRENT_LABEL, true);
            ShowItem(IDC_CURRENT, true);
        }
        break;
    }
    case kChartXY:
        SetItemText(IDC_SIZE_LABEL, "Symbol Size");
        SetItemText(IDC_PLOT_GROUP, "Symbols");
        SetItemText(IDC_MARKER_LABEL, "Symbol");
        ShowItem(IDC_LINE_COLOR_LABEL, false);
        ShowItem(IDC_WEIGHT_LABEL, false);
        ShowItem(IDC_CURRENT_LABEL, true);
        ShowItem(IDC_CURRENT, true);
        break;
    default:
        break;
    }
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CURRENT))) {
        combo->ResetContent();
        static const char* const kKinds[3] = {"X Values", "Y Values", "Sizes"};
        for (int i = 0; i < ValueKinds(); ++i)
            combo->AddString(kKinds[i]);
    }
    if (auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER)); marker != nullptr && marker->GetCount() == 0)
        for (const char* shape : {"circle", "diamond", "star", "triangle", "x"})
            marker->AddString(shape);
}

BOOL CChartSeriesPage::OnSetActive()
{
    // A spin the chart has no value for goes with its caption.
    ShowItem(IDC_TRANS_LABEL, BindSpin(IDC_TRANS, Find("markerAlpha"), true));
    BindSpin(IDC_OVERLAP, FindFirst(GetGroup(), {"lineWeight", "markerOverlap"}), true);
    CParameter* size = Find("markerSize");
    if (size == nullptr && (size = Find("markerGap")) != nullptr)
        SetItemText(IDC_SIZE_LABEL, "Bar Gap");
    ShowItem(IDC_SIZE_LABEL, BindSpin(IDC_SIZE, size, true));

    FillSeries();
    const bool art = GroupBool("useMarkerArt");
    if (IsBarLike(m_chartType) && Find("useMarkerArt") != nullptr)
        EnableItem(IDC_SERIES_LABEL, !art);

    CParameter* font = Find("valueTextFormat");
    if (font != nullptr && font->GetType() == ParamType::List)
        font = font->GetElement(0);
    m_valueFont.Create(font != nullptr && font->GetType() == ParamType::Group ? font->GetSet() : nullptr, GetOwner(),
                       true, GetContext() != nullptr ? GetContext()->customColors : nullptr);
    ShowFormatIndex();

    if (IsPie() && Find("showLines") != nullptr) {
        const bool lines = GroupBool("showLines");
        m_lineColor.EnableWindow(lines);
        EnableItem(IDC_WEIGHT, lines);
        EnableItem(IDC_WEIGHT_LABEL, lines);
    }
    if (Find("showValues") != nullptr)
        FollowShowValues(GroupBool("showValues"));
    if (Find("showMarkers") != nullptr) {
        const bool markers = GroupBool("showMarkers");
        for (int id : {IDC_USE_ART, IDC_TRANS_LABEL, IDC_TRANS, IDC_MARKER_LABEL, IDC_MARKER, IDC_SIZE_LABEL, IDC_SIZE})
            EnableItem(id, markers);
        SetChecked(IDC_USE_ART, art);
        if (!art && !markers) {
            EnableItem(IDC_HIGHLIGHTS, false);
            m_markerColor.EnableWindow(FALSE);
            if (IsBarLike(m_chartType))
                EnableItem(IDC_LINE_COLOR_LABEL, false);
        }
    } else {
        SetChecked(IDC_USE_ART, art);
    }
    ApplyMarkerArtRule();
    ApplyValueFormatRule(true);
    return CComponentPage::OnSetActive();
}

void CChartSeriesPage::FillSeries()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_SERIES));
    if (combo == nullptr)
        return;
    combo->ResetContent();
    // A component without its series list (an old or damaged document) shows an empty list.
    if (CParameter* list = SeriesList())
        for (int i = 0; i < list->GetElementCount(); ++i)
            combo->AddString(list->GetElement(i)->GetValueText().c_str());
    if (combo->GetCount() > 0)
        combo->SetCurSel(0);
    EnableIfMultipleItems(IDC_SERIES, true);
    LoadSeries(0);
}

void CChartSeriesPage::LoadSeries(int index)
{
    CParameterSet* group = GetGroup();
    if (ListValue(Find("lineWeights")) != nullptr)
        BindSpin(IDC_WEIGHT, ElementAt(group, "lineWeights", index), false);
    else
        ShowItem(IDC_WEIGHT, false);
    if (ListValue(Find("seriesMarkers")) != nullptr) {
        auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER));
        const CParameter* shape = ElementAt(group, "seriesMarkers", index);
        if (marker != nullptr) {
            if (shape != nullptr)
                SelectExact(*marker, shape->GetValueText());
            else
                marker->SetCurSel(-1);
        }
    }
    if (!IsPie())
        ShowColour(m_lineColor, ElementAt(group, "lineColors", index));
    ShowColour(m_markerColor, ElementAt(group, "markerColors", index));
    Invalidate(TRUE);
}

void CChartSeriesPage::ApplyMarkerArtRule()
{
    if (Find("showMarkers") != nullptr && !GroupBool("showMarkers"))
        return;
    const bool art = GroupBool("useMarkerArt");
    const bool alerts = RootBool("alertsEnabled");
    if (Find("useMarkerArt") != nullptr)
        EnableItem(IDC_USE_ART, !alerts);
    if (Find(IsPie() ? "showLines" : "showHighlights") != nullptr)
        EnableItem(IDC_HIGHLIGHTS, !art);
    if (IsBarLike(m_chartType)) {
        EnableIfMultipleItems(IDC_SERIES, !art);
        EnableItem(IDC_SERIES_LABEL, !art);
        EnableItem(IDC_LINE_COLOR_LABEL, !art);
    }
    if (ListValue(Find("markerColors")) != nullptr)
        m_markerColor.EnableWindow(!art && !alerts && ElementAt(GetGroup(), "markerColors", std::max(GetSelectedSeries(), 0)) != nullptr);
}

void CChartSeriesPage::ApplyValueFormatRule(bool enable)
{
    if (ValueKinds() == 0)
        return;
    // Each value kind has its own format only when the data holds one range per kind.
    const CParameter* data = ListValue(FindInRoot("dataValues"));
    const CParameter* first = data != nullptr ? data->GetElement(0) : nullptr;
    // A row of plain values (a list of numbers) is one block for every kind; a group or a cell
    // list holds a range of its own per kind.
    const bool perKind = first != nullptr && (first->GetType() == ParamType::Group ||
                                              first->GetType() == ParamType::CellList ||
                                              first->GetType() == ParamType::CellTable);
    const bool on = perKind && enable;
    EnableItem(IDC_CURRENT_LABEL, on);
    EnableItem(IDC_CURRENT, on);
    m_numberFormat.EnableWindow(on);
    m_numberFormat.EnableControls(on);
}

void CChartSeriesPage::ShowFormatIndex()
{
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CURRENT)); combo != nullptr && combo->GetCount() > 0)
        combo->SetCurSel(std::min(m_formatIndex, combo->GetCount() - 1));
    m_numberFormat.LoadProperties(m_formatIndex, false);
}

void CChartSeriesPage::FollowShowValues(bool on)
{
    EnableItem(IDC_FONT_LABEL, on);
    m_valueFont.EnableControls(on);
    m_valueFont.EnableWindow(on);
    m_numberFormat.EnableWindow(on);
    m_numberFormat.EnableControls(on);
}

void CChartSeriesPage::OnShowMarkers()
{
    if (!StoreCheck(*this, IDC_SHOW_MARKERS, GetGroup(), "showMarkers"))
        return;
    const bool markers = IsChecked(IDC_SHOW_MARKERS);
    const bool alerts = RootBool("alertsEnabled");
    for (int id : {IDC_USE_ART, IDC_TRANS_LABEL, IDC_TRANS, IDC_SIZE_LABEL, IDC_SIZE, IDC_HIGHLIGHTS, IDC_MARKER_LABEL,
                   IDC_MARKER})
        EnableItem(id, markers);
    m_markerColor.EnableWindow(markers);
    if (!markers) {
        m_markerColor.EnableWindow(FALSE);
        EnableItem(IDC_HIGHLIGHTS, false);
    } else {
        if (alerts)
            EnableItem(IDC_USE_ART, false);
        if (Find("useMarkerArt") != nullptr) {
            const bool art = GroupBool("useMarkerArt");
            m_markerColor.EnableWindow(!art);
            EnableItem(IDC_HIGHLIGHTS, !art);
            if (IsBarLike(m_chartType)) {
                EnableItem(IDC_LINE_COLOR_LABEL, !art);
                EnableIfMultipleItems(IDC_SERIES, !art);
                EnableItem(IDC_SERIES_LABEL, !art);
            }
        }
    }
    // Values are shown on the markers: turning markers on or off starts the values off.
    SetChecked(IDC_SHOW_VALUES, false);
    EnableItem(IDC_SHOW_VALUES, markers);
    OnShowValues();
    NotifyOwnerChanged();
}

void CChartSeriesPage::OnUseMarkerArt()
{
    if (!StoreCheck(*this, IDC_USE_ART, GetGroup(), "useMarkerArt"))
        return;
    const bool art = IsChecked(IDC_USE_ART);
    if (IsBarLike(m_chartType)) {
        EnableIfMultipleItems(IDC_SERIES, !art);
        EnableItem(IDC_SERIES_LABEL, !art);
        EnableItem(IDC_LINE_COLOR_LABEL, !art);
    }
    EnableItem(IDC_HIGHLIGHTS, !art);
    if (art) {
        if (CParameter* highlights = Find("showHighlights"); highlights != nullptr && highlights->GetType() == ParamType::Boolean) {
            highlights->SetBool(false);
            SetChecked(IDC_HIGHLIGHTS, false);
        }
    }
    m_markerColor.EnableWindow(!art);
    NotifyOwnerChanged();
}

void CChartSeriesPage::OnHighlights()
{
    if (!StoreCheck(*this, IDC_HIGHLIGHTS, GetGroup(), IsPie() ? "showLines" : "showHighlights"))
        return;
    if (IsPie()) {
        const bool lines = IsChecked(IDC_HIGHLIGHTS);
        m_lineColor.EnableWindow(lines);
        EnableItem(IDC_WEIGHT, lines);
        EnableItem(IDC_WEIGHT_LABEL, lines);
        Invalidate(TRUE);
    }
    NotifyOwnerChanged();
}

void CChartSeriesPage::OnShowValues()
{
    if (!StoreCheck(*this, IDC_SHOW_VALUES, GetGroup(), "showValues"))
        return;
    const bool on = IsChecked(IDC_SHOW_VALUES);
    FollowShowValues(on);
    ApplyValueFormatRule(on);
    NotifyOwnerChanged();
}

void CChartSeriesPage::OnLineColor()
{
    if (IsPie()) {
        if (Find("lineColor") != nullptr)
            OnColorButtonClicked("lineColor", m_lineColor, GetGroup());
        return;
    }
    ChooseElementColour(m_lineColor, ElementAt(GetGroup(), "lineColors", GetSelectedSeries()));
}

void CChartSeriesPage::OnMarkerColor()
{
    ChooseElementColour(m_markerColor, ElementAt(GetGroup(), "markerColors", GetSelectedSeries()));
}

void CChartSeriesPage::OnSeriesChanged()
{
    LoadSeries(std::max(GetSelectedSeries(), 0));
}

void CChartSeriesPage::OnMarkerChanged()
{
    auto* marker = dynamic_cast<CComboBox*>(GetDlgItem(IDC_MARKER));
    CParameter* shape = ElementAt(GetGroup(), "seriesMarkers", GetSelectedSeries());
    if (marker == nullptr || shape == nullptr || marker->GetCurSel() == CB_ERR)
        return;
    shape->SetString(marker->GetLBText(marker->GetCurSel()));
    NotifyOwnerChanged();
    Invalidate(TRUE);
}

void CChartSeriesPage::OnCurrentValueChanged()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CURRENT));
    if (combo == nullptr || combo->GetCurSel() == CB_ERR)
        return;
    m_formatIndex = combo->GetCurSel();
    m_numberFormat.LoadProperties(m_formatIndex, false);
}

int CChartSeriesPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_SHOW_MARKERS:
    case IDC_USE_ART:
    case IDC_TRANS:
    case IDC_SIZE:
    case IDC_HIGHLIGHTS:
    case IDC_OVERLAP:
        return ChartHelpTopic(kPlotHelp, m_chartType);
    case IDC_SERIES:
    case IDC_MARKER:
    case IDC_LINE_COLOR:
    case IDC_WEIGHT:
    case IDC_MARKER_COLOR:
        return ChartHelpTopic(kSeriesHelp, m_chartType);
    case IDC_VALUE_FONT:
    case IDC_NUMBER_FORMAT:
    case IDC_SHOW_VALUES:
    case IDC_CURRENT:
        return ChartHelpTopic(kValuesHelp, m_chartType);
    default:
        return ChartHelpTopic(kOtherHelp, m_chartType);
    }
}
