// Wall-clock timing for the comparisons the benchmark programs print after their benchmarks.
#pragma once

#include <algorithm>
#include <chrono>

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

} // namespace benchtiming
