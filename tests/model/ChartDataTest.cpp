#include "FakeModelLink.h"

#include "model/BindingLink.h"
#include "model/ChartData.h"
#include "model/Component.h"
#include "model/ComponentDef.h"
#include "model/ParameterSet.h"

#include "swf/ActionList.h"

#include <gtest/gtest.h>

#include <set>

using namespace model;

namespace {

std::unique_ptr<CParameter> BoundList(const char* name)
{
    auto p = std::make_unique<CParameter>(name, ParamType::CellBinding);
    p->GetBinding()->SetValue(std::make_unique<CParameter>(name, ParamType::List));
    return p;
}

// A chart's parameters: the type and titles in "General", the data in the whole set.
std::unique_ptr<CParameterSet> ChartSet(const char* type)
{
    auto set = std::make_unique<CParameterSet>();
    auto general = set->Add(std::make_unique<CParameter>("General", ParamType::Group));
    general->GetSet()->Add(std::make_unique<CParameter>("chartType", ParamType::Text))->SetString(type);
    general->GetSet()->Add(std::make_unique<CParameter>("chartTitle", ParamType::Text));
    general->GetSet()->Add(BoundList("categoryLabels"));
    auto appearance = set->Add(std::make_unique<CParameter>("Appearance", ParamType::Group));
    appearance->GetSet()->Add(std::make_unique<CParameter>("showLegend", ParamType::Boolean));
    set->Add(BoundList("seriesNames"));
    set->Add(BoundList("dataValues"));
    set->Add(std::make_unique<CParameter>("alertsEnabled", ParamType::Boolean))->SetBool(true);
    return set;
}

std::vector<std::string> Elements(const CParameter& bound)
{
    std::vector<std::string> out;
    const CParameter& list = bound.GetBinding()->GetValue();
    for (int i = 0; i < list.GetElementCount(); ++i) {
        out.push_back(list.GetElement(i)->GetValueText());
    }
    return out;
}

// The cells of one part of a chart's published series (three parts per series: values, Y
// values, sizes), row after row.
std::vector<std::string> Part(const CParameter& bound, int k)
{
    std::vector<std::string> out;
    const CParameter* part = bound.GetBinding()->GetValue().GetElement(k);
    for (int r = 0; part && r < part->GetElementCount(); ++r) {
        const CParameter* row = part->GetElement(r);
        for (int c = 0; c < row->GetElementCount(); ++c) {
            out.push_back(row->GetElement(c)->GetValueText());
        }
    }
    return out;
}

std::set<std::int32_t> LinkedCells(const CParameter& bound)
{
    std::set<std::int32_t> ids;
    for (int i = 0; i < bound.GetBinding()->GetLinkCount(); ++i) {
        ids.insert(bound.GetBinding()->GetLink(i)->GetCellId());
    }
    return ids;
}

class ChartDataTest : public ::testing::Test {
protected:
    // Quarter labels along the top, regions down the left, the top-left cell empty.
    void SetUp() override
    {
        const char* quarters[] = {"Q1", "Q2", "Q3"};
        for (int c = 0; c < 3; ++c) {
            link.SetText(0, c + 1, quarters[c]);
            link.SetNumber(1, c + 1, c + 1);
            link.SetNumber(2, c + 1, c + 4);
        }
        link.SetText(1, 0, "North");
        link.SetText(2, 0, "South");
    }
    FakeModelLink link;
};

} // namespace

TEST_F(ChartDataTest, HeadersOfARangeWithAnEmptyCorner)
{
    auto set = ChartSet("column");
    CParameterSet* general = set->FindParameter("General")->GetSet();
    CChartData chart;
    chart.SetChartType(general, set.get());
    EXPECT_EQ(chart.GetKind(), CChartData::kCategory);
    chart.GetDataRange().UpdateRangeText(link.Add(0, 0, 3, 4));
    chart.RebuildFromRange(true);
    EXPECT_EQ(chart.GetHeaderRows(), 1);
    EXPECT_EQ(chart.GetHeaderColumns(), 1);
    EXPECT_EQ(chart.GetOrientation(), CChartData::kSeriesInRows);
    EXPECT_EQ(link.RectOf(*chart.GetDataBlock().GetRangePtr()), (FakeModelLink::Rect{1, 1, 2, 3}));
    EXPECT_EQ(Elements(*general->FindParameter("categoryLabels")),
              (std::vector<std::string>{"Q1", "Q2", "Q3"}));

    chart.BuildSeries();
    ASSERT_EQ(chart.GetSeriesCount(), 2);
    EXPECT_EQ(chart.GetSeries(0)->GetName(), "North");
    EXPECT_EQ(chart.GetSeries(1)->GetValues().GetValue().GetElement(2)->GetDouble(), 6);

    chart.UpdateParameters();
    EXPECT_EQ(Elements(*set->FindParameter("seriesNames")), (std::vector<std::string>{"North", "South"}));
    // Three parts per series, the values of each from its own line of the block.
    EXPECT_EQ(Elements(*set->FindParameter("dataValues")).size(), 6u);
    EXPECT_EQ(Part(*set->FindParameter("dataValues"), 3), (std::vector<std::string>{"4", "5", "6"}));
    CParameter* alerts = set->FindParameter("alertsEnabled");
    EXPECT_FALSE(alerts->GetBool());
    EXPECT_FALSE(alerts->IsEnabled());
    EXPECT_TRUE(set->FindParameter("Appearance")->GetSet()->FindParameter("showLegend")->GetBool());

    // A second model over the same parameters finds the series again.
    CChartData reloaded;
    reloaded.SetChartType(general, set.get());
    reloaded.Reload();
    ASSERT_EQ(reloaded.GetSeriesCount(), 2);
    EXPECT_EQ(reloaded.GetSeries(1)->GetName(), "South");
    EXPECT_TRUE(reloaded.GetSeries(1)->GetValues().IsBound());
    // The page shows each series' cells by their reference text.
    EXPECT_EQ(reloaded.GetSeries(1)->GetValues().GetTexts().GetRangeText(), "R2C1:1x3");
    EXPECT_EQ(chart.GetSeries(0)->GetValues().GetTexts().GetRangeText(), "R1C1:1x3");
}

// Values bound straight to cells, as the shipped documents hold them, show as the chart's
// data range and one series over the same cells.
TEST_F(ChartDataTest, ValuesBoundStraightToCellsAreOneSeries)
{
    auto set = ChartSet("column");
    CParameterSet* general = set->FindParameter("General")->GetSet();
    const model::RangeHandle* values = link.Add(1, 1, 1, 3);
    set->FindParameter("dataValues")->GetBinding()->RefreshParameter(values, false);
    CChartData chart;
    chart.SetChartType(general, set.get());
    chart.Reload();
    EXPECT_EQ(chart.GetDataRange().GetRangePtr(), values);
    ASSERT_EQ(chart.GetSeriesCount(), 1);
    EXPECT_EQ(chart.GetSeries(0)->GetValues().GetRangePtr(), values);
    EXPECT_EQ(chart.GetSeries(0)->GetValues().GetTexts().GetRangeText(), "R1C1:1x3");

    // Unbound values give no series.
    set->FindParameter("dataValues")->GetBinding()->RefreshParameter(nullptr, false);
    chart.Reload();
    EXPECT_EQ(chart.GetSeriesCount(), 0);
}

// A chart opened again (its series reloaded from the document) or bound straight to its cells
// keeps its values where they are when a series is added, renamed or removed; a data range cut
// again is followed.
TEST_F(ChartDataTest, SeriesEditedAfterReloadingKeepTheValuesBound)
{
    auto set = ChartSet("column");
    CParameterSet* general = set->FindParameter("General")->GetSet();
    CCellBinding& values = *set->FindParameter("dataValues")->GetBinding();
    {
        CChartData picked;
        picked.SetChartType(general, set.get());
        picked.GetDataRange().UpdateRangeText(link.Add(0, 0, 3, 4));
        picked.RebuildFromRange(true);
        picked.BuildSeries();
        picked.UpdateParameters();
    }
    const CParameter& data = *set->FindParameter("dataValues");
    ASSERT_TRUE(values.IsBound());
    const std::vector<std::string> north{"1", "2", "3"}, south{"4", "5", "6"};
    EXPECT_EQ(Part(data, 0), north);
    EXPECT_EQ(Part(data, 3), south);

    CChartData reopened;
    reopened.SetChartType(general, set.get());
    reopened.Reload();
    reopened.AddNamedSeries();
    reopened.UpdateParameters();
    reopened.RemoveSeries(2);
    reopened.UpdateParameters();
    ASSERT_TRUE(values.IsBound()) << "the values lost their cells";
    EXPECT_EQ(Elements(data).size(), 6u);
    EXPECT_EQ(Part(data, 0), north);
    EXPECT_EQ(Part(data, 3), south);
    EXPECT_EQ(values.GetLinkCount(), 6);

    reopened.GetDataRange().UpdateRangeText(link.Add(0, 0, 2, 4));
    reopened.RebuildFromRange(false);
    reopened.BuildSeries();
    reopened.UpdateParameters();
    EXPECT_EQ(link.AreasOf(*values.GetRangePtr()), (std::vector<FakeModelLink::Rect>{{1, 1, 1, 3}}));
    EXPECT_EQ(Elements(data).size(), 3u);

    // Bound straight to cells, as the shipped documents are.
    const model::RangeHandle* straight = link.Add(1, 1, 1, 3);
    values.RefreshParameter(straight, false);
    CChartData shipped;
    shipped.SetChartType(general, set.get());
    shipped.Reload();
    shipped.AddNamedSeries();
    shipped.UpdateParameters();
    EXPECT_EQ(values.GetRangePtr(), straight);
}

// Series given their cells one by one, without a data range, reach the movie from those cells;
// picking a series' cells again replaces them, and a chart without cells keeps no old values.
TEST_F(ChartDataTest, SeriesPickedOneByOneArePublishedFromTheirOwnCells)
{
    auto set = ChartSet("column");
    CParameterSet* general = set->FindParameter("General")->GetSet();
    const CParameter& data = *set->FindParameter("dataValues");
    CChartData chart;
    chart.SetChartType(general, set.get());
    CCellBinding& first = chart.AddNamedSeries().GetValues();
    CCellBinding& second = chart.AddNamedSeries().GetValues();
    first.RefreshParameter(link.Add(1, 1, 2, 1), false); // a column: 1, 4
    chart.UpdateParameters();
    second.RefreshParameter(link.Add(1, 3, 2, 1), false); // 3, 6
    chart.UpdateParameters();
    EXPECT_EQ(Part(data, 0), (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(Part(data, 3), (std::vector<std::string>{"3", "6"}));
    EXPECT_EQ(LinkedCells(data), (std::set<std::int32_t>{FakeModelLink::IdOf(1, 1), FakeModelLink::IdOf(2, 1),
                                                         FakeModelLink::IdOf(1, 3), FakeModelLink::IdOf(2, 3)}));
    // The binding's range spans both series, for the cells the movie's data files list.
    EXPECT_EQ(link.CountCells(*data.GetBinding()->GetRangePtr()), 4u);

    first.RefreshParameter(link.Add(1, 2, 2, 1), false); // picked again: 2, 5
    chart.UpdateParameters();
    EXPECT_EQ(Part(data, 0), (std::vector<std::string>{"2", "5"}));
    EXPECT_EQ(LinkedCells(data).count(FakeModelLink::IdOf(1, 1)), 0u);

    // What opening the document or a model refresh does: the value is read again from the
    // binding's range, series by series.
    link.SetNumber(1, 2, 42);
    data.GetBinding()->RefreshParameter(data.GetBinding()->GetRangePtr(), false);
    EXPECT_EQ(Part(data, 0), (std::vector<std::string>{"42", "5"}));
    CChartData reopened;
    reopened.SetChartType(general, set.get());
    reopened.Reload();
    ASSERT_EQ(reopened.GetSeriesCount(), 2);
    EXPECT_EQ(link.RectOf(*reopened.GetSeries(1)->GetValues().GetRangePtr()), (FakeModelLink::Rect{1, 3, 2, 1}));

    // The workbook imported again: a new table, where the binding is bound again by its text and
    // the recorded positions name other ranges.
    link.ReplaceTable();
    link.Add(1, 1, 3, 3);
    data.GetBinding()->RefreshParameter(link.AddAreas({{1, 2, 2, 1}, {1, 3, 2, 1}}), false);
    EXPECT_EQ(Part(data, 0), (std::vector<std::string>{"42", "5"}));
    EXPECT_EQ(Part(data, 3), (std::vector<std::string>{"3", "6"}));

    reopened.RemoveSeries(1);
    reopened.RemoveSeries(0);
    reopened.UpdateParameters();
    EXPECT_EQ(data.GetBinding()->GetValue().GetElementCount(), 0);
    EXPECT_EQ(data.GetBinding()->GetLinkCount(), 0);

    // An XY series publishes its own X and Y values.
    auto xySet = ChartSet("xy");
    const CParameter& xyData = *xySet->FindParameter("dataValues");
    CChartData xy;
    xy.SetChartType(xySet->FindParameter("General")->GetSet(), xySet.get());
    for (int c = 0; c < 3; ++c) {
        link.SetNumber(20, c, c + 1);
        link.SetNumber(21, c, c + 4);
    }
    CChartSeries& series = xy.AddNamedSeries();
    series.GetValues().RefreshParameter(link.Add(20, 0, 1, 3), false);
    series.GetYValues().RefreshParameter(link.Add(21, 0, 1, 3), false);
    xy.UpdateParameters();
    EXPECT_EQ(Part(xyData, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Part(xyData, 1), (std::vector<std::string>{"4", "5", "6"}));
    EXPECT_TRUE(Part(xyData, 2).empty());
}

TEST_F(ChartDataTest, RefreshingAChartFromTheModelKeepsItsCellLinks)
{
    CComponentDef definition("KVColumnChartSymbol", "Column Chart");
    CSwfComponent chartComponent(&definition);
    chartComponent.SetParameters(ChartSet("column"));
    CParameterSet* set = chartComponent.GetParameters();
    CParameterSet* general = set->FindParameter("General")->GetSet();
    {
        CChartData chart; // what the chart General page does with a picked range
        chart.SetChartType(general, set);
        chart.GetDataRange().UpdateRangeText(link.Add(0, 0, 3, 4));
        chart.RebuildFromRange(true);
        chart.BuildSeries();
        chart.UpdateParameters();
    }
    const char* bound[] = {"dataValues", "seriesNames"};
    for (const char* name : bound) {
        ASSERT_TRUE(set->FindParameter(name)->GetBinding()->IsBound()) << name;
    }

    link.SetNumber(1, 1, 42);
    link.SetText(2, 0, "West");
    chartComponent.RefreshFromModel();
    for (const char* name : bound) {
        EXPECT_TRUE(set->FindParameter(name)->GetBinding()->IsBound()) << name;
    }
    EXPECT_EQ(Part(*set->FindParameter("dataValues"), 0)[0], "42");
    EXPECT_EQ(Elements(*set->FindParameter("seriesNames")), (std::vector<std::string>{"North", "West"}));
    EXPECT_TRUE(general->FindParameter("categoryLabels")->GetBinding()->IsBound());
}

TEST_F(ChartDataTest, OrientationAndSeriesByKind)
{
    // A plain block of numbers, three rows by two columns, without headers.
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 2; ++c) {
            link.SetNumber(10 + r, c, r * 2 + c);
        }
    }
    struct Case {
        const char* type;
        int series;
        int orientation;
    };
    const Case cases[] = {{"line", 2, 2}, {"pie", 2, 2}, {"xy", 1, 2}, {"bubble", 1, 1}};
    for (const Case& c : cases) {
        auto set = ChartSet(c.type);
        CChartData chart;
        chart.SetChartType(set->FindParameter("General")->GetSet(), set.get());
        chart.GetDataRange().UpdateRangeText(link.Add(10, 0, 3, 2));
        chart.RebuildFromRange(true);
        EXPECT_EQ(chart.GetHeaderRows(), 0) << c.type;
        EXPECT_EQ(chart.GetHeaderColumns(), 0) << c.type;
        EXPECT_EQ(chart.GetOrientation(), c.orientation) << c.type;
        chart.BuildSeries();
        EXPECT_EQ(chart.GetSeriesCount(), c.series) << c.type;
        if (c.series > 0) {
            EXPECT_EQ(chart.GetSeries(0)->GetName(), "Series1") << c.type;
        }
        chart.UpdateParameters();
        bool legend = set->FindParameter("Appearance")->GetSet()->FindParameter("showLegend")->GetBool();
        EXPECT_EQ(legend, c.series > 1 && std::string(c.type) != "pie") << c.type;
    }

    // No range: everything derived from it is cleared.
    auto set = ChartSet("column");
    CChartData chart;
    chart.SetChartType(set->FindParameter("General")->GetSet(), set.get());
    chart.RebuildFromRange(true);
    EXPECT_FALSE(chart.GetDataBlock().IsBound());
    chart.BuildSeries();
    EXPECT_EQ(chart.GetSeriesCount(), 0);
}

TEST_F(ChartDataTest, ComponentsCollectSplitAndRelateTheirLinks)
{
    CComponentDef definition("KVChartSymbol", "Chart");
    CSwfComponent a(&definition);
    a.SetName("a_1");
    a.SetParameters(ChartSet("column"));
    CParameter* title = a.GetParameters()->FindParameter("General")->GetSet()->FindParameter("chartTitle");
    title->SetType(ParamType::CellBinding);
    title->RefreshFromCells(link.Add(1, 0, 1, 1), false);
    a.GetParameters()->FindParameter("dataValues")->RefreshFromCells(link.Add(1, 1, 1, 3), false);

    std::vector<CBindingLink*> links;
    a.CollectBindingLinks(links);
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0]->GetOwnerName(), "a_1");
    links[0]->SetKind(kLinkConstant);
    for (std::size_t i = 1; i < links.size(); ++i) {
        links[i]->SetKind(kLinkFormula);
    }
    std::vector<CBindingLink*> constants, formulas;
    a.SplitBindingLinks(constants, formulas);
    EXPECT_EQ(constants.size(), 1u);
    EXPECT_EQ(formulas.size(), 3u);

    CSwfComponent b(a);
    b.SetName("b_1");
    std::vector<CBindingLink*> other;
    b.CollectBindingLinks(other);
    links[0]->AddSameCellLink(other[0]);
    links[0]->AddDependentLink(other[1]);
    links[1]->AddDependentLink(links[2]); // its own links never name itself
    a.RebuildLinkNameSets();
    EXPECT_EQ(a.GetFirstLinkNames(), (std::set<std::string>{"b_1"}));
    EXPECT_EQ(a.GetSecondLinkNames(), (std::set<std::string>{"b_1"}));
    a.ClearBindingValues();
    EXPECT_TRUE(links[0]->GetSameCellLinks().empty());

    link.SetNumber(1, 1, 99);
    a.RefreshFromModel();
    EXPECT_EQ(Elements(*a.GetParameters()->FindParameter("dataValues"))[0], "99");
}

namespace {
struct RecordingScripts : IComponentScripts {
    std::vector<std::string> calls;
    void BuildActionScript(CComponent& c, CActionList&) override { calls.push_back("script " + c.GetName()); }
    void EmitModelInitCall(CComponent& c, CActionList&) override { calls.push_back("init " + c.GetName()); }
};
} // namespace

TEST(ComponentScripts, GoThroughTheInstalledGenerator)
{
    CComponentDef definition("KVLabelSymbol", "Label");
    CSwfComponent label(&definition);
    label.SetName("KVLabelSymbol_1");
    CActionList actions;
    label.BuildActionScript(actions);
    label.EmitModelInitCall(actions);
    EXPECT_TRUE(actions.empty()); // nothing installed: nothing is written
    RecordingScripts scripts;
    SetComponentScripts(&scripts);
    label.BuildActionScript(actions);
    label.EmitModelInitCall(actions);
    ResetComponentScripts();
    EXPECT_EQ(scripts.calls, (std::vector<std::string>{"script KVLabelSymbol_1", "init KVLabelSymbol_1"}));
}
