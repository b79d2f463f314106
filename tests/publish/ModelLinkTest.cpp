#include "publish/ModelLink.h"
#include "model/BindingLink.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/Range.h"
#include "tests/publish/PublishTestSupport.h"

#include <gtest/gtest.h>

namespace {

using publishtest::BaseMovieFixture;

struct ModelLinkTest : publishtest::LinkedModelFixture, ::testing::Test {};

TEST_F(ModelLinkTest, BindingsReadTheCellsOfTheCurrentModel)
{
    Number("A1", 1.5);
    auto [row, column] = Place("A2");
    cells().SetCell("S", row, column, CCellData{"3", std::string(CellTypeName(CellType::Number)), "A1*2", false});
    Text("A3", "x");
    const model::RangeHandle* range = Range("A1", "A4");
    ASSERT_NE(range, nullptr);

    std::vector<model::RangeArea> areas = link.ReadRange(*range);
    ASSERT_EQ(areas.size(), 1u);
    ASSERT_EQ(areas[0].rows, 4);
    EXPECT_EQ(areas[0].At(0, 0)->kind, model::CellValue::kNumber);
    EXPECT_EQ(areas[0].At(0, 0)->number, 1.5);
    EXPECT_EQ(areas[0].At(1, 0)->number, 3);
    EXPECT_EQ(areas[0].At(2, 0)->kind, model::CellValue::kText);
    EXPECT_EQ(areas[0].At(2, 0)->text, "x");
    EXPECT_EQ(areas[0].At(3, 0)->kind, model::CellValue::kEmpty);
    EXPECT_EQ(areas[0].At(3, 0)->id, Id("A4"));
    EXPECT_TRUE(link.HasFormula(Id("A2")));
    EXPECT_FALSE(link.HasFormula(Id("A1")));
    EXPECT_FALSE(link.HasFormula(99999));

    const model::RangeHandle* middle = link.MakeSubRange(*range, 0, 1, 0, 2, 1);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(link.GetRangeText(*middle), "'S'!$A$2:$A$3");
    EXPECT_EQ(link.GetRange(link.FindRange(*middle)), middle);
    EXPECT_EQ(link.MakeSubRange(*range, 0, 3, 0, 2, 1), nullptr);
    EXPECT_EQ(link.MakeSubRange(*range, 1, 0, 0, 1, 1), nullptr);

    // A parameter bound through the link gets one link per cell, with the cells' ids.
    CParameter value("value", model::ParamType::CellBinding);
    ASSERT_TRUE(value.RefreshFromCells(middle, false));
    ASSERT_EQ(value.GetBinding()->GetLinkCount(), 1);
    EXPECT_EQ(value.GetBinding()->GetLink(0)->GetCellId(), Id("A2"));
    EXPECT_TRUE(value.GetBinding()->TestFirstCell());
}

TEST_F(ModelLinkTest, ARangeOfAReplacedTableIsNeverUsedAgain)
{
    Number("A1", 1);
    CParameter value("value", model::ParamType::CellBinding);
    value.RefreshFromCells(Range("A1", "A1"), false);
    ASSERT_TRUE(value.GetBinding()->IsBound());
    std::uint64_t first = link.GetTableGeneration();
    EXPECT_EQ(link.GetTableGeneration(), first);

    movie->ClearModelChanged();
    movie->ResetModel();
    EXPECT_TRUE(movie->IsModelChanged());
    EXPECT_FALSE(value.GetBinding()->IsBound());
    std::uint64_t second = link.GetTableGeneration();
    EXPECT_NE(second, first);

    // A document read into the base movie brings its own table.
    value.RefreshFromCells(Range("A1", "A1"), false);
    base::RecordWriter out;
    movie->SaveModel(out);
    base::RecordReader in(out.Bytes());
    movie->LoadModel(in);
    EXPECT_FALSE(value.GetBinding()->IsBound());
    EXPECT_NE(link.GetTableGeneration(), second);
    EXPECT_NE(link.GetTableGeneration(), first);

    movie->ClearModelChanged();
    link.ModelLinksChanged();
    EXPECT_TRUE(movie->IsModelChanged());
}

TEST_F(ModelLinkTest, TheWalkSortsBoundCellsAndRecordsTheCellsOfSeriesAndLabels)
{
    Number("A1", 10);
    Number("A2", 20);
    Formula("B1", "A1+A2");
    Formula("C1", "B1*2");
    Text("D1", "north");
    Text("D2", "south");
    Text("E1", "2025");
    Text("E2", "2026");
    publishtest::Dashboard slider("slider_1");
    publishtest::Dashboard gauge("gauge_1");
    slider.Bind("value", Range("A1", "A1"));
    gauge.Bind("input", Range("A1", "A1"));
    gauge.Bind("value", Range("C1", "C1"));
    gauge.Bind("seriesNames", Range("D1", "D2"), true);
    gauge.Bind("categoryLabels", Range("E1", "E2"), true);
    movie->SetModelChanged();
    CompileModel(*movie, {&slider.component, &gauge.component});

    const CModelNetwork& network = movie->GetNetwork();
    EXPECT_EQ(network.BoundConstants().count(Id("A1")), 1u);
    EXPECT_EQ(network.PlainConstants().count(Id("A2")), 1u);
    EXPECT_EQ(network.Formulas().count(Id("B1")), 1u);
    EXPECT_EQ(network.WatchedFormulas().count(Id("C1")), 1u);
    EXPECT_EQ(movie->GetConstantLinks().size(), 6u); // A1 twice, the names and the labels

    // Series names and category labels are flagged for the write-back, with no value yet.
    const CCellValueRecord* north = movie->GetValueMap().Lookup(Id("D1"));
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->exportFlag, 1);
    EXPECT_EQ(north->GetValue(), nullptr);
    EXPECT_EQ(movie->GetValueMap().Lookup(Id("E2"))->exportFlag, 1);
    EXPECT_EQ(movie->GetValueMap().Lookup(Id("A2"))->exportFlag, 0);
    EXPECT_EQ(movie->GetValueMap().Lookup(Id("A2"))->GetValue()->GetNumber(), 20);

    // Both components share A1; the gauge's C1 depends on it.
    EXPECT_EQ(slider.component.GetFirstLinkNames(), std::set<std::string>{"gauge_1"});
    EXPECT_EQ(slider.component.GetSecondLinkNames(), std::set<std::string>{"gauge_1"});
    EXPECT_FALSE(movie->IsModelChanged());
}

} // namespace
