#include <gtest/gtest.h>

#include <fstream>
#include <zlib.h>

#include "platform/drawing/IconTheme.h"
#include "platform/drawing/Png.h"
#include "tests/support/TestSupport.h"

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBe32(out, 0); // the reader does not check sums, as browsers do not
}

// A PNG of the given kind whose rows are already filtered (each row starts with its filter).
std::vector<std::uint8_t> MakePng(int w, int h, int colourType, std::vector<std::uint8_t> rows, int depth = 8,
                                  const std::vector<std::uint8_t>& palette = {})
{
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(w));
    PutBe32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colourType), 0, 0, 0});
    PutChunk(out, "IHDR", header);
    if (!palette.empty())
        PutChunk(out, "PLTE", palette);
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(size);
    compress(packed.data(), &size, rows.data(), static_cast<uLong>(rows.size()));
    packed.resize(size);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

TEST(PngDecode, EveryRowFilterGivesBackThePixels)
{
    // Two RGBA pixels a row; row 0 is Sub, row 1 Up, row 2 Average, row 3 Paeth, each encoding
    // the same picture: pixel 0 = (10,20,30,255), pixel 1 = (50,60,70,128).
    const std::uint8_t p0[4] = {10, 20, 30, 255}, p1[4] = {50, 60, 70, 128};
    std::vector<std::uint8_t> rows;
    rows.push_back(1); // Sub: the second pixel is stored as its difference from the first
    rows.insert(rows.end(), p0, p0 + 4);
    for (int i = 0; i < 4; ++i)
        rows.push_back(static_cast<std::uint8_t>(p1[i] - p0[i]));
    rows.push_back(2); // Up: identical rows store zeros
    rows.insert(rows.end(), 8, 0);
    rows.push_back(3); // Average of left and up
    for (int i = 0; i < 4; ++i)
        rows.push_back(static_cast<std::uint8_t>(p0[i] - (0 + p0[i]) / 2));
    for (int i = 0; i < 4; ++i)
        rows.push_back(static_cast<std::uint8_t>(p1[i] - (p0[i] + p1[i]) / 2));
    rows.push_back(4); // Paeth: predicts from up at the left edge and for these values
    for (int i = 0; i < 4; ++i)
        rows.push_back(0);
    for (int i = 0; i < 4; ++i)
        rows.push_back(0);
    std::string error;
    const auto image = DecodePng(MakePng(2, 4, 6, rows), &error);
    ASSERT_TRUE(image) << error;
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(image->At(0, y), 0xFF0A141Eu) << y;
        EXPECT_EQ(image->At(1, y), 0x80323C46u) << y;
    }
}

TEST(PngDecode, GreyAlphaAndPaletteKindsAndOurOwnPictures)
{
    const auto grey = DecodePng(MakePng(1, 1, 4, {0, 200, 100}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->At(0, 0), 0x64C8C8C8u);
    const auto indexed = DecodePng(MakePng(2, 1, 3, {0, 1, 0}, 8, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->At(0, 0), 0xFF040506u);
    EXPECT_EQ(indexed->At(1, 0), 0xFF010203u);

    CBitmap picture(3, 2, RGB(1, 2, 3));
    picture.SetPixel(2, 1, RGB(250, 128, 7));
    const auto back = DecodePng(EncodePng(picture));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->At(0, 0), 0xFF010203u);
    EXPECT_EQ(back->At(2, 1), 0xFFFA8007u);
}

TEST(PngDecode, DamagedAndUnsupportedFilesAreRefusedWithAReason)
{
    const std::vector<std::uint8_t> good = MakePng(2, 1, 2, {0, 1, 2, 3, 4, 5, 6});
    std::string error;
    EXPECT_FALSE(DecodePng(std::vector<std::uint8_t>{1, 2, 3}, &error));
    EXPECT_EQ(error, "not a PNG file");
    // Cut anywhere inside: never read past the end.
    for (std::size_t cut = 8; cut < good.size() - 12; ++cut) {
        EXPECT_FALSE(DecodePng(std::span(good.data(), cut), &error)) << cut;
        EXPECT_FALSE(error.empty());
    }
    // A chunk claiming more bytes than the file has.
    std::vector<std::uint8_t> longChunk = good;
    longChunk[8] = 0x7F;
    EXPECT_FALSE(DecodePng(longChunk, &error));
    EXPECT_NE(error.find("longer than the file"), std::string::npos);
    EXPECT_FALSE(DecodePng(MakePng(1, 1, 6, {0, 0, 0, 0, 0, 0, 0, 0, 0}, 16), &error));
    EXPECT_NE(error.find("unsupported"), std::string::npos);
    EXPECT_FALSE(DecodePng(MakePng(100000, 1, 0, {0, 0}), &error));
    EXPECT_EQ(error, "picture size out of range");
    // Too little image data for the size the header gives.
    EXPECT_FALSE(DecodePng(MakePng(4, 4, 2, {0, 1, 2, 3}), &error));
    EXPECT_FALSE(DecodePng(MakePng(1, 1, 2, {9, 1, 2, 3}), &error));
    EXPECT_EQ(error, "unknown row filter");
}

void WriteIcon(const std::filesystem::path& file, COLORREF colour)
{
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(WritePng(file, CBitmap(16, 16, colour)));
}

TEST(IconTheme, OwnFoldersComeBeforeTheThemeAndTheLoaderBeforeBoth)
{
    testsupport::TempDir dir;
    WriteIcon(dir / "own/16/vantorel-group.png", RGB(255, 0, 0));
    WriteIcon(dir / "theme/16x16/actions/document-new-symbolic.symbolic.png", RGB(0, 255, 0));
    WriteIcon(dir / "theme/16x16/legacy/vantorel-group.png", RGB(0, 0, 255));
    CIconTheme theme;
    theme.SetFolders({dir / "own"}, {dir / "theme"});
    const RgbaImage* own = theme.Find("vantorel-group", 16);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->At(0, 0), 0xFFFF0000u);
    const RgbaImage* standard = theme.Find("document-new-symbolic", 16);
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->At(5, 5), 0xFF00FF00u);
    // Sizes are never mixed up: there is no 32 pixel picture.
    EXPECT_EQ(theme.Find("document-new-symbolic", 32), nullptr);
    EXPECT_EQ(theme.Find("no-such-icon", 16), nullptr);
    EXPECT_EQ(theme.Find("", 16), nullptr);

    int asked = 0;
    theme.SetLoader([&asked](const std::string& name, int size) -> std::optional<RgbaImage> {
        ++asked;
        if (name != "document-new-symbolic")
            return std::nullopt;
        return RgbaImage{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), 0xFF123456u)};
    });
    EXPECT_EQ(theme.Find("document-new-symbolic", 16)->At(0, 0), 0xFF123456u);
    EXPECT_EQ(theme.Find("document-new-symbolic", 16)->At(0, 0), 0xFF123456u);
    EXPECT_EQ(theme.Find("vantorel-group", 16)->At(0, 0), 0xFFFF0000u); // loader does not know it
    EXPECT_EQ(asked, 2);                                                // kept after the first look
}

TEST(IconTheme, TheInstalledThemeHasTheStandardActionsAt1xAnd2x)
{
    CIconTheme theme;
    theme.SetFolders({}, DefaultThemeFolders());
    if (theme.Find("document-open-symbolic", 16) == nullptr)
        GTEST_SKIP() << "adwaita-icon-theme is not installed (tools/setup.sh)";
    for (const char* name : {"document-new-symbolic", "document-save-symbolic", "edit-cut-symbolic",
                             "edit-copy-symbolic", "edit-paste-symbolic", "zoom-in-symbolic", "zoom-out-symbolic",
                             "zoom-fit-best-symbolic", "help-browser-symbolic"}) {
        for (int size : {16, 32}) {
            const RgbaImage* icon = theme.Find(name, size);
            ASSERT_NE(icon, nullptr) << name << " " << size;
            EXPECT_EQ(icon->width, size);
            int shape = 0;
            for (std::uint32_t px : icon->pixels)
                shape += (px >> 24) > 128 ? 1 : 0;
            EXPECT_GT(shape, size) << name; // a drawn shape, not an empty picture
        }
    }
}

TEST(IconTheme, CompositingBlendsAlphaRecoloursSymbolsAndFadesDisabledIcons)
{
    RgbaImage icon{3, 1, {0x00FF0000u, 0xFFFF0000u, 0x80FF0000u}};
    const COLORREF back = RGB(255, 255, 255);
    const CBitmap plain = CompositeIcon(icon, back, RGB(0, 0, 0), false, false);
    EXPECT_TRUE(plain.IsTransparent(0, 0));
    EXPECT_FALSE(plain.IsTransparent(1, 0));
    EXPECT_EQ(plain.GetPixel(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(plain.GetPixel(2, 0), RGB(255, 127, 127));

    const CBitmap symbol = CompositeIcon(icon, back, RGB(0, 0, 100), true, false);
    EXPECT_EQ(symbol.GetPixel(1, 0), RGB(0, 0, 100));

    const CBitmap faded = CompositeIcon(icon, back, RGB(0, 0, 0), false, true);
    EXPECT_GT(GetGValue(faded.GetPixel(1, 0)), 100); // far lighter than the enabled red
    EXPECT_LT(GetGValue(faded.GetPixel(1, 0)), 255);

    EXPECT_TRUE(IsSymbolicIcon("edit-cut-symbolic"));
    EXPECT_FALSE(IsSymbolicIcon("edit-cut"));
    EXPECT_FALSE(IsSymbolicIcon("-symbolic"));
}

} // namespace
