#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace base {

// How many processors this process may run on: its affinity mask where the system tells,
// else the processors of the machine; at least 1. A process confined to two processors of a
// large machine (a container, taskset) gains nothing from more threads than that.
unsigned UsableProcessors();

// Calls work(i) for every i in [first, last) on up to `threads` threads (0: UsableProcessors()),
// this one among them, each taking the next index as it finishes one, and returns when all are
// done. When no more threads can be had, those running (this one at least) do every index.
// work must not throw.
template <typename Work>
void ForEachOnThreads(std::size_t first, std::size_t last, unsigned threads, Work&& work)
{
    if (first >= last)
        return;
    std::atomic<std::size_t> next{first};
    auto take = [&] {
        for (std::size_t i = next++; i < last; i = next++)
            work(i);
    };
    if (threads == 0)
        threads = UsableProcessors();
    std::vector<std::jthread> helpers;
    try {
        for (std::size_t t = 1; t < std::min<std::size_t>(threads, last - first); ++t)
            helpers.emplace_back(take);
    } catch (const std::system_error&) {
        // No more threads to be had.
    }
    take();
}

} // namespace base
