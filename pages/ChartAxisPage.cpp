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

BEGIN_MESSAGE_MAP(CChartAxisPage, CComponentPage)
    .Command(IDC_SHOW_TITLE, &CChartAxisPage::OnShowTitle)
    .Command(IDC_SHOW_AXIS, &CChartAxisPage::OnShowAxis)
    .Command(IDC_SHOW_MAJOR, &CChartAxisPage::OnShowMajor)
    .Command(IDC_SHOW_MINOR, &CChartAxisPage::OnShowMinor)
    .Command(IDC_SHOW_LABELS, &CChartAxisPage::OnShowLabels)
    .Command(IDC_COLOR, &CChartAxisPage::OnColor) END_MESSAGE_MAP()

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

CChartAxisPage::CChartAxisPage() = default;
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
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate());
    return TRUE;
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
    CComponentPage::OnInitDialog();
    BindCheckBox(Key("show%sAxisTitle").c_str(), IDC_SHOW_TITLE, false);
    BindCheckBox(Key("show%sAxis").c_str(), IDC_SHOW_AXIS, false);
    BindCheckBox(Key("show%sAxisMajorTicks").c_str(), IDC_SHOW_MAJOR, false);
    BindCheckBox(Key("show%sAxisMinorTicks").c_str(), IDC_SHOW_MINOR, false);
    BindCheckBox(Key("show%sAxisLabels").c_str(), IDC_SHOW_LABELS, false);
    BindColorButton(Key("%sAxisColor").c_str(), IDC_COLOR, m_color, false);

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
    m_color.EnableWindow(show && colour ? TRUE : FALSE);
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

void CChartAxisPage::WriteCheck(int checkId, const char* pattern)
{
    CParameter* parameter = GetGroup()->FindParameter(Key(pattern).c_str());
    if (parameter == nullptr)
        return;
    parameter->SetBool(IsDlgButtonChecked(checkId) == BST_CHECKED);
    NotifyOwnerChanged();
}

void CChartAxisPage::OnShowTitle()
{
    m_titleFont.EnableControls(IsDlgButtonChecked(IDC_SHOW_TITLE) == BST_CHECKED);
    WriteCheck(IDC_SHOW_TITLE, "show%sAxisTitle");
}

void CChartAxisPage::OnShowAxis()
{
    EnableAxisLine(IsDlgButtonChecked(IDC_SHOW_AXIS) == BST_CHECKED);
    WriteCheck(IDC_SHOW_AXIS, "show%sAxis");
}

void CChartAxisPage::OnShowMajor()
{
    WriteCheck(IDC_SHOW_MAJOR, "show%sAxisMajorTicks");
}

void CChartAxisPage::OnShowMinor()
{
    WriteCheck(IDC_SHOW_MINOR, "show%sAxisMinorTicks");
}

void CChartAxisPage::OnShowLabels()
{
    m_labelFont.EnableControls(IsDlgButtonChecked(IDC_SHOW_LABELS) == BST_CHECKED);
    CParameter* parameter = GetGroup()->FindParameter(Key("show%sAxisLabels").c_str());
    if (parameter != nullptr)
        parameter->SetBool(IsDlgButtonChecked(IDC_SHOW_LABELS) == BST_CHECKED);
    UpdateNumberFormatState();
    if (parameter != nullptr)
        NotifyOwnerChanged();
}

void CChartAxisPage::OnColor()
{
    const std::string key = Key("%sAxisColor");
    if (GetGroup()->FindParameter(key.c_str()) != nullptr)
        OnColorButtonClicked(key.c_str(), m_color, GetGroup());
}

int CChartAxisPage::GetHelpContextId()
{
    // Index 0 (pie) has no axis topics. The title and labels controls share the topic of the
    // axis's other controls.
    static const int verticalOther[9] = {-1, 1475, 1940, 1570, 1770, 1685, 2446, 2502, 2562};
    static const int verticalAxis[9] = {-1, 1475, 1945, 1575, 1775, 1670, 2447, 2504, 2564};
    static const int horizontalOther[9] = {-1, 1490, 1960, 1590, 1790, 1685, 2450, 2510, 2560};
    static const int horizontalAxis[9] = {-1, 1495, 1965, 1600, 1800, 1690, 2451, 2512, 2570};
    const bool horizontal = m_axis == kHorizontal;
    switch (GetFocusedPageControlId()) {
    case IDC_SHOW_AXIS:
    case IDC_SHOW_MAJOR:
    case IDC_SHOW_MINOR:
    case IDC_WEIGHT:
    case IDC_COLOR:
        return ChartTopic(horizontal ? horizontalAxis : verticalAxis, m_chartIndex);
    default:
        return ChartTopic(horizontal ? horizontalOther : verticalOther, m_chartIndex);
    }
}
