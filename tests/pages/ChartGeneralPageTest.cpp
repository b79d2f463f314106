// The chart General tab, driven through its controls on the shipped chart parameters.

#include "model/CellBinding.h"
#include "pages/ChartGeneralPage.h"
#include "pages/PageBlocks.h"
#include "platform/controls/ListBox.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CChartGeneralPage;
using sheet::RangePickOutcome;

class ChartGeneralPageTest : public pagetest::PageTest {
protected:
    Page& OpenChart(const std::string& symbol)
    {
        page.reset();
        group = Load(symbol, "General");
        return Open<Page>(group, "General");
    }
    CListBox& List() { return *static_cast<CListBox*>(Item(Page::IDC_SERIES_LIST)); }
    CParameter* Alerts() { return pages::FindInComponent(defaults.parameters.get(), "alertsEnabled"); }

    CParameterSet* group = nullptr;
};

TEST_F(ChartGeneralPageTest, ATypedTitleReplacesTheLinkAndIsPublished)
{
    OpenChart("KVColumnChartSymbol");
    EXPECT_EQ(page->GetTitle(), "General");
    EXPECT_EQ(Text(Page::IDC_TITLE), "Column Chart");
    EXPECT_TRUE(Checked(Page::IDC_MODE_RANGE));
    // A column chart has neither Y values nor sizes per series.
    for (int id : {Page::IDC_YVALUES, Page::IDC_SIZES_LINK, Page::IDC_YVALUES_LABEL})
        EXPECT_FALSE(Visible(id)) << id;
    Picture("chart-general");

    TypeInto(Page::IDC_TITLE, "Sales by region");
    EXPECT_EQ(Param(group, "chartTitle")->GetBinding()->GetValue().GetString(), "Sales by region");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(ChartGeneralPageTest, SeriesAreAddedNamedInTurnAndRemovedKeepingASelection)
{
    Page& general = OpenChart("KVColumnChartSymbol");
    Click(Page::IDC_MODE_SERIES);
    EXPECT_FALSE(Enabled(Page::IDC_RANGE_LINK));
    EXPECT_TRUE(Enabled(Page::IDC_ADD));
    Click(Page::IDC_ADD);
    Click(Page::IDC_ADD);
    ASSERT_EQ(List().GetCount(), 2);
    EXPECT_EQ(List().GetText(0), "Series1");
    EXPECT_EQ(List().GetText(1), "Series2");
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_EQ(Text(Page::IDC_NAME), "Series2");
    // Two series of a column chart colour by series, never by alert.
    EXPECT_FALSE(Alerts()->GetBool());
    EXPECT_FALSE(Alerts()->IsEnabled());

    TypeInto(Page::IDC_NAME, "East");
    EXPECT_EQ(List().GetText(1), "East");
    EXPECT_EQ(Param(group, "seriesNames")->GetBinding()->GetValue().GetElement(1)->GetString(), "East");

    Click(Page::IDC_REMOVE); // the last one: the new last is selected
    EXPECT_EQ(List().GetCount(), 1);
    EXPECT_EQ(List().GetCurSel(), 0);
    EXPECT_TRUE(Alerts()->IsEnabled());
    Click(Page::IDC_REMOVE); // the only one: nothing is left to show
    EXPECT_EQ(List().GetCurSel(), -1);
    EXPECT_FALSE(Enabled(Page::IDC_NAME));
    EXPECT_FALSE(Enabled(Page::IDC_VALUES_LINK));
    EXPECT_EQ(general.Data().GetSeriesCount(), 0);
    EXPECT_EQ(Notified(), 5);
}

TEST_F(ChartGeneralPageTest, TheEditorStateSurvivesReopeningAndAPageNeverShownKeepsIt)
{
    OpenChart("KVColumnChartSymbol");
    Click(Page::IDC_MODE_SERIES);
    Click(Page::IDC_ADD);
    Click(Page::IDC_MODE_RANGE);
    Click(Page::IDC_COLUMNS); // no data range: only the choice is kept
    page.reset();
    int index = 0;
    ASSERT_TRUE(owner.properties.GetProperty("Series Index", &index, 4));
    EXPECT_EQ(index, 2);
    int orientation = 0;
    owner.properties.GetProperty("Row or Column", &orientation, 4);
    EXPECT_EQ(orientation, 2);

    // A page created but never opened (the sheet showed another tab) writes nothing.
    owner.properties.Clear();
    {
        Page unopened;
        unopened.SetContext(&context);
        unopened.Create(group, "General", false, &owner, defaults.parameters.get());
    }
    EXPECT_EQ(owner.properties.GetCount(), 0u);
}

TEST_F(ChartGeneralPageTest, PieBarAndBubbleLayouts)
{
    OpenChart("KVPieChartSymbol");
    EXPECT_FALSE(Enabled(Page::IDC_XTITLE_LABEL));
    EXPECT_FALSE(Enabled(Page::IDC_YTITLE_LINK));
    EXPECT_NE(Item(Page::IDC_XTITLE)->GetStyle() & ES_READONLY, 0u);

    EXPECT_EQ(Text(Page::IDC_VALUES_LABEL), "Values:");

    OpenChart("KVBarChartSymbol");
    EXPECT_EQ(Text(Page::IDC_VALUES_LABEL), "Values:");
    EXPECT_EQ(Text(Page::IDC_XTITLE_LABEL), "Value (X) Axis:");
    EXPECT_EQ(Text(Page::IDC_YTITLE_LABEL), "Category (Y) Axis:");

    OpenChart("KVBubbleChartSymbol");
    EXPECT_EQ(Text(Page::IDC_YTITLE_LABEL), "Value (Y) Axis:");
    EXPECT_EQ(Text(Page::IDC_VALUES_LABEL), "X Values:");
    EXPECT_TRUE(Visible(Page::IDC_SIZES));
    EXPECT_TRUE(Visible(Page::IDC_YVALUES_LINK));
    Picture("chart-general-bubble");
}

TEST_F(ChartGeneralPageTest, ALargeDataRangeAsksFirstAndTheLegendIsLeftToTheUser)
{
    ImportWorkbook();
    Page& general = OpenChart("KVColumnChartSymbol");
    // 257 cells: the tip is asked, and No keeps the chart as it was.
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$A$257");
    boxes->Answer(IDNO);
    Click(Page::IDC_RANGE_LINK);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, std::string(Page::kTipText) + CComponentPage::kContinueText);
    EXPECT_FALSE(general.Data().GetDataRange().IsBound());
    EXPECT_FALSE(general.Data().GetLegendHeuristic());
    EXPECT_EQ(Notified(), 0);

    // 256 cells are taken without a question.
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$A$256");
    Click(Page::IDC_RANGE_LINK);
    EXPECT_EQ(boxes->Log().size(), 1u);
    EXPECT_TRUE(general.Data().GetDataRange().IsBound());
    EXPECT_EQ(Text(Page::IDC_RANGE), "'Inputs'!$A$1:$A$256");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(ChartGeneralPageTest, HelpTopicsFollowTheChartTypeAndTheFocusedControl)
{
    OpenChart("KVLineChartSymbol");
    const std::pair<int, int> cases[] = {
        {Page::IDC_ROWS, 2120}, {Page::IDC_TITLE, 2130}, {Page::IDC_RANGE_LINK, 2115}, {Page::IDC_ADD, 2125}};
    for (auto [focus, topic] : cases) {
        Item(focus)->EnableWindow(TRUE);
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
    page.reset();
    pages::FindInComponent(defaults.parameters.get(), "chartType")->SetString("radar");
    Page& radar = Show(std::make_unique<Page>(), group, "General", defaults.parameters.get());
    EXPECT_EQ(radar.GetHelpContextId(), -1);
}

} // namespace
