#include "base/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ScopeGuard, UndoesOnEveryWayOutUnlessDismissed)
{
    int depth = 0;
    try {
        ++depth;
        ScopeGuard leave([&] { --depth; });
        throw std::runtime_error("inner failure");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(depth, 0);
    {
        ++depth;
        ScopeGuard keep([&] { --depth; });
        keep.Dismiss();
    }
    EXPECT_EQ(depth, 1);
}
