// The model compile walk over a workbook of the shapes dashboards use: a running total, lookups
// into a small table and conditional sums over a long column. Its time per compiled cell must
// stay flat from 2,000 to 20,000 formulas; the ratio of the two is printed at the end.
#include "bench/BenchTiming.h"
#include "bench/DashboardWorkbook.h"
#include "publish/ModelNetwork.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/VariableTable.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace {

struct Workbook {
    CCellModel cells;
    CVariableTable table;
    BoundCells bound;
    std::vector<int32_t> roots;
};

std::map<int, double> g_nanosPerCell;

void BM_CompileWalk(benchmark::State& state)
{
    const int formulas = static_cast<int>(state.range(0));
    Workbook book;
    benchdata::MakeDashboardWorkbook({book.cells, book.table, book.bound, book.roots}, formulas);
    std::size_t compiled = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CModelNetwork network;
        CCellValueMap values;
        for (int32_t root : book.roots)
            network.CompileCell(root, book.cells, book.table, book.bound, values);
        network.Link(book.table);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        compiled = network.GetNodeCount();
        benchmark::DoNotOptimize(network.GetEvaluationOrder().data());
    }
    g_nanosPerCell[formulas] =
        seconds * 1e9 / static_cast<double>(state.iterations()) / static_cast<double>(compiled);
    state.counters["cells"] = static_cast<double>(compiled);
    state.counters["per_cell"] =
        benchmark::Counter(static_cast<double>(compiled),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CompileWalk)->ArgName("formulas")->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchtiming::RunThenCompareSizes(argc, argv, "time per compiled cell", g_nanosPerCell);
}
