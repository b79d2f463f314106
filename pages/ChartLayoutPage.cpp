#include "pages/ChartLayoutPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;
using model::ParamType;

namespace {

const ChartHelpRow kOtherHelp = {1870, 1510, 1980, 1620, 1815, 1710, 2454, 2518, 2578};
const ChartHelpRow kChartAreaHelp = {1905, 1530, 2000, 1640, 1835, 1730, 2458, 2526, 2584};
const ChartHelpRow kPlotAreaHelp = {1910, 1535, 2001, 1645, 1836, 1735, 2459, 2528, 2586};
const ChartHelpRow kVerticalHelp = {-1, 1540, 2005, 1650, -1, -1, -1, 2530, -1};
const ChartHelpRow kHorizontalHelp = {-1, -1, 2010, 1655, 1837, 1740, 2460, -1, 2588};

void AddFamily(DialogTemplate& t, int base, const char* caption, int x, int y)
{
    t.Add("Button", caption, base + CChartLayoutPage::kFamilyCheck, x, y, 70, 10, kCheckStyle)
        .Add("Button", "", base + CChartLayoutPage::kFamilyColour, x + 74, y - 2, 26, 13, kColorStyle)
        .Add("Static", "Weight", base + CChartLayoutPage::kFamilyWeightLabel, x + 10, y + 15, 28, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", base + CChartLayoutPage::kFamilyWeight, x + 40, y + 13, 40, 12,
             kTab);
}

} // namespace

BEGIN_MESSAGE_MAP(CChartLayoutPage, CChartSubPageBase)
    .Command(IDC_USE_ART, &CChartLayoutPage::OnUseArt)
    .Command(IDC_CHART_BORDER, &CChartLayoutPage::OnChartBorder)
    .Command(IDC_CHART_FILL, &CChartLayoutPage::OnChartFill) END_MESSAGE_MAP()

DialogTemplate CChartLayoutPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Layout");
    t.cy = 228;
    t.Add("Button", "Chart Area", IDC_CHART_GROUP, 7, 4, 241, 54, kGroupStyle)
        .Add("Button", "Use Background Art", IDC_USE_ART, 14, 15, 100, 10, kCheckStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_CHART_WEIGHT, 150, 27, 40, 12, kTab)
        .Add("Button", "Show Border", IDC_CHART_BORDER, 14, 29, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_CHART_BORDER_COLOR, 74, 27, 30, 13, kColorStyle)
        .Add("Button", "Show Fill", IDC_CHART_FILL, 14, 43, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_CHART_FILL_COLOR, 74, 41, 30, 13, kColorStyle)
        .Add("Static", "Weight", IDC_CHART_WEIGHT_LABEL, 118, 29, 30, 8, kLabelStyle)
        .Add("Button", "Plot Area", IDC_PLOT_GROUP, 7, 62, 241, 86, kGroupStyle)
        .Add("Button", "Horizontal Gridlines", IDC_HGRID_GROUP, 7, 152, 118, 72, kGroupStyle)
        .Add("Button", "Vertical Gridlines", IDC_VGRID_GROUP, 130, 152, 118, 72, kGroupStyle)
        .Add(CSpinEdit::kClassName, "", IDC_MARGIN, 48, 72, 40, 12, kTab)
        .Add("Static", "Margin", IDC_MARGIN_LABEL, 14, 74, 30, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_PLOT_WEIGHT, 150, 87, 40, 12, kTab)
        .Add("Button", "Show Border", IDC_PLOT_BORDER, 14, 89, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_PLOT_BORDER_COLOR, 74, 87, 30, 13, kColorStyle)
        .Add("Button", "Show Fill", IDC_PLOT_FILL, 14, 103, 56, 10, kCheckStyle)
        .Add("Button", "", IDC_PLOT_FILL_COLOR, 74, 101, 30, 13, kColorStyle)
        .Add("Static", "Weight", IDC_PLOT_WEIGHT_LABEL, 118, 89, 30, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MAJOR, 196, 116, 40, 12, kTab)
        .Add("Static", "Number of Major Horizontal Divisions", IDC_MAJOR_LABEL, 14, 118, 176, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_MINOR, 196, 131, 40, 12, kTab)
        .Add("Static", "Number of Minor Horizontal Divisions", IDC_MINOR_LABEL, 14, 133, 176, 8, kLabelStyle);
    AddFamily(t, IDC_HMAJOR, "Major Gridlines", 12, 164);
    AddFamily(t, IDC_HMINOR, "Minor Gridlines", 12, 193);
    AddFamily(t, IDC_VMAJOR, "Major Gridlines", 135, 164);
    AddFamily(t, IDC_VMINOR, "Minor Gridlines", 135, 193);
    return t;
}

namespace {

ParamField WithTopic(ParamField row, const ChartHelpRow& topics)
{
    row.help = [&topics](const CFieldPage& page) {
        return ChartHelpTopic(topics, static_cast<const CChartLayoutPage&>(page).GetChartType());
    };
    return row;
}

// A pie has no gridlines: their switches and colours take no part.
ParamField NotForPie(ParamField row)
{
    return PresentWhen(std::move(row), [](const CFieldPage& page) {
        return static_cast<const CChartLayoutPage&>(page).GetChartType() != kChartPie;
    });
}

void AddFamilyRows(std::vector<ParamField>& rows, int base, const char* show, const char* colour,
                   const char* weight, const ChartHelpRow& topics)
{
    using Page = CChartLayoutPage;
    ParamField check = CheckRow(base + Page::kFamilyCheck, show);
    check.afterStore = [base](CFieldPage& page) { static_cast<Page&>(page).UpdateFamily(base); };
    rows.push_back(WithTopic(NotForPie(std::move(check)), topics));
    rows.push_back(WithTopic(NotForPie(ColourRow(base + Page::kFamilyColour, colour)), topics));
    rows.push_back(
        WithTopic(OwnRow({base + Page::kFamilyWeight, base + Page::kFamilyWeightLabel}, {weight}), topics));
}

std::vector<ParamField> Rows()
{
    using Page = CChartLayoutPage;
    auto plot = [](ParamField row) {
        row.afterStore = [](CFieldPage& page) { static_cast<Page&>(page).UpdatePlotArea(); };
        return WithTopic(Within("plotAreaProps", std::move(row)), kPlotAreaHelp);
    };
    auto chart = [](ParamField row) {
        return WithTopic(Within("backgroundProps", std::move(row)), kChartAreaHelp);
    };
    // Background art and the chart area's border and fill exclude each other: those switches,
    // the spins and the divisions are the page's own.
    std::vector<ParamField> rows = {
        WithTopic(OwnRow({Page::IDC_USE_ART}, {"useBackgroundArt"}), kChartAreaHelp),
        chart(OwnRow({Page::IDC_CHART_BORDER}, {"showBorder"})),
        chart(OwnRow({Page::IDC_CHART_FILL}, {"showFill"})),
        chart(ColourRow(Page::IDC_CHART_BORDER_COLOR, "borderColor")),
        chart(ColourRow(Page::IDC_CHART_FILL_COLOR, "fillColor")),
        chart(OwnRow({Page::IDC_CHART_WEIGHT}, {"borderWeight"})),
        plot(CheckRow(Page::IDC_PLOT_BORDER, "showBorder")),
        plot(CheckRow(Page::IDC_PLOT_FILL, "showFill")),
        plot(ColourRow(Page::IDC_PLOT_BORDER_COLOR, "borderColor")),
        plot(ColourRow(Page::IDC_PLOT_FILL_COLOR, "fillColor")),
        plot(OwnRow({Page::IDC_PLOT_WEIGHT}, {"borderWeight"})),
        WithTopic(OwnRow({Page::IDC_MARGIN}, {"chartMargin"}), kPlotAreaHelp),
        WithTopic(OwnRow({Page::IDC_MAJOR}, {"numMajor"}), kPlotAreaHelp),
        WithTopic(OwnRow({Page::IDC_MINOR}, {"numMinor"}), kPlotAreaHelp),
    };
    AddFamilyRows(rows, Page::IDC_HMAJOR, "showYAxisMajor", "YAxisMajorColor", "YAxisMajorWeight",
                  kHorizontalHelp);
    AddFamilyRows(rows, Page::IDC_HMINOR, "showYAxisMinor", "YAxisMinorColor", "YAxisMinorWeight",
                  kHorizontalHelp);
    AddFamilyRows(rows, Page::IDC_VMAJOR, "showXAxisMajor", "XAxisMajorColor", "XAxisMajorWeight",
                  kVerticalHelp);
    AddFamilyRows(rows, Page::IDC_VMINOR, "showXAxisMinor", "XAxisMinorColor", "XAxisMinorWeight",
                  kVerticalHelp);
    return rows;
}

} // namespace

CChartLayoutPage::CChartLayoutPage()
    : CChartSubPageBase([](const CFieldPage&) { return MakeTemplate(); }, Rows(),
                        [](const CFieldPage& page) {
                            return ChartHelpTopic(kOtherHelp,
                                                  static_cast<const CChartLayoutPage&>(page).GetChartType());
                        })
{
}

BOOL CChartLayoutPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                              CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    // A chart of an older document may lack the area sets: their controls then stay disabled.
    m_chartArea = NestedSet(group, "backgroundProps");
    m_plotArea = NestedSet(group, "plotAreaProps");
    return TRUE;
}

CParameter* CChartLayoutPage::Find(const char* key) const
{
    return GetGroup() != nullptr ? GetGroup()->FindParameter(key) : nullptr;
}

bool CChartLayoutPage::Has(const CParameterSet* set, const char* key) const
{
    return set != nullptr && set->FindParameter(key) != nullptr;
}

BOOL CChartLayoutPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    BindCheckBox("useBackgroundArt", IDC_USE_ART, false);
    BindCheckBoxInSet("showBorder", IDC_CHART_BORDER, m_chartArea, false);
    BindCheckBoxInSet("showFill", IDC_CHART_FILL, m_chartArea, false);
    // The rows: the areas' colours and plot switches, and (but for a pie) the gridlines.
    ShowFields();

    if (m_chartType == kChartBar || m_chartType == kChartStackBar) {
        // Bars lie along the category axis, so the value divisions run vertically.
        SetItemText(IDC_MAJOR_LABEL, "Number of Major Vertical Divisions");
        SetItemText(IDC_MINOR_LABEL, "Number of Minor Vertical Divisions");
    }
    if (m_chartType == kChartPie) {
        for (Family& family : m_families) {
            family.button.SubclassDlgItem(static_cast<UINT>(family.base + kFamilyColour), this, RGB(0xC0, 0xC0, 0xC0),
                                          0x010101, 0x808080, 2);
            for (int id : {family.base + kFamilyCheck, family.base + kFamilyColour}) {
                EnableItem(id, false);
                ShowItem(id, false);
            }
            ShowItem(family.base + kFamilyWeightLabel, false);
        }
        for (int id : {IDC_MAJOR_LABEL, IDC_MINOR_LABEL, IDC_HGRID_GROUP, IDC_VGRID_GROUP})
            ShowItem(id, false);
    }
    return TRUE;
}

BOOL CChartLayoutPage::OnSetActive()
{
    BindSpin(IDC_CHART_WEIGHT, Has(m_chartArea, "borderWeight") ? m_chartArea->FindParameter("borderWeight") : nullptr,
             true);
    BindSpin(IDC_MARGIN, Find("chartMargin"), true);
    BindSpin(IDC_PLOT_WEIGHT, Has(m_plotArea, "borderWeight") ? m_plotArea->FindParameter("borderWeight") : nullptr,
             true);
    BindSpin(IDC_MAJOR, Find("numMajor"), true);
    BindSpin(IDC_MINOR, Find("numMinor"), true);
    for (Family& family : m_families) {
        family.weightBound = BindSpin(family.base + kFamilyWeight, Find(family.weightKey), false);
        if (!family.weightBound)
            EnableItem(family.base + kFamilyWeightLabel, false);
    }
    // The rows read again what another tab may have changed; the page's rules come after.
    ShowFields();
    UpdateControlStates();
    return CComponentPage::OnSetActive();
}

void CChartLayoutPage::EnableChartBorder(bool on)
{
    EnableItem(IDC_CHART_BORDER_COLOR, on && Has(m_chartArea, "borderColor"));
    EnableItem(IDC_CHART_WEIGHT, on && Has(m_chartArea, "borderWeight"));
    EnableItem(IDC_CHART_WEIGHT_LABEL, on);
}

void CChartLayoutPage::EnableFamily(Family& family, bool on)
{
    EnableItem(family.base + kFamilyColour, on && Find(family.colourKey) != nullptr);
    EnableItem(family.base + kFamilyWeight, on);
    EnableItem(family.base + kFamilyWeightLabel, on);
}

void CChartLayoutPage::UpdateControlStates()
{
    // What the boxes show decides, not what is stored: art and a border stored together show
    // the art alone until the user clicks.
    if (IsChecked(IDC_USE_ART)) {
        SetChecked(IDC_CHART_BORDER, false);
        SetChecked(IDC_CHART_FILL, false);
    }
    const bool chartBorder = IsChecked(IDC_CHART_BORDER);
    if (chartBorder)
        SetChecked(IDC_USE_ART, false);
    EnableChartBorder(chartBorder);
    const bool chartFill = IsChecked(IDC_CHART_FILL);
    if (chartFill)
        SetChecked(IDC_USE_ART, false);
    EnableItem(IDC_CHART_FILL_COLOR, chartFill && Has(m_chartArea, "fillColor"));
    UpdatePlotArea();

    if (m_chartType == kChartPie) {
        for (Family& family : m_families)
            ShowItem(family.base + kFamilyWeight, false);
        return;
    }
    for (Family& family : m_families)
        if (family.weightBound)
            EnableFamily(family, IsChecked(family.base + kFamilyCheck));

    // Divisions are the user's to set only under a manual scale.
    const CParameter* autofocus = FindInRoot("autofocus");
    if (autofocus != nullptr && ChoiceText(autofocus) == "off") {
        EnableItem(IDC_MAJOR, Find("numMajor") != nullptr);
        EnableItem(IDC_MAJOR_LABEL, true);
        EnableItem(IDC_MINOR, Find("numMinor") != nullptr);
        EnableItem(IDC_MINOR_LABEL, true);
    } else {
        EnableItem(IDC_MAJOR, false);
        EnableItem(IDC_MAJOR_LABEL, false);
    }
}

void CChartLayoutPage::UpdatePlotArea()
{
    const bool plotBorder = IsChecked(IDC_PLOT_BORDER);
    EnableItem(IDC_PLOT_BORDER_COLOR, plotBorder && Has(m_plotArea, "borderColor"));
    EnableItem(IDC_PLOT_WEIGHT, plotBorder && Has(m_plotArea, "borderWeight"));
    EnableItem(IDC_PLOT_WEIGHT_LABEL, plotBorder);
    EnableItem(IDC_PLOT_FILL_COLOR, IsChecked(IDC_PLOT_FILL) && Has(m_plotArea, "fillColor"));
}

void CChartLayoutPage::UpdateFamily(int base)
{
    for (Family& family : m_families)
        if (family.base == base)
            EnableFamily(family, IsChecked(base + kFamilyCheck));
}

void CChartLayoutPage::OnUseArt()
{
    if (!StoreCheck(*this, IDC_USE_ART, GetGroup(), "useBackgroundArt"))
        return;
    if (IsChecked(IDC_USE_ART)) {
        SetChecked(IDC_CHART_BORDER, false);
        StoreCheck(*this, IDC_CHART_BORDER, m_chartArea, "showBorder");
        EnableChartBorder(false);
        SetChecked(IDC_CHART_FILL, false);
        StoreCheck(*this, IDC_CHART_FILL, m_chartArea, "showFill");
        EnableItem(IDC_CHART_FILL_COLOR, false);
    }
    NotifyOwnerChanged();
}

void CChartLayoutPage::OnChartBorder()
{
    if (!StoreCheck(*this, IDC_CHART_BORDER, m_chartArea, "showBorder"))
        return;
    const bool on = IsChecked(IDC_CHART_BORDER);
    EnableChartBorder(on);
    if (on) {
        SetChecked(IDC_USE_ART, false);
        StoreCheck(*this, IDC_USE_ART, GetGroup(), "useBackgroundArt");
    }
    NotifyOwnerChanged();
}

void CChartLayoutPage::OnChartFill()
{
    if (!StoreCheck(*this, IDC_CHART_FILL, m_chartArea, "showFill"))
        return;
    const bool on = IsChecked(IDC_CHART_FILL);
    EnableItem(IDC_CHART_FILL_COLOR, on && Has(m_chartArea, "fillColor"));
    if (on) {
        SetChecked(IDC_USE_ART, false);
        StoreCheck(*this, IDC_USE_ART, GetGroup(), "useBackgroundArt");
    }
    NotifyOwnerChanged();
}
