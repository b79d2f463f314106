#include "publish/ModelNetwork.h"
#include "publish/BaseMovie.h"
#include "publish/ModelScriptBuilder.h"
#include "sheet/cells/CellValueMap.h"
#include "tests/publish/PublishTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using publishtest::BaseMovieFixture;

struct NetworkTest : BaseMovieFixture, ::testing::Test {
    CModelNetwork& network() { return movie->GetNetwork(); }
    BoundCells Bound(const std::vector<std::string>& constants, const std::vector<std::string>& formulas)
    {
        BoundCells bound;
        for (const std::string& a1 : constants)
            bound.constants.insert(Id(a1));
        for (const std::string& a1 : formulas)
            bound.formulas.insert(Id(a1));
        return bound;
    }
    std::vector<int32_t> OrderIds()
    {
        std::vector<int32_t> ids;
        for (const CFormulaNode* node : network().GetEvaluationOrder())
            ids.push_back(node->GetCellId());
        return ids;
    }
    std::ptrdiff_t Position(const std::string& a1)
    {
        std::vector<int32_t> ids = OrderIds();
        return std::find(ids.begin(), ids.end(), Id(a1)) - ids.begin();
    }
};

TEST_F(NetworkTest, CellsLandInTheMapOfWhatTheyHoldAndWhoBindsThem)
{
    Number("A1", 1);
    Number("A2", 2);
    Formula("B1", "A1+A2");
    Formula("C1", "B1*2");
    Formula("D1", "SUM(A1:A2)+B1");
    // A1 is bound by two components and read by three formulas: still one node, one record.
    Compile({"A1", "A1", "C1", "D1"}, Bound({"A1"}, {"C1", "D1"}));
    network().Link(table());

    EXPECT_EQ(network().BoundConstants().count(Id("A1")), 1u);
    EXPECT_EQ(network().PlainConstants().count(Id("A2")), 1u);
    EXPECT_EQ(network().Formulas().count(Id("B1")), 1u);
    EXPECT_EQ(network().WatchedFormulas().size(), 2u);
    EXPECT_EQ(network().GetNodeCount(), 5u);
    EXPECT_EQ(movie->GetValueMap().GetCount(), 2u);
    ASSERT_NE(movie->GetValueMap().Lookup(Id("A1")), nullptr);
    EXPECT_EQ(movie->GetValueMap().Lookup(Id("A1"))->GetA1Text(), "'S'!$A$1");
    EXPECT_EQ(movie->GetValueMap().Lookup(Id("A2"))->GetVariableName(), "V" + std::to_string(Id("A2")));
    EXPECT_EQ(network().GetReferencedRanges().size(), 1u);

    // Only what watched formulas need is ordered, each once, precedents first.
    EXPECT_EQ(OrderIds().size(), 3u);
    EXPECT_LT(Position("B1"), Position("C1"));
    EXPECT_LT(Position("B1"), Position("D1"));
    // Plain constants are found as constants but never as variables of the network.
    EXPECT_EQ(network().FindVariableNode(Id("A2")), nullptr);
    EXPECT_NE(network().FindConstantNode(Id("A2")), nullptr);

    auto* input = static_cast<CConstantCellNode*>(network().FindVariableNode(Id("A1")));
    std::vector<int32_t> recalc;
    for (const CFormulaNode* node : input->GetRecalcList())
        recalc.push_back(node->GetCellId());
    ASSERT_EQ(recalc.size(), 3u);
    EXPECT_EQ(recalc.front(), Id("B1"));
}

TEST_F(NetworkTest, ARangeIsOneNodeSharedByTheFormulasThatReadIt)
{
    // A "share of total" column: every B divides its A by the sum of the whole A column.
    const int rows = 200;
    for (int row = 1; row <= rows; ++row) {
        std::string r = std::to_string(row);
        Number("C" + r, row);
        Formula("A" + r, "C" + r + "*1");
        Formula("B" + r, "A" + r + "/SUM($A$1:$A$" + std::to_string(rows) + ")");
    }
    std::vector<std::string> roots;
    for (int row = 1; row <= rows; ++row)
        roots.push_back("B" + std::to_string(row));
    Compile(roots, Bound({}, roots));
    network().Link(table());

    EXPECT_EQ(network().GetReferencedRanges().size(), 1u);
    EXPECT_EQ(network().Formulas().size(), static_cast<std::size_t>(rows));
    // A1 is read by B1 and by the range: two dependents, not one per formula of the column.
    EXPECT_EQ(network().FindVariableNode(Id("A1"))->GetDependents().size(), 2u);
    EXPECT_EQ(network().FindVariableNode(Id("B7"))->GetPrecedents().size(), 2u);
    // Every B needs every A through the range.
    std::ptrdiff_t lastA = 0;
    std::ptrdiff_t firstB = rows * 2;
    for (int row = 1; row <= rows; ++row) {
        lastA = std::max(lastA, Position("A" + std::to_string(row)));
        firstB = std::min(firstB, Position("B" + std::to_string(row)));
    }
    EXPECT_EQ(OrderIds().size(), static_cast<std::size_t>(2 * rows));
    EXPECT_LT(lastA, firstB);
}

TEST_F(NetworkTest, CirclesAreOrderedAndReportedWithTheirCells)
{
    Formula("A1", "B1+1");
    Formula("B1", "A1+1");
    Number("C2", 1);
    Formula("C3", "SUM(C2:C3)");
    // E1 is watched but read by another watched formula in a circle: no end point to start from.
    Formula("E1", "F1+1");
    Formula("F1", "E1+1");
    Compile({"A1", "C3", "E1"}, Bound({}, {"A1", "C3", "E1", "F1"}));
    network().Link(table());

    // The cells of a circle show the error a spreadsheet shows for them: they read nothing, so
    // B1, which only A1 read, is no longer needed.
    std::vector<int32_t> order = OrderIds();
    for (const char* cell : {"A1", "C3", "E1", "F1"}) {
        EXPECT_EQ(std::count(order.begin(), order.end(), Id(cell)), 1) << cell;
        std::vector<int32_t> cells;
        std::vector<int> ranges;
        CollectCompiledReferences(*network().FindVariableNode(Id(cell))->GetExpression(), cells, ranges);
        EXPECT_TRUE(cells.empty() && ranges.empty()) << cell;
    }
    EXPECT_EQ(std::count(order.begin(), order.end(), Id("B1")), 0);
    // Linking again keeps the report.
    network().Link(table());
    const auto& cycles = network().GetProblems().cycles;
    ASSERT_EQ(cycles.size(), 3u);
    std::vector<std::string> all;
    for (const auto& cycle : cycles)
        all.insert(all.end(), cycle.begin(), cycle.end());
    EXPECT_EQ(std::count(all.begin(), all.end(), "'S'!$C$3"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "'S'!$A$1"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "'S'!$E$1"), 1);
}

// In a workbook set to iterate, circles keep their formulas and are reported; each is entered
// at its first cell by row and column, whatever cell the walk reached first, and what reads a
// circle comes after it. Turning iteration off breaks them again.
TEST_F(NetworkTest, IteratedCirclesKeepTheirFormulasInTheSpreadsheetsOrder)
{
    // The walk from D1 reaches A1 first, then B1: B1 would come first.
    Formula("A1", "B1/2+1");
    Formula("B1", "C1");
    Formula("C1", "A1");
    Formula("D1", "A1*10");
    Formula("E1", "E1+1");
    Compile({"D1", "E1"}, Bound({}, {"D1", "E1"}));
    IterationSettings iteration;
    iteration.enabled = true;
    iteration.count = 10;
    network().SetIteration(iteration);
    network().Link(table());

    EXPECT_EQ(network().GetProblems().cycles.size(), 2u);
    std::vector<int32_t> circles{Id("A1"), Id("B1"), Id("C1"), Id("E1")};
    std::sort(circles.begin(), circles.end());
    EXPECT_EQ(network().IteratedCells(), circles);
    std::vector<int32_t> cells;
    std::vector<int> ranges;
    CollectCompiledReferences(*network().FindVariableNode(Id("A1"))->GetExpression(), cells, ranges);
    EXPECT_EQ(cells, std::vector<int32_t>{Id("B1")});
    EXPECT_LT(Position("A1"), Position("C1"));
    EXPECT_LT(Position("C1"), Position("B1"));
    EXPECT_LT(Position("A1"), Position("D1"));
    // Linking again gives the same order and report.
    const std::vector<int32_t> order = OrderIds();
    network().Link(table());
    EXPECT_EQ(OrderIds(), order);
    EXPECT_EQ(network().GetProblems().cycles.size(), 2u);

    network().SetIteration({});
    network().Link(table());
    EXPECT_TRUE(network().IteratedCells().empty());
    EXPECT_EQ(network().GetProblems().cycles.size(), 2u);
    cells.clear();
    CollectCompiledReferences(*network().FindVariableNode(Id("A1"))->GetExpression(), cells, ranges);
    EXPECT_TRUE(cells.empty());
}

// OFFSET and INDIRECT may read any cell of their sheets: every cell the sheets use is compiled,
// and the formulas reading by place come after every formula that does not depend on them,
// without a circle through the formulas that read them in turn.
TEST_F(NetworkTest, FormulasReadingByPlaceComeAfterWhatTheyMayRead)
{
    Number("A1", 2);
    Formula("A2", "A1*10");
    Formula("A3", "A2+1");
    Formula("B1", "OFFSET(A1,A1,0)");
    Formula("B2", "B1*2");
    Formula("B3", "INDIRECT(\"A\"&A1)+B2");
    Number("D9", 4);
    Compile({"B3"}, Bound({"A1"}, {"B3"}));
    network().Link(table());

    EXPECT_TRUE(network().GetProblems().cycles.empty());
    // A3 and D9 are named by no formula, but OFFSET may reach them.
    EXPECT_NE(network().FindVariableNode(Id("A3")), nullptr);
    EXPECT_NE(network().FindConstantNode(Id("D9")), nullptr);
    EXPECT_LT(Position("A2"), Position("B1"));
    EXPECT_LT(Position("A3"), Position("B1"));
    EXPECT_LT(Position("B1"), Position("B2"));
    EXPECT_LT(Position("B2"), Position("B3"));
    EXPECT_EQ(OrderIds().size(), 5u);
    // A change of the input recalculates the readers, which no link ties to what they read.
    const auto& recalc = static_cast<CConstantCellNode*>(network().FindConstantNode(Id("A1")))->GetRecalcList();
    EXPECT_EQ(recalc.size(), 5u);

    // The views are not linked: B2 and B3 would otherwise read themselves.
    std::vector<int32_t> cells;
    std::vector<int> ranges;
    std::vector<int> byPlace;
    CollectCompiledReferences(*network().FindVariableNode(Id("B3"))->GetExpression(), cells, ranges, &byPlace);
    EXPECT_TRUE(ranges.empty());
    EXPECT_EQ(byPlace.size(), 1u);
    network().Link(table());
    EXPECT_EQ(OrderIds().size(), 5u);
    EXPECT_TRUE(network().GetProblems().cycles.empty());
}

// A reader may fetch a cell that itself reads by place, or reads such a reader, and that nothing
// else needs: it is calculated all the same, and the movie calculates the readers and what reads
// them again until the cells they may fetch have settled.
TEST_F(NetworkTest, CellsAReaderMayFetchAreCalculatedAndSettled)
{
    Number("A1", 2);
    Formula("B1", "OFFSET(A1,0,2)");
    Formula("C1", "INDIRECT(\"A1\")*3");
    Formula("C2", "C1+1");
    Formula("D1", "B1+1");
    Compile({"D1"}, Bound({"A1"}, {"D1"}));
    network().Link(table());

    EXPECT_EQ(OrderIds().size(), 4u);
    EXPECT_LT(Position("C1"), Position("C2"));
    EXPECT_LT(Position("B1"), Position("D1"));
    const PlaceSettling settling = PlaceSettlingOf(network(), table());
    std::vector<int32_t> formulas;
    for (const CFormulaNode* node : settling.formulas)
        formulas.push_back(node->GetCellId());
    EXPECT_EQ(formulas, OrderIds());
    EXPECT_EQ(settling.fetchable.size(), 4u);
    EXPECT_EQ(settling.passes, 3);

    // Without a reader nothing is calculated again.
    Formula("B1", "A1*2");
    Formula("C1", "A1*3");
    network().Clear();
    Compile({"D1"}, Bound({"A1"}, {"D1"}));
    network().Link(table());
    EXPECT_TRUE(PlaceSettlingOf(network(), table()).formulas.empty());
}

TEST_F(NetworkTest, AFormulaTheParserRefusesIsReportedOnceByItsAddress)
{
    Formula("A1", "SUM(1,");
    Formula("B1", "A1+1");
    Formula("C1", "A1*2");
    Compile({"B1", "C1"}, Bound({}, {"B1", "C1"}));

    const auto& unreadable = network().GetProblems().unreadableFormulas;
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].first, "'S'!$A$1");
    EXPECT_FALSE(unreadable[0].second.empty());
    EXPECT_EQ(network().FindVariableNode(Id("A1")), nullptr);
    EXPECT_EQ(network().WatchedFormulas().size(), 2u);
}

// After a re-import that renamed a sheet, a cell bound under the old name is still in the
// table: it gets no node and a trace, while a blank cell of a sheet that exists stays an empty
// constant.
TEST_F(NetworkTest, ACellOfASheetTheModelNoLongerHasGetsNoNode)
{
    std::vector<std::string> traces;
    context.SetTraceSink([&](std::string_view line) { traces.emplace_back(line); });
    Number("A1", 1);
    const int32_t gone = table().AddCell("Old", 3, 3);
    Formula("B1", "A1*2");
    BoundCells bound = Bound({}, {"B1"});
    bound.constants.insert(gone);
    movie->GetNetwork().CompileCell(gone, cells(), table(), bound, movie->GetValueMap());
    Compile({"B1", "A9"}, bound);
    network().Link(table());

    EXPECT_EQ(std::count(traces.begin(), traces.end(), "Cell does not exist, sheet names changed on re-import?"), 1);
    EXPECT_EQ(network().FindConstantNode(gone), nullptr);
    EXPECT_EQ(network().FindVariableNode(gone), nullptr);
    EXPECT_EQ(movie->GetValueMap().Lookup(gone), nullptr);
    // The walk goes on with the cells after it.
    EXPECT_NE(network().FindVariableNode(Id("B1")), nullptr);
    // The blank A9 of sheet S is a cell of the model: an empty constant with its value record.
    EXPECT_NE(network().FindConstantNode(Id("A9")), nullptr);
    EXPECT_NE(movie->GetValueMap().Lookup(Id("A9")), nullptr);
    context.SetTraceSink({});
}

TEST_F(NetworkTest, ALongChainCompilesAndOrdersWithoutRecursion)
{
    const int rows = 100000;
    Number("A1", 1);
    for (int row = 2; row <= rows; ++row)
        Formula("A" + std::to_string(row), "A" + std::to_string(row - 1) + "+1");
    std::string last = "A" + std::to_string(rows);
    Compile({last, "A1"}, Bound({"A1"}, {last}));
    network().Link(table());

    ASSERT_EQ(network().GetEvaluationOrder().size(), static_cast<std::size_t>(rows - 1));
    EXPECT_EQ(network().GetEvaluationOrder().front()->GetCellId(), Id("A2"));
    auto* input = static_cast<CConstantCellNode*>(network().FindVariableNode(Id("A1")));
    EXPECT_EQ(input->GetRecalcList().size(), static_cast<std::size_t>(rows - 1));
}

TEST_F(NetworkTest, LinkingAgainGivesTheSameNetwork)
{
    Number("A1", 1);
    Formula("B1", "A1+SUM(A1:A3)");
    Formula("B2", "B1+SUM(A1:A3)");
    Compile({"A1", "B2"}, Bound({"A1"}, {"B2"}));
    network().Link(table());
    auto snapshot = [&] {
        std::vector<std::size_t> sizes;
        for (const auto* map :
             {&network().BoundConstants(), &network().Formulas(), &network().WatchedFormulas()})
            for (const auto& [id, node] : *map)
                sizes.insert(sizes.end(), {node->GetPrecedents().size(), node->GetDependents().size()});
        return std::make_pair(sizes, OrderIds());
    };
    auto first = snapshot();
    network().Link(table());
    EXPECT_EQ(snapshot(), first);
    EXPECT_EQ(first.second.size(), 2u);
}

} // namespace
