// Wall-clock timing for the comparisons the benchmark programs print after their benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

namespace benchtiming {

// Seconds one call of work takes.
template <class F> double Seconds(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of several runs, in seconds.
template <class F> double Best(F&& work, int runs)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, Seconds(work));
    return best;
}

// The main of a program measuring at 2,000 and 20,000 formulas: runs the benchmarks, then
// prints the nanoseconds per item (by formula count) that each size recorded, and their ratio.
inline int RunThenCompareSizes(int argc, char** argv, const char* what, const std::map<int, double>& nanos)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (nanos.count(2000) && nanos.count(20000))
        std::printf("%s: %.0f ns at 2k formulas, %.0f ns at 20k; ratio %.2f (1 is linear)\n", what,
                    nanos.at(2000), nanos.at(20000), nanos.at(20000) / nanos.at(2000));
    return 0;
}

} // namespace benchtiming
