// Parsing formulas of the shapes workbooks hold, and ordering calculation networks; the
// ordering's time per node must stay flat from 10k to 100k nodes.
#include "sheet/cells/CellModel.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RealisticFormulas(int count)
{
    std::mt19937 random(7);
    auto row = [&random] { return std::to_string(1 + random() % 5000); };
    auto column = [&random] { return std::string(1, static_cast<char>('A' + random() % 20)); };
    auto cell = [&] { return column() + row(); };
    std::vector<std::string> formulas;
    formulas.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string r = row();
        switch (i % 8) {
        case 0:
            formulas.push_back("=SUM(B" + r + ":M" + r + ")");
            break;
        case 1:
            formulas.push_back(std::string("=") + cell() + "*" + cell() + "+" + cell() + "/100");
            break;
        case 2:
            formulas.push_back("=IF(" + cell() + ">=0," + cell() + "-" + cell() + ",\"n/a\")");
            break;
        case 3:
            formulas.push_back("=VLOOKUP($A$" + r + ",'Price list'!$A$1:$F$400,3,FALSE)");
            break;
        case 4:
            formulas.push_back("=ROUND(AVERAGE(Data!C2:C" + r + ")*(1+Rate),2)");
            break;
        case 5:
            formulas.push_back(std::string("=") + cell() + "&\" \"&TEXT(" + cell() + ",\"0.0%\")");
            break;
        case 6:
            formulas.push_back(std::string("=-") + cell() + "^2+" + cell() + "%");
            break;
        default:
            formulas.push_back("=IFERROR(INDEX(Sheet1!$B$2:$B$90,MATCH(" + cell() +
                               ",Sheet1!$A$2:$A$90,0)),0)");
        }
    }
    return formulas;
}

void BM_ParseFormulas(benchmark::State& state)
{
    const auto formulas = RealisticFormulas(static_cast<int>(state.range(0)));
    CCellModel model;
    model.SetCell("Data", 5000, 20, CCellData{"1", "number", "", false});
    model.SetDefinedName("Rate", "0.07");
    for (auto _ : state) {
        CVariableTable table;
        FormulaContext context{"Sheet1", &table, &model};
        for (const std::string& formula : formulas) {
            auto tree = CFormulaParser::Parse(formula, context);
            benchmark::DoNotOptimize(tree);
        }
    }
    state.counters["per_formula"] =
        benchmark::Counter(static_cast<double>(formulas.size()),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParseFormulas)->Arg(100000)->Unit(benchmark::kMillisecond);

// Node i reads three earlier nodes, one of them its neighbour so that long chains occur; the
// other two are anywhere before it (spread) or among the ten before it (local, as running
// totals and row formulas are). Every tenth node is an input constant.
struct Network {
    std::vector<std::unique_ptr<CFormulaNode>> nodes;
    size_t edges = 0;
};

Network MakeNetwork(int count, bool spread = true)
{
    Network net;
    std::mt19937 random(11);
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0)
            net.nodes.push_back(std::make_unique<CConstantCellNode>(i, nullptr));
        else
            net.nodes.push_back(std::make_unique<CFormulaCellNode>(i, nullptr));
        if (i == 0 || net.nodes.back()->IsConstant())
            continue;
        for (int k = 0; k < 3; ++k) {
            int from = k == 0   ? i - 1
                       : spread ? static_cast<int>(random() % static_cast<unsigned>(i))
                                : std::max(0, i - 1 - static_cast<int>(random() % 10));
            net.nodes[static_cast<size_t>(i)]->AddPrecedent(net.nodes[static_cast<size_t>(from)].get());
            net.nodes[static_cast<size_t>(from)]->AddDependent(net.nodes[static_cast<size_t>(i)].get());
            ++net.edges;
        }
    }
    return net;
}

void BM_OrderNetwork(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Network net = MakeNetwork(count, state.range(1) != 0);
    size_t ordered = 0;
    for (auto _ : state) {
        std::vector<CFormulaNode*> order;
        order.reserve(net.nodes.size());
        NodeVisitSet visited;
        visited.reserve(net.nodes.size());
        CycleList cycles;
        for (auto it = net.nodes.rbegin(); it != net.nodes.rend(); ++it)
            if (!(*it)->HasDependents())
                (*it)->AppendInOrder(order, visited, &cycles);
        ordered = order.size();
        benchmark::DoNotOptimize(order.data());
    }
    state.counters["nodes_ordered"] = static_cast<double>(ordered);
    state.counters["edges"] = static_cast<double>(net.edges);
    state.counters["per_node"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OrderNetwork)
    ->ArgNames({"nodes", "spread"})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_RecalcList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Network net = MakeNetwork(count);
    auto* input = static_cast<CConstantCellNode*>(net.nodes[0].get());
    for (auto _ : state) {
        NodeVisitSet visited;
        input->BuildRecalcList(visited);
        benchmark::DoNotOptimize(input->GetRecalcList().data());
    }
    state.counters["per_node"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalcList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
