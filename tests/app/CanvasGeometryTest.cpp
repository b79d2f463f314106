#include <gtest/gtest.h>

#include "app/canvas/CanvasGeometry.h"

namespace {

TEST(CanvasGeometry, ASmallCanvasIsCentredAndALargeOneScrolls)
{
    // 800 x 600 canvas in a 1000 x 700 client: centred, the scroll position plays no part in
    // the centring but still moves the canvas.
    const CCanvasGeometry centred(CRect(0, 0, 1000, 700), 800, 600, CPoint(0, 0));
    EXPECT_EQ(centred.Offset(), CPoint(100, 50));
    EXPECT_EQ(centred.CanvasClientRect(), CRect(100, 50, 900, 650));

    const CCanvasGeometry scrolled(CRect(0, 0, 500, 400), 800, 600, CPoint(30, 70));
    EXPECT_EQ(scrolled.Offset(), CPoint(-30, -70));
    EXPECT_EQ(scrolled.CanvasClientRect(), CRect(-30, -70, 770, 530));
    // An odd margin leaves the extra pixel on the right.
    EXPECT_EQ(CCanvasGeometry(CRect(0, 0, 801, 600), 800, 600, CPoint()).Offset(), CPoint(0, 0));
    EXPECT_EQ(CCanvasGeometry(CRect(0, 0, 803, 600), 800, 600, CPoint()).Offset(), CPoint(1, 0));
}

TEST(CanvasGeometry, TwipsMapToPixelsSteadilyOnBothSidesOfTheCanvas)
{
    const CCanvasGeometry g(CRect(0, 0, 1000, 700), 800, 600, CPoint(0, 0)); // offset (100, 50)
    EXPECT_EQ(g.DocToClient(CPoint(0, 0)), CPoint(100, 50));
    EXPECT_EQ(g.DocToClient(CPoint(39, 19)), CPoint(101, 50));
    // Left of and above the canvas: floor, not truncation toward zero, so -1 twip is the
    // pixel before the canvas rather than its first.
    EXPECT_EQ(g.DocToClient(CPoint(-1, -20)), CPoint(99, 49));
    EXPECT_EQ(g.DocToClient(CPoint(-21, -40)), CPoint(98, 48));

    EXPECT_EQ(g.ClientToDoc(CPoint(100, 50)), CPoint(0, 0));
    EXPECT_EQ(g.ClientToDoc(CPoint(90, 60)), CPoint(-200, 200));
    // Round trips of whole pixels, and rectangles come back normalised.
    EXPECT_EQ(g.DocToClient(g.ClientToDoc(CPoint(7, 3))), CPoint(7, 3));
    EXPECT_EQ(g.DocToClient(CRect(400, 200, 0, 0)), CRect(100, 50, 120, 60));
    EXPECT_EQ(g.ClientToDoc(CRect(110, 60, 100, 50)), CRect(0, 0, 200, 200));
}

} // namespace
