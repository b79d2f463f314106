// Import of a workbook file into a fresh cell model, as the import worker does it. The
// workbook is named by VANTOREL_BENCH_WORKBOOK (tools/bench-import.sh makes one and compares
// the time with a spreadsheet program's own conversion of the same file).
#include "sheet/cells/CellModel.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void ImportWorkbook(benchmark::State& state)
{
    const char* path = std::getenv("VANTOREL_BENCH_WORKBOOK");
    if (!path) {
        state.SkipWithError("set VANTOREL_BENCH_WORKBOOK to the workbook to import");
        return;
    }
    std::size_t cells = 0;
    for (auto _ : state) {
        CCellModel model;
        auto workbook = sheet::xlsx::ReadWorkbookFile(path);
        sheet::FillCellModel(workbook, model);
        cells = model.GetCellCount();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["cells"] = static_cast<double>(cells);
}

BENCHMARK(ImportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
