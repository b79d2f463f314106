// Compiling 10,000 lines of ActionScript, against decoding the resulting action records with
// the SWF library's reader (the peer, same run). Goal: under 50 ms for the 10,000 lines. Also
// times a full layout of the installation folder from assets/.
#include "bench/BenchTiming.h"
#include "tools/actionscript/AssetBuilder.h"
#include "tools/actionscript/Compiler.h"
#include "swf/ActionList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Library-like code: ten lines a function, with loops, branches, literals and calls.
std::string MakeSource(int lines)
{
    std::string source;
    for (int f = 0; lines > 0; ++f, lines -= 10) {
        std::string n = std::to_string(f);
        source += "_global.kvFunction" + n + " = function (range, limit) {\n"
                  "    var total = 0, count = 0, seen = {first: true, name: \"f" + n + "\"};\n"
                  "    for (var r = 0; r < range.length; r++) {\n"
                  "        var row = range[r];\n"
                  "        for (var c = 0; c < row.length; c++) {\n"
                  "            var v = Number(eval(row[c]));\n"
                  "            if (isNaN(v) || v > limit) continue; else { total += v * " + n + ".5; count++; }\n"
                  "        }\n"
                  "    }\n"
                  "    return count == 0 ? kvError(\"#DIV/0!\") : total / count;\n};\n";
    }
    return source;
}

struct Fixture {
    std::string source = MakeSource(10000);
    std::vector<uint8_t> actions = actionscript::CompileSource(source, "bench.as").actions;
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void Compile()
{
    auto result = actionscript::CompileSource(Data().source, "bench.as");
    benchmark::DoNotOptimize(result.actions.data());
}

void Decode()
{
    CActionList list = swf::ParseActions(Data().actions);
    benchmark::DoNotOptimize(list.size());
}

void BM_Compile10000Lines(benchmark::State& state)
{
    for (auto _ : state)
        Compile();
}
void BM_DecodeTheirActions(benchmark::State& state)
{
    for (auto _ : state)
        Decode();
}
BENCHMARK(BM_Compile10000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTheirActions)->Unit(benchmark::kMillisecond);

} // namespace

using benchtiming::Best;

int main(int argc, char** argv)
{
    if (Data().actions.empty()) {
        std::fprintf(stderr, "the benchmark source does not compile\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double compile = Best(Compile, 5), decode = Best(Decode, 5);
    std::printf("10,000 lines (%zu bytes of actions): compile %.1f ms (goal < 50 ms), compile / decode = %.1fx\n",
                Data().actions.size(), compile * 1000, compile / decode);

    const char* sourceDir = std::getenv("VANTOREL_SOURCE_DIR");
    fs::path assets = fs::path(sourceDir ? sourceDir : ".") / "assets";
    if (fs::exists(assets)) {
        fs::path target = fs::temp_directory_path() / ("vantorel-bench-install-" + std::to_string(::getpid()));
        double layout = Best([&] {
            fs::remove_all(target);
            actionscript::BuildInstallFolder(assets, target);
        }, 3);
        fs::remove_all(target);
        std::printf("installation folder from %s: %.1f ms\n", assets.c_str(), layout * 1000);
    }
    return 0;
}
