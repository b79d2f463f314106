#include "base/Processors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(ThreadPool, EveryIndexIsWorkedOnceWhateverTheThreadCount)
{
    for (unsigned threads : {0u, 1u, 3u, 64u}) {
        std::vector<std::atomic<int>> visits(1000);
        base::ForEachOnThreads(5, visits.size(), threads, [&](std::size_t i) { ++visits[i]; });
        for (std::size_t i = 0; i < visits.size(); ++i)
            ASSERT_EQ(visits[i].load(), i < 5 ? 0 : 1) << "index " << i << " with " << threads << " threads";
    }
}

TEST(ThreadPool, OneThreadOrAnEmptyRangeStaysOnTheCaller)
{
    const auto caller = std::this_thread::get_id();
    bool elsewhere = false;
    base::ForEachOnThreads(0, 50, 1, [&](std::size_t) { elsewhere |= std::this_thread::get_id() != caller; });
    EXPECT_FALSE(elsewhere);

    int calls = 0;
    base::ForEachOnThreads(7, 7, 4, [&](std::size_t) { ++calls; });
    base::ForEachOnThreads(9, 3, 4, [&](std::size_t) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_GE(base::UsableProcessors(), 1u);
}
