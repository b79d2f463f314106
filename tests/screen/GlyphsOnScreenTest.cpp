#include "ScreenFixture.h"

#include "platform/drawing/Font.h"
#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <utility>

namespace {

using GlyphsOnScreen = ScreenTest;

// The inked columns of a band of rows: first and one past the last, {0, 0} when blank.
std::pair<int, int> InkedColumns(const CRasterDC& dc, int top, int bottom, int width)
{
    int first = width, last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < width; ++x)
            if (dc.GetPixel(x, y) != RGB(255, 255, 255)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

// Texts of one font read at one size: a line shows at its real width wherever the window's text
// rectangle has the room, and is squeezed only to stay inside that rectangle.
TEST_F(GlyphsOnScreen, ALineUsesItsRectangleBeforeItIsSqueezed)
{
    // The screen's real glyphs draw into every picture once the screen is open.
    ASSERT_NE(ui::GetGlyphPainter(), nullptr);
    CFont font;
    font.CreatePointFont(80, "DejaVu Sans");
    // Capitals are wider than the built-in glyphs' advance.
    const std::string wide = "WMWMWMWM";
    const int estimate = static_cast<int>(wide.size()) * ui::CharAdvance(font.GetLogFontRef());

    CRasterDC dc(400, 100, RGB(255, 255, 255));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    CRect roomy(10, 0, 390, 20);
    dc.DrawText(wide, &roomy, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    CRect centred(10, 25, 390, 45);
    dc.DrawText(wide, &centred, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    CRect tight(10, 50, 10 + estimate, 70);
    dc.DrawText(wide, &tight, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(WritePng(testsupport::ArtefactDir("screen") / "glyph-widths.png", *dc.GetSurface()));

    const auto [left, right] = InkedColumns(dc, 0, 20, 400);
    const auto [cLeft, cRight] = InkedColumns(dc, 25, 45, 400);
    const auto [tLeft, tRight] = InkedColumns(dc, 50, 70, 400);
    ASSERT_GT(right, left);
    // With room the line keeps its real width, left or centred alike.
    EXPECT_GT(right - left, estimate);
    EXPECT_NEAR(cRight - cLeft, right - left, 1);
    EXPECT_NEAR((cLeft + cRight) / 2, 200, 2);
    // Without it the line is squeezed into its rectangle.
    EXPECT_GE(tLeft, 10);
    EXPECT_LE(tRight, 10 + estimate + 1);
}

} // namespace
