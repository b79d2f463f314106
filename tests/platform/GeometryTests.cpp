#include <gtest/gtest.h>

#include "platform/drawing/Geometry.h"

TEST(Geometry, HitTestIsHalfOpen)
{
    const CRect r(10, 20, 30, 40);
    struct Case {
        CPoint p;
        bool inside;
    } cases[] = {
        {{10, 20}, true}, {{29, 39}, true},  {{30, 20}, false}, {{10, 40}, false},
        {{9, 25}, false}, {{15, 19}, false}, {{30, 40}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(r.PtInRect(c.p), c.inside) << c.p.x << "," << c.p.y;
    }
    EXPECT_FALSE(CRect(5, 5, 5, 9).PtInRect({5, 6})) << "an empty rectangle holds nothing";
}

TEST(Geometry, IntersectAndUnion)
{
    CRect r;
    EXPECT_TRUE(r.IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10})) << "touching edges do not overlap";
    EXPECT_TRUE(r.IsRectNull());

    EXPECT_TRUE(r.UnionRect({0, 0, 10, 10}, {20, 5, 30, 8}));
    EXPECT_EQ(r, CRect(0, 0, 30, 10));
    EXPECT_TRUE(r.UnionRect({}, {3, 4, 5, 6}));
    EXPECT_EQ(r, CRect(3, 4, 5, 6)) << "an empty operand adds nothing, not the origin";

    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
}

TEST(Geometry, ColourHelpers)
{
    // Colours are stored red first (0x00BBGGRR); the swap turns a 0xRRGGBB value into one.
    EXPECT_EQ(SwapRedBlue(0x123456u), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(SwapRedBlue(SwapRedBlue(0xABCDEFu)), 0xABCDEFu);
    EXPECT_EQ(SwapRedBlue(0xFF123456u), 0x563412u) << "a stray top byte is dropped";
}
