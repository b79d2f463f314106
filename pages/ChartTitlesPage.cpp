#include "pages/ChartTitlesPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;
using model::ParamType;

namespace {

const ChartHelpRow kOtherHelp = {1870, 1510, 1980, 1620, 1815, 1710, 2454, 2518, 2578};
const ChartHelpRow kTitleHelp = {1880, 1515, 1985, 1625, 1820, 1715, 2455, 2520, 2574};
const ChartHelpRow kLegendHelp = {1890, 1520, 1990, 1630, 1825, 1720, 2456, 2522, 2580};

} // namespace

BEGIN_MESSAGE_MAP(CChartTitlesPage, CChartSubPageBase)
    .Control(CBN_SELCHANGE, IDC_ALIGN, &CChartTitlesPage::OnAlignChanged) END_MESSAGE_MAP()

DialogTemplate CChartTitlesPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Titles");
    t.Add("Button", "Chart Title", IDC_TITLE_GROUP, 7, 4, 241, 106, kGroupStyle)
        .Add("Button", "Show Title", IDC_SHOW_TITLE, 14, 16, 80, 10, kCheckStyle)
        .Add("Static", "Title Font", IDC_TITLE_FONT_LABEL, 14, 32, 56, 8, kLabelStyle)
        .Add("FontData", "Value Font", IDC_TITLE_FONT, 72, 30, 170, 12, WS_VISIBLE)
        .Add("Static", "Subtitle Font", IDC_SUBTITLE_FONT_LABEL, 14, 48, 56, 8, kLabelStyle)
        .Add("FontData", "Value Font", IDC_SUBTITLE_FONT, 72, 46, 170, 12, WS_VISIBLE)
        .Add("Static", "Alignment", IDC_ALIGN_LABEL, 14, 64, 56, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_ALIGN, 72, 62, 60, 60, kComboStyle)
        .Add("Button", "Show Border", IDC_TITLE_BORDER, 14, 80, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_TITLE_BORDER_COLOR, 78, 78, 30, 13, kColorStyle)
        .Add("Static", "Weight", IDC_TITLE_WEIGHT_LABEL, 124, 81, 30, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_TITLE_WEIGHT, 158, 79, 40, 12, kTab)
        .Add("Button", "Show Fill", IDC_TITLE_FILL, 14, 95, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_TITLE_FILL_COLOR, 78, 93, 30, 13, kColorStyle)
        .Add("Button", "Legend", IDC_LEGEND_GROUP, 7, 114, 241, 76, kGroupStyle)
        .Add("Button", "Show Legend", IDC_SHOW_LEGEND, 14, 126, 80, 10, kCheckStyle)
        .Add("Static", "Font", IDC_LEGEND_FONT_LABEL, 14, 142, 56, 8, kLabelStyle)
        .Add("FontData", "Value Font", IDC_LEGEND_FONT, 72, 140, 170, 12, WS_VISIBLE)
        .Add("Button", "Show Border", IDC_LEGEND_BORDER, 14, 158, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_LEGEND_BORDER_COLOR, 78, 156, 30, 13, kColorStyle)
        .Add("Static", "Weight", IDC_LEGEND_WEIGHT_LABEL, 124, 159, 30, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "Transparency", IDC_LEGEND_WEIGHT, 158, 157, 40, 12, kTab)
        .Add("Button", "Show Fill", IDC_LEGEND_FILL, 14, 173, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_LEGEND_FILL_COLOR, 78, 171, 30, 13, kColorStyle);
    return t;
}

namespace {

// The rows of one block: its topic, and after a switch the block's controls follow.
ParamField Block(ParamField row, const ChartHelpRow& topics, void (CChartTitlesPage::*update)())
{
    row.help = [&topics](const CFieldPage& page) {
        return ChartHelpTopic(topics, static_cast<const CChartTitlesPage&>(page).GetChartType());
    };
    row.afterStore = [update](CFieldPage& page) { (static_cast<CChartTitlesPage&>(page).*update)(); };
    return row;
}

std::vector<ParamField> Rows()
{
    using Page = CChartTitlesPage;
    auto title = [](ParamField row) { return Block(std::move(row), kTitleHelp, &Page::UpdateTitleControls); };
    auto legend = [](ParamField row) {
        return Block(std::move(row), kLegendHelp, &Page::UpdateLegendControls);
    };
    // The boxes are sets of their own; a chart of an older document may lack them, and their
    // controls then stay disabled. The fonts, the alignment and the border weights are the
    // page's own.
    return {
        title(CheckRow(Page::IDC_SHOW_TITLE, "showTitles")),
        title(Within("chartTitleProps", CheckRow(Page::IDC_TITLE_BORDER, "showBorder"))),
        title(Within("chartTitleProps", CheckRow(Page::IDC_TITLE_FILL, "showFill"))),
        title(Within("chartTitleProps", ColourRow(Page::IDC_TITLE_BORDER_COLOR, "borderColor"))),
        title(Within("chartTitleProps", ColourRow(Page::IDC_TITLE_FILL_COLOR, "fillColor"))),
        title(Within("chartTitleProps", OwnRow({Page::IDC_TITLE_WEIGHT}, {"borderWeight"}))),
        title(OwnRow({Page::IDC_TITLE_FONT}, {"ChartTitleTextFormat", "titleTextFormat"})),
        title(OwnRow({Page::IDC_SUBTITLE_FONT}, {"chartSubTitleTextFormat", "subTitleTextFormat"})),
        title(OwnRow({Page::IDC_ALIGN}, {"chartTitleAlign"})),
        legend(CheckRow(Page::IDC_SHOW_LEGEND, "showLegend")),
        legend(Within("legendProps", CheckRow(Page::IDC_LEGEND_BORDER, "showBorder"))),
        legend(Within("legendProps", CheckRow(Page::IDC_LEGEND_FILL, "showFill"))),
        legend(Within("legendProps", ColourRow(Page::IDC_LEGEND_BORDER_COLOR, "borderColor"))),
        legend(Within("legendProps", ColourRow(Page::IDC_LEGEND_FILL_COLOR, "fillColor"))),
        legend(Within("legendProps", OwnRow({Page::IDC_LEGEND_WEIGHT}, {"borderWeight"}))),
        legend(OwnRow({Page::IDC_LEGEND_FONT}, {"LegendTextFormat", "legendTextFormat"})),
    };
}

} // namespace

CChartTitlesPage::CChartTitlesPage()
    : CChartSubPageBase([](const CFieldPage&) { return MakeTemplate(); }, Rows(),
                        [](const CFieldPage& page) {
                            return ChartHelpTopic(kOtherHelp,
                                                  static_cast<const CChartTitlesPage&>(page).GetChartType());
                        })
{
}

BOOL CChartTitlesPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                              CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    m_titleSet = NestedSet(group, "chartTitleProps");
    m_legendSet = NestedSet(group, "legendProps");
    return TRUE;
}

CParameterSet* CChartTitlesPage::TextFormat(std::initializer_list<const char*> keys) const
{
    // The shipped charts spell their text formats as the global style does ("titleTextFormat");
    // both spellings are the same format.
    CParameter* format = FindFirst(GetGroup(), keys);
    return format != nullptr && format->GetType() == ParamType::Group ? format->GetSet() : nullptr;
}

BOOL CChartTitlesPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    COLORREF* colours = GetContext() != nullptr ? GetContext()->customColors : nullptr;
    m_titleFont.SubclassDlgItem(IDC_TITLE_FONT, this);
    m_subtitleFont.SubclassDlgItem(IDC_SUBTITLE_FONT, this);
    m_legendFont.SubclassDlgItem(IDC_LEGEND_FONT, this);
    m_titleFont.Create(TextFormat({"ChartTitleTextFormat", "titleTextFormat"}), GetOwner(), true, colours);
    m_subtitleFont.Create(TextFormat({"chartSubTitleTextFormat", "subTitleTextFormat"}), GetOwner(), true, colours);
    m_legendFont.Create(TextFormat({"LegendTextFormat", "legendTextFormat"}), GetOwner(), true, colours);

    if (auto* align = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ALIGN))) {
        for (const char* item : {"center", "left", "right"})
            align->AddString(item);
        const std::string current = ChoiceText(Find("chartTitleAlign"));
        if (current.empty() || align->SelectString(-1, current.c_str()) == CB_ERR)
            align->SetCurSel(-1);
        if (Find("chartTitleAlign") == nullptr)
            align->EnableWindow(FALSE);
    }

    ShowFields();
    return TRUE;
}

CParameter* CChartTitlesPage::Find(const char* key) const
{
    return GetGroup() != nullptr ? GetGroup()->FindParameter(key) : nullptr;
}

BOOL CChartTitlesPage::OnSetActive()
{
    BindSpin(IDC_TITLE_WEIGHT, m_titleSet != nullptr ? m_titleSet->FindParameter("borderWeight") : nullptr, false);
    BindSpin(IDC_LEGEND_WEIGHT, m_legendSet != nullptr ? m_legendSet->FindParameter("borderWeight") : nullptr, false);
    // The rows read again what another tab may have changed; the blocks' rules come after.
    ShowFields();
    UpdateTitleControls();
    UpdateLegendControls();
    return CComponentPage::OnSetActive();
}

namespace {

// A control of a box is usable when its parameter exists and the rule allows it.
bool Has(const CParameterSet* set, const char* key)
{
    return set != nullptr && set->FindParameter(key) != nullptr;
}

} // namespace

void CChartTitlesPage::UpdateTitleControls()
{
    const bool on = IsChecked(IDC_SHOW_TITLE) && Find("showTitles") != nullptr;
    EnableItem(IDC_TITLE_FONT_LABEL, on);
    EnableItem(IDC_SUBTITLE_FONT_LABEL, on);
    EnableItem(IDC_ALIGN_LABEL, on);
    EnableItem(IDC_ALIGN, on && Find("chartTitleAlign") != nullptr);
    for (CFontDataCtrl* font : {&m_titleFont, &m_subtitleFont}) {
        font->EnableWindow(on);
        font->EnableControls(on);
    }
    EnableItem(IDC_TITLE_BORDER, on && Has(m_titleSet, "showBorder"));
    EnableItem(IDC_TITLE_FILL, on && Has(m_titleSet, "showFill"));
    const bool border = on && IsChecked(IDC_TITLE_BORDER);
    EnableItem(IDC_TITLE_BORDER_COLOR, border && Has(m_titleSet, "borderColor"));
    EnableItem(IDC_TITLE_WEIGHT, border && Has(m_titleSet, "borderWeight"));
    EnableItem(IDC_TITLE_WEIGHT_LABEL, border);
    EnableItem(IDC_TITLE_FILL_COLOR, on && IsChecked(IDC_TITLE_FILL) && Has(m_titleSet, "fillColor"));
}

void CChartTitlesPage::UpdateLegendControls()
{
    bool on = IsChecked(IDC_SHOW_LEGEND) && Find("showLegend") != nullptr;
    const CParameter* alerts = FindInRoot("alertsEnabled");
    if (alerts != nullptr && alerts->GetType() == ParamType::Boolean) {
        // Alert colours replace the series colours, so a legend would explain nothing; the
        // stored choice stays for when the alerts go off.
        if (alerts->GetBool()) {
            on = false;
            SetChecked(IDC_SHOW_LEGEND, false);
            EnableItem(IDC_SHOW_LEGEND, false);
        } else {
            EnableItem(IDC_SHOW_LEGEND, Find("showLegend") != nullptr);
        }
    }
    EnableItem(IDC_LEGEND_FONT_LABEL, on);
    m_legendFont.EnableWindow(on);
    m_legendFont.EnableControls(on);
    EnableItem(IDC_LEGEND_BORDER, on && Has(m_legendSet, "showBorder"));
    EnableItem(IDC_LEGEND_FILL, on && Has(m_legendSet, "showFill"));
    const bool border = on && IsChecked(IDC_LEGEND_BORDER);
    EnableItem(IDC_LEGEND_BORDER_COLOR, border && Has(m_legendSet, "borderColor"));
    EnableItem(IDC_LEGEND_WEIGHT, border && Has(m_legendSet, "borderWeight"));
    EnableItem(IDC_LEGEND_WEIGHT_LABEL, border);
    EnableItem(IDC_LEGEND_FILL_COLOR, on && IsChecked(IDC_LEGEND_FILL) && Has(m_legendSet, "fillColor"));
}

void CChartTitlesPage::OnAlignChanged()
{
    auto* align = dynamic_cast<CComboBox*>(GetDlgItem(IDC_ALIGN));
    CParameter* parameter = Find("chartTitleAlign");
    if (align == nullptr || parameter == nullptr || align->GetCurSel() == CB_ERR)
        return;
    const std::string text = align->GetLBText(align->GetCurSel());
    if (parameter->GetType() == ParamType::Choice) {
        if (parameter->GetValueList() == nullptr || !model::StoreChoiceText(parameter->GetValueList()->GetPrototype(), text, false))
            return;
    } else {
        parameter->SetString(text);
    }
    NotifyOwnerChanged();
}
