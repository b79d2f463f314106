#include "BuiltInGlyphs.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/docview/Resources.h"
#include "platform/docview/ToolBar.h"
#include "platform/drawing/Look.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/Screen.h"

#include <gtest/gtest.h>

namespace {

// The inked columns of a picture: first and one past the last ({0, 0} when blank).
std::pair<int, int> Inked(const CRasterDC& dc, int width, int height)
{
    int first = width, last = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dc.GetPixel(x, y) != RGB(255, 255, 255)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

class SystemTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (ui::UsesBuiltInGlyphs())
            GTEST_SKIP() << "built without a font library";
    }
    void TearDown() override { ui::ResetInterfaceFont(); }
};

// What a line measures is what it draws: the ink lies inside the measured width, starting at
// the line's left and reaching close to its end.
TEST_F(SystemTextTest, TheMeasureIsTheDrawnWidth)
{
    const std::string text = "Component Properties";
    const LOGFONT& font = ui::DefaultLogFont();
    const int width = ui::TextWidth(text, font);
    ASSERT_GT(width, 0);
    CRasterDC dc(400, 40, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CRect rect(10, 5, 390, 35);
    dc.DrawText(text, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const auto [left, right] = Inked(dc, 400, 40);
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 12);
    EXPECT_LE(right, 10 + width + 1);
    EXPECT_GE(right, 10 + width - 3);
    // A text measured to fit a rectangle of its own width is not cut.
    CRect tight(0, 0, width, 30);
    EXPECT_EQ(ui::LayoutText(text, tight, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS, font).lines[0].text, text);
}

// The dialog faces follow the interface font's size; other faces keep theirs. Dialog units are
// reckoned from the interface font, so a larger desktop font makes larger dialogs.
TEST_F(SystemTextTest, DialogFacesAndDialogUnitsFollowTheInterfaceFont)
{
    CFont dialog;
    dialog.CreatePointFont(80, "MS Shell Dlg");
    CFont named;
    named.CreatePointFont(80, "DejaVu Serif");
    ui::SetInterfaceFont("Sans", 100);
    const TEXTMETRIC small = ui::MetricsFor(dialog.GetLogFontRef());
    const CSize smallUnits = ui::DialogBaseUnits(dialog.GetLogFontRef());
    const int namedHeight = ui::MetricsFor(named.GetLogFontRef()).tmHeight;
    ui::SetInterfaceFont("Sans", 200);
    const TEXTMETRIC large = ui::MetricsFor(dialog.GetLogFontRef());
    const CSize largeUnits = ui::DialogBaseUnits(dialog.GetLogFontRef());
    EXPECT_NEAR(large.tmHeight, 2 * small.tmHeight, 2);
    EXPECT_NEAR(largeUnits.cx, 2 * smallUnits.cx, 1);
    EXPECT_NEAR(largeUnits.cy, 2 * smallUnits.cy, 2);
    EXPECT_EQ(ui::MetricsFor(named.GetLogFontRef()).tmHeight, namedHeight);
    // A template's rectangle grows with the units.
    const CRect before = ui::DialogUnitsToPixels(10, 10, 100, 14, dialog.GetLogFontRef());
    ui::SetInterfaceFont("Sans", 100);
    const CRect after = ui::DialogUnitsToPixels(10, 10, 100, 14, dialog.GetLogFontRef());
    EXPECT_GT(before.Width(), after.Width());
    // A measure taken before the change is not served after it.
    ui::SetInterfaceFont("Sans", 200);
    const int wide = ui::TextWidth("Styles", dialog.GetLogFontRef());
    ui::SetInterfaceFont("Sans", 100);
    EXPECT_LT(ui::TextWidth("Styles", dialog.GetLogFontRef()), wide);
}

// The built-in glyphs stay available, with their fixed advance.
TEST(BuiltInGlyphsTest, TheAdvanceIsFixed)
{
    const BuiltInGlyphs glyphs;
    const LOGFONT& font = ui::DefaultLogFont();
    EXPECT_EQ(ui::TextWidth("WWWW", font), 4 * ui::CharAdvance(font));
    EXPECT_EQ(ui::TextWidth("iiii", font), 4 * ui::CharAdvance(font));
}

TEST(ControlLook, ChecksButtonsAndFocusRings)
{
    const ui::LookColours& look = ui::GetLookColours();
    CRasterDC dc(60, 60, RGB(255, 255, 255));
    // A checked box is filled with the accent and carries a mark; an unchecked one is white.
    ui::DrawCheckMark(dc, CRect(0, 0, 14, 14), 1, false, false);
    EXPECT_EQ(dc.GetPixel(2, 2), look.accent);
    int marks = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            marks += dc.GetPixel(x, y) == look.accentMark ? 1 : 0;
    EXPECT_GT(marks, 8);
    ui::DrawCheckMark(dc, CRect(20, 0, 34, 14), 0, false, false);
    EXPECT_EQ(dc.GetPixel(27, 7), GetSysColor(COLOR_WINDOW));
    // A radio button is round: its corners show what was under it.
    ui::DrawCheckMark(dc, CRect(40, 0, 54, 14), 1, true, false);
    EXPECT_EQ(dc.GetPixel(40, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(47, 7), look.accentMark);

    // Hovered and pressed faces differ from the plain one; corners are rounded.
    ui::ButtonLook plain, hot, pressed;
    hot.hot = true;
    pressed.pressed = true;
    ui::DrawButtonFace(dc, CRect(0, 20, 20, 40), plain);
    ui::DrawButtonFace(dc, CRect(20, 20, 40, 40), hot);
    ui::DrawButtonFace(dc, CRect(40, 20, 60, 40), pressed);
    EXPECT_EQ(dc.GetPixel(10, 30), look.buttonFace);
    EXPECT_EQ(dc.GetPixel(30, 30), look.buttonHover);
    EXPECT_EQ(dc.GetPixel(50, 30), look.buttonPressed);
    EXPECT_EQ(dc.GetPixel(0, 20), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(10, 20), look.border);

    // A focus ring is painted, not inverted: drawing it twice leaves it drawn.
    ui::DrawFocusRing(dc, CRect(0, 44, 20, 56), RGB(0, 0, 0), RGB(255, 255, 255));
    const COLORREF once = dc.GetPixel(0, 44);
    ui::DrawFocusRing(dc, CRect(0, 44, 20, 56), RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(0, 44), once);
    EXPECT_NE(once, RGB(255, 255, 255));
}

// A bar made from a list of ids, whose sizes nobody set, has buttons at the screen's scale;
// sizes that were set are kept.
TEST(ToolBarScale, ButtonsFollowTheScreensScaleUntilSizesAreSet)
{
    static const UINT ids[] = {100, ID_SEPARATOR, 101};
    CToolBar single;
    ASSERT_TRUE(single.SetButtons(ids, 3));
    CRect r;
    single.GetItemRect(0, &r);
    const CSize one = r.Size();

    ScreenMetrics dense;
    dense.dpiX = dense.dpiY = 192;
    SetScreenMetrics(dense);
    CToolBar twice;
    ASSERT_TRUE(twice.SetButtons(ids, 3));
    twice.GetItemRect(0, &r);
    EXPECT_EQ(r.Size(), CSize(2 * one.cx, 2 * one.cy));
    CRect separator;
    twice.GetItemRect(1, &separator);
    EXPECT_EQ(separator.Width(), 2 * CToolBar::kSeparatorWidth);
    twice.SetSizes(CSize(30, 28), CSize(16, 16));
    twice.GetItemRect(2, &r);
    EXPECT_EQ(r.Size(), CSize(30, 28));
    ResetScreenMetrics();
}

} // namespace
