#include "platform/drawing/Bitmap.h"
#include "platform/drawing/RecordingDC.h"

#include <gtest/gtest.h>

namespace {

void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A BMP image with a 40-byte header; rows are given bottom-up and already padded.
std::vector<std::uint8_t> Bmp(int w, int h, int bpp, const std::vector<std::uint8_t>& palette,
                              const std::vector<std::uint8_t>& pixels, std::uint32_t compression = 0)
{
    std::vector<std::uint8_t> b = {'B', 'M'};
    std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
    Put(b, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, 40, 4);
    Put(b, static_cast<std::uint32_t>(w), 4);
    Put(b, static_cast<std::uint32_t>(h), 4);
    Put(b, 1, 2);
    Put(b, static_cast<std::uint32_t>(bpp), 2);
    Put(b, compression, 4);
    Put(b, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    Put(b, static_cast<std::uint32_t>(palette.size() / 4), 4);
    Put(b, 0, 4);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(BmpReader, ReadsTheDepthsThePaletteImagesUse)
{
    // 24 bits, 2x2, bottom-up: the first stored row is the bottom one.
    auto b24 = Bmp(2, 2, 24, {}, {0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0});
    CBitmap bmp;
    std::string error;
    ASSERT_TRUE(bmp.LoadBmp(b24, &error)) << error;
    EXPECT_EQ(bmp.GetPixel(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(bmp.GetPixel(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(bmp.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(bmp.GetPixel(1, 0), RGB(255, 255, 255));

    // 1 bit with a two-colour palette, most significant bit first.
    auto b1 = Bmp(3, 1, 1, {0, 0, 0, 0, 255, 255, 255, 0}, {0xA0, 0, 0, 0});
    ASSERT_TRUE(bmp.LoadBmp(b1, &error)) << error;
    EXPECT_EQ(bmp.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(bmp.GetPixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(bmp.GetPixel(2, 0), RGB(255, 255, 255));

    // 8 bits, and an index beyond the palette reads as black.
    auto b8 = Bmp(2, 1, 8, {0, 255, 0, 0}, {0, 7, 0, 0});
    ASSERT_TRUE(bmp.LoadBmp(b8, &error)) << error;
    EXPECT_EQ(bmp.GetPixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(bmp.GetPixel(1, 0), RGB(0, 0, 0));
}

TEST(BmpReader, RefusesDamagedFilesWithAPlace)
{
    auto good = Bmp(2, 2, 24, {}, std::vector<std::uint8_t>(16, 0));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* expect;
    };
    auto truncated = good;
    truncated.resize(good.size() - 1);
    auto badDepth = good;
    badDepth[28] = 7;
    auto huge = good;
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
    auto rle = Bmp(2, 2, 8, {}, std::vector<std::uint8_t>(8, 0), 1);
    const Case cases[] = {
        {"empty", {}, "truncated header"},
        {"signature", std::vector<std::uint8_t>(60, 0), "'BM' signature"},
        {"short pixel data", truncated, "runs past the end"},
        {"depth", badDepth, "unsupported depth 7"},
        {"size", huge, "unsupported size"},
        {"compression", rle, "unsupported compression 1"},
    };
    for (const Case& c : cases) {
        CBitmap bmp;
        std::string error;
        EXPECT_FALSE(bmp.LoadBmp(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.expect), std::string::npos) << c.name << ": " << error;
    }
}

TEST(Resources, IconsDrawThroughTheirMask)
{
    ResetImageResources();
    CBitmap icon(2, 1, RGB(255, 0, 0));
    icon.SetTransparent(1, 0, true);
    GetImageResources().AddIcon(180, icon);
    GetImageResources().AddBitmap(163, CBitmap(16, 16));
    CBitmap loaded;
    EXPECT_TRUE(loaded.LoadBitmap(163));
    EXPECT_EQ(loaded.GetResourceId(), 163);
    EXPECT_FALSE(loaded.LoadBitmap(999));

    CRecordingDC dc(2, 1, RGB(0, 0, 0));
    EXPECT_TRUE(dc.DrawIcon(0, 0, 180));
    EXPECT_FALSE(dc.DrawIcon(0, 0, 181));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 0, 0));
    ASSERT_EQ(dc.Count(DrawOp::Kind::Image), 2u);
    EXPECT_EQ(dc.Find(DrawOp::Kind::Image, 1)->sourceId, 181); // a missing icon is still recorded
    ResetImageResources();
}

} // namespace
