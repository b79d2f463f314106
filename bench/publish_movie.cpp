// Publishing a workbook as a movie of all its formulas, from the workbook file to the .swf
// (import, compile, script generation, build and write). tools/bench-publish.sh makes the
// workbook, names it in VANTOREL_BENCH_WORKBOOK and compares the time with a conversion of the
// same workbook to CSV measured in the same run.
#include "publish/Publisher.h"
#include "tests/support/TestSupport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

void PublishWorkbook(benchmark::State& state)
{
    const char* workbook = std::getenv("VANTOREL_BENCH_WORKBOOK");
    if (workbook == nullptr) {
        state.SkipWithError("VANTOREL_BENCH_WORKBOOK names no workbook");
        return;
    }
    testsupport::TempDir dir;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::optional<publish::CPublisher> publisher;
        publisher.emplace(testsupport::InstallDir());
        publisher->OpenWorkbookFormulas(workbook);
        bytes = publisher->Publish(dir / "movie.swf", false).byteCount;
        // Taking the model down again is not part of publishing.
        state.PauseTiming();
        publisher.reset();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(PublishWorkbook)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

} // namespace

BENCHMARK_MAIN();
