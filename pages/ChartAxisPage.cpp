#include "pages/ChartAxisPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/ChartPageKit.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/controls/SpinEdit.h"

#include <cstdio>

using namespace pages;
using model::ParamType;

DialogTemplate CChartAxisPage::MakeTemplate()
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(IDD, "X-Axis");
    t.cy = 166;
    t.Add("Button", "Vertical Axis Title", IDC_TITLE_GROUP, 2, 0, 250, 36, kGroupStyle)
        .Add("Button", "Show Title", IDC_SHOW_TITLE, 8, 10, 90, 10, kCheckStyle)
        .Add("Static", "Font", IDC_TITLE_FONT_LABEL, 8, 23, 30, 8, kLabelStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_TITLE_FONT, 40, 21, 204, 12, WS_VISIBLE)
        .Add("Button", "Vertical Axis", IDC_AXIS_GROUP, 2, 38, 250, 36, kGroupStyle)
        .Add("Button", "Show Axis", IDC_SHOW_AXIS, 8, 48, 70, 10, kCheckStyle)
        .Add("Button", "Show Major Ticks", IDC_SHOW_MAJOR, 82, 48, 80, 10, kCheckStyle)
        .Add("Button", "Show Minor Ticks", IDC_SHOW_MINOR, 166, 48, 80, 10, kCheckStyle)
        .Add("Button", "", IDC_COLOR, 8, 59, 36, 12, kColorStyle)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 56, 61, 30, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_WEIGHT, 88, 59, 40, 12, kTab)
        .Add("Button", "Vertical Axis Labels", IDC_LABELS_GROUP, 2, 76, 250, 90, kGroupStyle)
        .Add("Button", "Show Labels", IDC_SHOW_LABELS, 8, 86, 90, 10, kCheckStyle)
        .Add("Static", "Font", IDC_LABEL_FONT_LABEL, 8, 99, 30, 8, kLabelStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_LABEL_FONT, 40, 97, 204, 12, WS_VISIBLE)
        .Add(CNumericFormatCtrl::kClassName, "", IDC_FORMAT, 8, 112, 238, 52, WS_VISIBLE);
    return t;
}

namespace {

// Index 0 (pie) has no axis topics. The title and labels controls share the topic of the
// axis's other controls.
const int kVerticalOther[9] = {-1, 1475, 1940, 1570, 1770, 1685, 2446, 2502, 2562};
const int kVerticalAxis[9] = {-1, 1475, 1945, 1575, 1775, 1670, 2447, 2504, 2564};
const int kHorizontalOther[9] = {-1, 1490, 1960, 1590, 1790, 1685, 2450, 2510, 2560};
const int kHorizontalAxis[9] = {-1, 1495, 1965, 1600, 1800, 1690, 2451, 2512, 2570};

const CChartAxisPage& AxisPage(const CFieldPage& page)
{
    return static_cast<const CChartAxisPage&>(page);
}

int AxisTopic(const CFieldPage& page, const int (&horizontal)[9], const int (&vertical)[9])
{
    const CChartAxisPage& axis = AxisPage(page);
    return ChartTopic(axis.GetAxis() == CChartAxisPage::kHorizontal ? horizontal : vertical,
                      axis.GetChartIndex());
}

// One class serves both axes: each field is a row over the X key taking part on the horizontal
// axis and one over the Y key on the vertical axis.
void AddBoth(std::vector<ParamField>& rows, ParamField x, ParamField y)
{
    rows.push_back(PresentWhen(std::move(x), [](const CFieldPage& page) {
        return AxisPage(page).GetAxis() == CChartAxisPage::kHorizontal;
    }));
    rows.push_back(PresentWhen(std::move(y), [](const CFieldPage& page) {
        return AxisPage(page).GetAxis() == CChartAxisPage::kVertical;
    }));
}

ParamField AxisLine(ParamField row)
{
    row.help = [](const CFieldPage& page) { return AxisTopic(page, kHorizontalAxis, kVerticalAxis); };
    return row;
}

ParamField After(ParamField row, void (CChartAxisPage::*follow)())
{
    row.afterStore = [follow](CFieldPage& page) { (static_cast<CChartAxisPage&>(page).*follow)(); };
    return row;
}

std::vector<ParamField> Rows()
{
    using Page = CChartAxisPage;
    std::vector<ParamField> rows;
    AddBoth(rows, After(CheckRow(Page::IDC_SHOW_TITLE, "showXAxisTitle"), &Page::AfterShowTitle),
            After(CheckRow(Page::IDC_SHOW_TITLE, "showYAxisTitle"), &Page::AfterShowTitle));
    AddBoth(rows, AxisLine(After(CheckRow(Page::IDC_SHOW_AXIS, "showXAxis"), &Page::AfterShowAxis)),
            AxisLine(After(CheckRow(Page::IDC_SHOW_AXIS, "showYAxis"), &Page::AfterShowAxis)));
    AddBoth(rows, AxisLine(CheckRow(Page::IDC_SHOW_MAJOR, "showXAxisMajorTicks")),
            AxisLine(CheckRow(Page::IDC_SHOW_MAJOR, "showYAxisMajorTicks")));
    AddBoth(rows, AxisLine(CheckRow(Page::IDC_SHOW_MINOR, "showXAxisMinorTicks")),
            AxisLine(CheckRow(Page::IDC_SHOW_MINOR, "showYAxisMinorTicks")));
    AddBoth(rows, AxisLine(ColourRow(Page::IDC_COLOR, "XAxisColor")),
            AxisLine(ColourRow(Page::IDC_COLOR, "YAxisColor")));
    AddBoth(rows, After(CheckRow(Page::IDC_SHOW_LABELS, "showXAxisLabels"), &Page::AfterShowLabels),
            After(CheckRow(Page::IDC_SHOW_LABELS, "showYAxisLabels"), &Page::AfterShowLabels));
    // The weight, the fonts and the number format are the page's own.
    AddBoth(rows, AxisLine(OwnRow({Page::IDC_WEIGHT}, {"XAxisWeight"})),
            AxisLine(OwnRow({Page::IDC_WEIGHT}, {"YAxisWeight"})));
    AddBoth(rows, OwnRow({Page::IDC_TITLE_FONT}, {"XAxisTitleTextFormat"}),
            OwnRow({Page::IDC_TITLE_FONT}, {"YAxisTitleTextFormat"}));
    AddBoth(rows, OwnRow({Page::IDC_LABEL_FONT}, {"XAxisTextFormat"}),
            OwnRow({Page::IDC_LABEL_FONT}, {"YAxisTextFormat"}));
    AddBoth(rows, OwnRow({Page::IDC_FORMAT}, {"XAxisFormat"}), OwnRow({Page::IDC_FORMAT}, {"YAxisFormat"}));
    return rows;
}

} // namespace

CChartAxisPage::CChartAxisPage()
    : CChartSubPage([](const CFieldPage&) { return MakeTemplate(); }, Rows(),
                    [](const CFieldPage& page) { return AxisTopic(page, kHorizontalOther, kVerticalOther); })
{
}

CChartAxisPage::~CChartAxisPage()
{
    // The weight's spin edit commits a typed value when its window goes: the page must still
    // be whole then.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CChartAxisPage::SetAxisAndCreate(CParameterSet* group, const std::string& title, bool modal,
                                      IPropertyOwner* owner, CParameterSet* root, int chartType, int axis)
{
    m_chartIndex = chartType;
    m_axis = axis == kVertical ? kVertical : kHorizontal;
    return Create(group, title, modal, owner, root);
}

BOOL CChartAxisPage::CreateForChart(int chartType, CParameterSet* group, const std::string& title, bool modal,
                                    IPropertyOwner* owner, CParameterSet* root)
{
    return SetAxisAndCreate(group, title, modal, owner, root, chartType, m_axis);
}

BOOL CChartAxisPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                            CParameterSet* root)
{
    return CFieldPage::Create(group, title, modal, owner, root);
}

std::string CChartAxisPage::Key(const char* pattern) const
{
    char key[64];
    std::snprintf(key, sizeof key, pattern, m_axis == kHorizontal ? "X" : "Y");
    return key;
}

bool CChartAxisPage::Shows(const char* pattern) const
{
    return BoolOf(GetGroup(), Key(pattern).c_str());
}

CSpinEdit* CChartAxisPage::Weight() const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_WEIGHT));
}

BOOL CChartAxisPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    ShowFields();

    CParameterSet* group = GetGroup();
    COLORREF* custom = GetContext() != nullptr ? GetContext()->customColors : nullptr;
    auto bindFont = [&](CFontDataCtrl& chooser, int id, const char* pattern) {
        chooser.SubclassDlgItem(id, this);
        const CParameter* format = ::FindTyped(group, Key(pattern).c_str(), static_cast<int>(ParamType::Group));
        chooser.Create(format != nullptr ? format->GetSet() : nullptr, GetOwner(), false, custom);
    };
    bindFont(m_titleFont, IDC_TITLE_FONT, "%sAxisTitleTextFormat");
    bindFont(m_labelFont, IDC_LABEL_FONT, "%sAxisTextFormat");
    m_format.SubclassDlgItem(IDC_FORMAT, this);
    m_format.Create(group->FindParameter(Key("%sAxisFormat").c_str()), GetOwner(), GetDialogFont(), nullptr, false);

    if (m_axis == kHorizontal) {
        SetDlgItemText(IDC_TITLE_GROUP, "Horizontal Axis Title");
        SetDlgItemText(IDC_AXIS_GROUP, "Horizontal Axis");
        SetDlgItemText(IDC_LABELS_GROUP, "Horizontal Axis Labels");
    }
    return TRUE;
}

BOOL CChartAxisPage::OnSetActive()
{
    CComponentPage::OnSetActive();
    // The rows read again what another tab may have changed; the page's rules come after.
    ShowFields();
    CParameterSet* group = GetGroup();
    if (CSpinEdit* weight = Weight()) {
        CParameter* parameter = group->FindParameter(Key("%sAxisWeight").c_str());
        weight->BindParameter(parameter, [this] { NotifyOwnerChanged(); }, GetDialogFont(), false, false);
        EnableItems(*this, {IDC_WEIGHT_LABEL}, parameter != nullptr);
    }
    // A chart made before these keys existed lacks them: its controls stay disabled.
    const bool hasTitle = group->FindParameter(Key("show%sAxisTitle").c_str()) != nullptr;
    m_titleFont.EnableControls(!hasTitle || Shows("show%sAxisTitle"));
    if (group->FindParameter(Key("show%sAxis").c_str()) != nullptr)
        EnableAxisLine(Shows("show%sAxis"));
    if (group->FindParameter(Key("show%sAxisMajorTicks").c_str()) == nullptr)
        EnableItems(*this, {IDC_SHOW_MINOR}, false);
    const bool hasLabels = group->FindParameter(Key("show%sAxisLabels").c_str()) != nullptr;
    m_labelFont.EnableControls(!hasLabels || Shows("show%sAxisLabels"));
    UpdateNumberFormatState();
    return TRUE;
}

void CChartAxisPage::EnableAxisLine(bool show)
{
    const bool colour = GetGroup()->FindParameter(Key("%sAxisColor").c_str()) != nullptr;
    EnableItems(*this, {IDC_COLOR}, show && colour);
    CParameter* weight = GetGroup()->FindParameter(Key("%sAxisWeight").c_str());
    if (CSpinEdit* spin = Weight())
        spin->EnableWindow(show && weight != nullptr ? TRUE : FALSE);
    EnableItems(*this, {IDC_WEIGHT_LABEL}, show && weight != nullptr);
}

void CChartAxisPage::UpdateNumberFormatState()
{
    auto enable = [this](bool on) {
        m_format.EnableControls(on);
        m_format.EnableWindow(on ? TRUE : FALSE);
    };
    const bool horizontal = m_axis == kHorizontal;
    const int i = m_chartIndex;
    // The category axis shows names, not numbers.
    if (((i == 1 || i == 7) && !horizontal) || ((i == 4 || i == 5 || i == 6 || i == 8) && horizontal))
        return enable(false);
    if (GetGroup()->FindParameter(Key("%sAxisFormat").c_str()) == nullptr)
        return enable(false);
    const CParameter* data = FindInComponent(GetRootSet(), "dataValues");
    const CParameter* value = data != nullptr && data->GetBinding() != nullptr ? &data->GetBinding()->GetValue() : data;
    const CParameter* first = value != nullptr ? value->GetElement(0) : nullptr;
    const bool rows = first != nullptr && model::IsIndexedList(first->GetType());
    if (!rows)
        return enable(false);
    const CParameter* fixedWidth = FindInComponent(GetRootSet(), "fixedLabelWidth");
    const bool fixed = fixedWidth != nullptr && fixedWidth->GetBool();
    m_format.LoadProperties(0, fixed);
    if (fixed && i != 0)
        return enable(false);
    enable(Shows("show%sAxisLabels"));
}

void CChartAxisPage::AfterShowTitle()
{
    m_titleFont.EnableControls(IsDlgButtonChecked(IDC_SHOW_TITLE) == BST_CHECKED);
}

void CChartAxisPage::AfterShowAxis()
{
    EnableAxisLine(IsDlgButtonChecked(IDC_SHOW_AXIS) == BST_CHECKED);
}

void CChartAxisPage::AfterShowLabels()
{
    m_labelFont.EnableControls(IsDlgButtonChecked(IDC_SHOW_LABELS) == BST_CHECKED);
    UpdateNumberFormatState();
}
