// Generating the model script of a compiled workbook (range arrays, kvCalc, initial values):
// its time per formula must stay flat from 2,000 to 20,000 formulas (100,000 cells); the ratio
// of the two is printed at the end.
#include "bench/BenchTiming.h"
#include "bench/DashboardWorkbook.h"
#include "publish/BaseMovie.h"
#include "publish/ModelScriptBuilder.h"
#include "tests/publish/PublishTestSupport.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

std::map<int, double> g_nanosPerFormula;

void BM_ModelScript(benchmark::State& state)
{
    const int formulas = static_cast<int>(state.range(0));
    publishtest::BaseMovieFixture base;
    BoundCells bound;
    std::vector<int32_t> roots;
    benchdata::MakeDashboardWorkbook({base.cells(), base.table(), bound, roots}, formulas);
    for (int32_t root : roots)
        base.movie->GetNetwork().CompileCell(root, base.cells(), base.table(), bound,
                                             base.movie->GetValueMap());
    base.movie->GetNetwork().Link(base.table());

    double seconds = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        seconds += benchtiming::Seconds([&] { CModelScriptBuilder(*base.movie).BuildModelCode({}, false); });
        bytes = base.movie->GetInitCode()->GetActions().ToBytes(true).size();
    }
    g_nanosPerFormula[formulas] = seconds * 1e9 / static_cast<double>(state.iterations()) / formulas;
    state.counters["code_bytes"] = static_cast<double>(bytes);
    state.counters["per_formula"] =
        benchmark::Counter(static_cast<double>(formulas),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ModelScript)->ArgName("formulas")->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchtiming::RunThenCompareSizes(argc, argv, "model script time per formula", g_nanosPerFormula);
}
