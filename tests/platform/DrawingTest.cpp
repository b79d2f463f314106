#include "BuiltInGlyphs.h"
#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "platform/drawing/RecordingDC.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

TEST(DeviceContextMapping, ConvertsBetweenLogicalAndDeviceUnits)
{
    struct Case {
        const char* name;
        int mode;
        CPoint windowOrg, viewportOrg;
        CSize windowExt, viewportExt;
        CPoint logical, device;
    };
    const Case cases[] = {
        {"text mode with origins", MM_TEXT, {10, 20}, {5, 5}, {100, 100}, {1, 1}, {15, 30}, {10, 15}},
        {"twips to pixels", MM_ANISOTROPIC, {0, 0}, {0, 0}, {20, 20}, {1, 1}, {200, 410}, {10, 21}},
        {"rounds half away from zero", MM_ANISOTROPIC, {0, 0}, {0, 0}, {20, 20}, {1, 1}, {-30, 30}, {-2, 2}},
        {"flipped y axis", MM_ANISOTROPIC, {0, 0}, {0, 100}, {10, 10}, {10, -10}, {5, 30}, {5, 70}},
        {"isotropic keeps the aspect",
         MM_ISOTROPIC,
         {0, 0},
         {0, 0},
         {100, 100},
         {200, 50},
         {100, 100},
         {50, 50}},
    };
    for (const Case& c : cases) {
        CRecordingDC dc;
        dc.SetMapMode(c.mode);
        dc.SetWindowExt(c.windowExt);
        dc.SetViewportExt(c.viewportExt);
        dc.SetWindowOrg(c.windowOrg);
        dc.SetViewportOrg(c.viewportOrg);
        CPoint p = c.logical;
        dc.LPtoDP(&p);
        EXPECT_EQ(p, c.device) << c.name;
        if (c.mode != MM_ANISOTROPIC || c.windowExt.cx == 10) {
            dc.DPtoLP(&p);
            EXPECT_EQ(p, c.logical) << c.name;
        }
    }
}

TEST(DeviceContextMapping, TextModeIgnoresExtentsAndRecordsBothUnits)
{
    CRecordingDC dc;
    dc.SetWindowExt(5, 5); // ignored in MM_TEXT
    dc.SetViewportOrg(3, 4);
    dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(1, 2, 3));
    ASSERT_EQ(dc.Ops().size(), 1u);
    EXPECT_EQ(dc.Ops()[0].logical, CRect(0, 0, 10, 10));
    EXPECT_EQ(dc.Ops()[0].device, CRect(3, 4, 13, 14));
    // The platform's solid fill leaves the background colour at the fill colour.
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
}

TEST(DeviceContextState, SaveAndRestoreAndClip)
{
    CRasterDC dc(20, 20);
    CFont font;
    font.CreatePointFont(120, "Arial");
    int saved = dc.SaveDC();
    dc.SelectObject(&font);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.IntersectClipRect(CRect(5, 5, 10, 10));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(0, 0, 0));
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetCurrentLogFont().lfHeight, ui::DefaultLogFont().lfHeight);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 20, 20));
    EXPECT_FALSE(dc.RestoreDC(saved)); // already popped
}

TEST(RasterOperations, TruthTablesOverPatternSourceAndDestination)
{
    CRasterDC src(2, 1);
    src.SetPixel(0, 0, RGB(255, 0, 0));
    src.SetPixel(1, 0, RGB(0, 0, 255));
    struct Case {
        std::uint32_t rop;
        COLORREF dest, expect0;
    };
    const Case cases[] = {
        {SRCCOPY, RGB(0, 255, 0), RGB(255, 0, 0)},    {SRCPAINT, RGB(0, 255, 0), RGB(255, 255, 0)},
        {SRCAND, RGB(255, 255, 0), RGB(255, 0, 0)},   {SRCINVERT, RGB(255, 255, 0), RGB(0, 255, 0)},
        {NOTSRCCOPY, RGB(0, 0, 0), RGB(0, 255, 255)}, {DSTINVERT, RGB(0, 255, 0), RGB(255, 0, 255)},
        {BLACKNESS, RGB(9, 9, 9), RGB(0, 0, 0)},      {WHITENESS, RGB(9, 9, 9), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CRasterDC dst(2, 1, c.dest);
        EXPECT_TRUE(dst.BitBlt(0, 0, 2, 1, &src, 0, 0, c.rop));
        EXPECT_EQ(dst.GetPixel(0, 0), c.expect0) << std::hex << c.rop;
    }
    CRasterDC dst(2, 1);
    EXPECT_FALSE(dst.BitBlt(0, 0, 2, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(dst.PatBlt(0, 0, 2, 1, DSTINVERT));
    EXPECT_EQ(dst.GetPixel(1, 0), RGB(0, 0, 0));
}

TEST(RasterOperations, StretchAndMemoryContextsNameTheirPicture)
{
    CBitmap picture(2, 2, RGB(0, 0, 255));
    picture.SetPixel(1, 1, RGB(255, 0, 0));
    picture.SetResourceId(103);
    CRasterDC memory;
    memory.SelectObject(&picture);
    CRecordingDC dc(4, 4);
    dc.StretchBlt(0, 0, 4, 4, &memory, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 0, 0));
    const DrawOp* op = dc.Find(DrawOp::Kind::StretchBlt);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->sourceId, 103);
    EXPECT_EQ(op->source, CRect(0, 0, 2, 2));
    // Drawing into the memory context changes the selected picture.
    memory.FillSolidRect(CRect(0, 0, 1, 1), RGB(1, 1, 1));
    EXPECT_EQ(picture.GetPixel(0, 0), RGB(1, 1, 1));
}

TEST(RasterDrawing, BrushesEdgesFocusAndLines)
{
    CRasterDC dc(16, 16);
    CBrush half;
    half.CreateHalftoneBrush(RGB(255, 255, 255), RGB(0, 0, 0));
    dc.FillRect(CRect(0, 0, 8, 8), &half);
    EXPECT_NE(dc.GetPixel(0, 0), dc.GetPixel(1, 0));
    EXPECT_EQ(dc.GetPixel(0, 0), dc.GetPixel(1, 1));

    // Flat edges: one even border line; the inner line keeps what the control painted there.
    CRect r(0, 0, 16, 16);
    const COLORREF inside = dc.GetPixel(5, 1);
    dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, CRect(2, 2, 14, 14));
    EXPECT_EQ(dc.GetPixel(5, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(5, 15), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(0, 5), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(5, 1), inside);
    // A raised edge is a button's: its bottom line a shade darker.
    CRasterDC button(8, 8, RGB(255, 255, 255));
    CRect face(0, 0, 8, 8);
    button.DrawEdge(&face, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(button.GetPixel(3, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(button.GetPixel(3, 7), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(button.GetPixel(3, 1), RGB(255, 255, 255));
    // A thin edge alone is the border line.
    CRasterDC thin(8, 8, RGB(255, 255, 255));
    CRect thinRect(0, 0, 8, 8);
    thin.DrawEdge(&thinRect, BDR_SUNKENINNER, BF_RECT);
    EXPECT_EQ(thin.GetPixel(7, 3), GetSysColor(COLOR_3DSHADOW));

    CRasterDC focus(8, 8, RGB(255, 255, 255));
    focus.DrawFocusRect(CRect(0, 0, 8, 8));
    EXPECT_EQ(focus.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(focus.GetPixel(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(focus.GetPixel(3, 3), RGB(255, 255, 255));
    focus.DrawFocusRect(CRect(0, 0, 8, 8)); // drawing it again removes it
    EXPECT_EQ(focus.GetPixel(0, 0), RGB(255, 255, 255));

    CRasterDC line(8, 8);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    line.SelectObject(&red);
    line.MoveTo(0, 0);
    line.LineTo(4, 4);
    EXPECT_EQ(line.GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(line.GetPixel(4, 4), RGB(255, 255, 255)); // the end point is left out
}

TEST(TextDrawing, MetricsLayoutAndPrefixes)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    CFont font;
    font.CreatePointFont(80, "MS Shell Dlg");
    TEXTMETRIC tm = ui::MetricsFor(font.GetLogFontRef());
    EXPECT_EQ(font.GetLogFontRef().lfHeight, -11);
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAveCharWidth, 6);

    CRecordingDC dc(200, 60);
    dc.SelectObject(&font);
    EXPECT_EQ(dc.GetTextExtent("R&D"), CSize(18, 13));
    EXPECT_EQ(dc.GetTextExtent("\xC3\xA9t\xC3\xA9"), CSize(18, 13)); // characters, not bytes

    CRect calc(0, 0, 30, 0);
    int h = dc.DrawText("one two three", &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 39);
    EXPECT_EQ(calc.bottom, 39);
    EXPECT_TRUE(dc.Ops().empty()); // measuring draws nothing

    dc.DrawText("R&&D", CRect(0, 0, 200, 20), DT_SINGLELINE | DT_CENTER);
    ASSERT_EQ(dc.Texts(), std::vector<std::string>{"R&&D"});
    EXPECT_EQ(ui::StripPrefix("R&&D"), "R&D");
    EXPECT_EQ(ui::StripPrefix("&File"), "File");
    ui::TextLayout centred = ui::LayoutText("ab", CRect(0, 0, 100, 20),
                                            DT_CENTER | DT_SINGLELINE | DT_VCENTER, font.GetLogFontRef());
    ASSERT_EQ(centred.lines.size(), 1u);
    EXPECT_EQ(centred.lines[0].x, 44);
    EXPECT_EQ(centred.lines[0].y, 3);
    ui::TextLayout cut = ui::LayoutText("abcdefghij", CRect(0, 0, 36, 20), DT_SINGLELINE | DT_END_ELLIPSIS,
                                        font.GetLogFontRef());
    EXPECT_EQ(cut.lines[0].text, "abc...");

    // The glyphs land inside the text rectangle, in the text colour.
    CRasterDC raster(40, 20);
    raster.SetTextColor(RGB(0, 0, 255));
    raster.TextOut(0, 0, "H");
    int blue = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            blue += raster.GetPixel(x, y) == RGB(0, 0, 255) ? 1 : 0;
    EXPECT_EQ(blue, 7 + 7 + 3); // two uprights and the bar of an H
}

TEST(TextDrawing, Utf8CountingAndCutting)
{
    EXPECT_EQ(ui::CountCharacters("a\xE2\x82\xAC"
                                  "b"),
              3u);
    EXPECT_EQ(ui::TruncateCharacters("a\xE2\x82\xAC"
                                     "b",
                                     2),
              "a\xE2\x82\xAC");
    EXPECT_EQ(ui::CountCharacters("\xFF\xC3"), 2u); // malformed bytes count one each
}

std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& png, std::size_t expect)
{
    // Walk the chunks and inflate the image data.
    std::vector<std::uint8_t> idat;
    std::size_t at = 8;
    while (at + 8 <= png.size()) {
        std::uint32_t len = (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        std::string type(png.begin() + at + 4, png.begin() + at + 8);
        if (type == "IDAT")
            idat.insert(idat.end(), png.begin() + at + 8, png.begin() + at + 8 + len);
        at += 12 + len;
    }
    std::vector<std::uint8_t> raw(expect);
    uLongf size = static_cast<uLongf>(expect);
    EXPECT_EQ(uncompress(raw.data(), &size, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
    raw.resize(size);
    return raw;
}

TEST(PngWriter, WritesRowsOfRgbThatInflateBack)
{
    CBitmap b(2, 2, RGB(10, 20, 30));
    b.SetPixel(1, 1, RGB(200, 100, 50));
    std::vector<std::uint8_t> png = EncodePng(b);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    std::vector<std::uint8_t> raw = Inflate(png, 14);
    EXPECT_EQ(raw, (std::vector<std::uint8_t>{0, 10, 20, 30, 10, 20, 30, 0, 10, 20, 30, 200, 100, 50}));
    EXPECT_TRUE(EncodePng(CBitmap()).empty());
}

} // namespace

namespace {

TEST(RasterDrawing, FramesRectanglesAndOpaqueText)
{
    CRasterDC dc(10, 10, RGB(255, 255, 255));
    dc.Draw3dRect(CRect(0, 0, 10, 10), RGB(255, 0, 0), RGB(0, 0, 255));
    struct Pixel {
        int x, y;
        COLORREF expect;
    };
    const Pixel frame[] = {{0, 0, RGB(255, 0, 0)}, {8, 0, RGB(255, 0, 0)}, {9, 0, RGB(0, 0, 255)},
                           {0, 9, RGB(0, 0, 255)}, {9, 9, RGB(0, 0, 255)}, {5, 5, RGB(255, 255, 255)}};
    for (const Pixel& p : frame)
        EXPECT_EQ(dc.GetPixel(p.x, p.y), p.expect) << p.x << "," << p.y;

    CRasterDC rect(10, 10, RGB(255, 255, 255));
    CPen none(PS_NULL, 1, 0);
    CBrush green(RGB(0, 255, 0));
    rect.SelectObject(&none);
    rect.SelectObject(&green);
    rect.Rectangle(2, 2, 6, 6);
    EXPECT_EQ(rect.GetPixel(2, 2), RGB(0, 255, 0)); // no outline: the fill reaches the edge
    EXPECT_EQ(rect.GetPixel(6, 6), RGB(255, 255, 255));
    CPen dots(PS_DOT, 1, RGB(0, 0, 0));
    rect.SelectObject(&dots);
    rect.MoveTo(0, 9);
    rect.LineTo(6, 9);
    EXPECT_EQ(rect.GetPixel(0, 9), RGB(0, 0, 0));
    EXPECT_EQ(rect.GetPixel(1, 9), RGB(255, 255, 255));
    EXPECT_EQ(rect.GetPixel(2, 9), RGB(0, 0, 0));

    CRect middle(0, 0, 10, 10);
    CRasterDC edge(10, 10, RGB(255, 255, 255));
    edge.DrawEdge(&middle, EDGE_RAISED, BF_TOP | BF_LEFT | BF_MIDDLE);
    EXPECT_EQ(edge.GetPixel(5, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(edge.GetPixel(9, 9), GetSysColor(COLOR_BTNFACE)); // no right or bottom side
    EXPECT_EQ(middle, CRect(0, 0, 10, 10));                     // not adjusted without BF_ADJUST

    CRasterDC text(20, 20, RGB(255, 255, 255));
    text.SetBkColor(RGB(255, 255, 0));
    text.TextOut(0, 0, " ");
    EXPECT_EQ(text.GetPixel(3, 3), RGB(255, 255, 0)); // opaque by default
    text.SetBkMode(TRANSPARENT);
    text.TextOut(10, 0, " ");
    EXPECT_EQ(text.GetPixel(13, 3), RGB(255, 255, 255));
}

TEST(DeviceContextMapping, ClipBoxesAndRestoringCountsBackwards)
{
    CRasterDC dc(100, 100);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(200, 200);
    dc.SetViewportExt(100, 100);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 200, 200)); // logical units
    dc.SaveDC();
    dc.SetTextColor(RGB(1, 1, 1));
    dc.SaveDC();
    dc.SetTextColor(RGB(2, 2, 2));
    EXPECT_TRUE(dc.RestoreDC(-2)); // back past both saves
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_FALSE(dc.RestoreDC(-1));
    // Zero extents would divide by zero; they are refused.
    dc.SetWindowExt(0, 5);
    EXPECT_EQ(dc.GetWindowExt(), CSize(200, 200));
    CSize s(40, 40);
    dc.LPtoDP(&s);
    EXPECT_EQ(s, CSize(20, 20));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 100);
}

TEST(TextDrawing, AlignmentAndBreakingOfLongWords)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    const LOGFONT& f = ui::DefaultLogFont();
    ui::TextLayout bottom =
        ui::LayoutText("ab", CRect(0, 0, 60, 40), DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, f);
    EXPECT_EQ(bottom.lines[0].x, 60 - 12);
    EXPECT_EQ(bottom.lines[0].y, 40 - 13);
    ui::TextLayout words = ui::LayoutText("a verylongword b", CRect(0, 0, 30, 100), DT_WORDBREAK, f);
    ASSERT_EQ(words.lines.size(), 3u); // the long word keeps a line of its own
    EXPECT_EQ(words.lines[1].text, "verylongword");
    ui::TextLayout lines = ui::LayoutText("one\r\ntwo\nthree", CRect(0, 0, 100, 100), 0, f);
    EXPECT_EQ(lines.lines.size(), 3u);
    ui::TextLayout flat = ui::LayoutText("one\r\ntwo", CRect(0, 0, 100, 100), DT_SINGLELINE, f);
    EXPECT_EQ(flat.lines[0].text, "one  two");
}

} // namespace
