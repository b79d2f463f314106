// Binding a list parameter to a range of cells: each cell becomes an element named by its
// position, so the work must grow with the range and no faster. After the benchmarks the
// program prints the time of each size against the size half as large, measured in the same
// run: about 2 is linear, about 4 is quadratic.
#include "bench/BenchTiming.h"
#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "tests/model/FakeModelLink.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Binds a fresh list to a column of `cells` cells and returns its element count.
int BindColumn(FakeModelLink& link, int cells)
{
    CParameter list("values", model::ParamType::CellBinding);
    list.GetBinding()->SetValue(std::make_unique<CParameter>("values", model::ParamType::List));
    list.RefreshFromCells(link.Add(0, 0, cells, 1), false);
    return list.GetBinding()->GetValue().GetElementCount();
}

void BindRange(benchmark::State& state)
{
    FakeModelLink link;
    const int cells = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(BindColumn(link, cells));
    state.SetComplexityN(cells);
}

BENCHMARK(BindRange)->RangeMultiplier(2)->Range(20000, 160000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FakeModelLink link;
    double previous = 0;
    for (int cells = 20000; cells <= 160000; cells *= 2) {
        const double seconds = benchtiming::Best([&] { BindColumn(link, cells); }, 3);
        if (previous > 0)
            std::printf("binding %d cells: %.1f ms, %.2f times %d cells (2 is linear, 4 quadratic)\n", cells,
                        seconds * 1000, seconds / previous, cells / 2);
        else
            std::printf("binding %d cells: %.1f ms\n", cells, seconds * 1000);
        previous = seconds;
    }
    return 0;
}
