#include "platform/services/FlashPlayerObject.h"
#include "tests/support/FlashPlayerFake.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

TEST(FlashPlayerObject, TheStartUpCheckCanCreateThePlayerByNameAndReadItsVersion)
{
    CObjectFactory factory;
    RegisterFlashPlayerObject(factory);
    EXPECT_EQ(factory.Create("ShockwaveFlash.ShockwaveFlash"), nullptr) << "no player without a factory";
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    auto object = factory.Create("ShockwaveFlash.ShockwaveFlash");
    ASSERT_NE(object, nullptr);
    auto version = object->GetProperty("FlashVersion");
    ASSERT_TRUE(version.has_value());
    EXPECT_GT(std::get<std::int64_t>(*version), 0x60000);

    SetFlashPlayerFactory([] {
        auto p = std::make_unique<CFakeFlashPlayer>();
        p->SetVersionFails(true);
        return std::unique_ptr<IFlashPlayer>(std::move(p));
    });
    EXPECT_FALSE(factory.Create("ShockwaveFlash.ShockwaveFlash")->GetProperty("FlashVersion").has_value());
    ResetFlashPlayerFactory();
    EXPECT_EQ(factory.Create("ShockwaveFlash.ShockwaveFlash"), nullptr);
}

// A movie file's header read for its frame size, plain or compressed: the frame rectangle
// 0..11000 by 0..8000 twips (550 by 400 pixels) in 15-bit fields; anything else is no movie.
TEST(MovieFrameSize, TheHeadersRectangleInPixelsOfAPlainOrCompressedMovie)
{
    const std::vector<std::uint8_t> rect = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00};
    std::vector<std::uint8_t> body = rect;
    body.insert(body.end(), {0x00, 0x18, 0x01, 0x00, 0x00, 0x00}); // rate, frames, End
    // Tags enough for the compressor to open with code tables, as a real movie's stream does,
    // which puts the rectangle's bytes well into the file.
    for (std::uint32_t i = 0, x = 1; i < 20000; ++i, x = x * 1103515245u + 12345u)
        body.push_back(static_cast<std::uint8_t>("actions"[(x >> 16) % 7]));
    const auto dir = std::filesystem::temp_directory_path() / ("vantorel-frame-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto write = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<std::streamsize>(bytes.size()));
        return dir / name;
    };
    std::vector<std::uint8_t> plain = {'F', 'W', 'S', 6, 0, 0, 0, 0};
    plain.insert(plain.end(), body.begin(), body.end());
    std::vector<std::uint8_t> packed(compressBound(static_cast<uLong>(body.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    ASSERT_EQ(compress2(packed.data(), &packedSize, body.data(), static_cast<uLong>(body.size()), 9), Z_OK);
    std::vector<std::uint8_t> compressed = {'C', 'W', 'S', 6, 0, 0, 0, 0};
    compressed.insert(compressed.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));

    for (const auto& file : {write("plain.swf", plain), write("compressed.swf", compressed)}) {
        const std::optional<CSize> size = MovieFrameSize(file);
        ASSERT_TRUE(size.has_value()) << file;
        EXPECT_EQ(size->cx, 550);
        EXPECT_EQ(size->cy, 400);
    }
    EXPECT_FALSE(MovieFrameSize(write("short.swf", {'F', 'W', 'S', 6})).has_value());
    EXPECT_FALSE(MovieFrameSize(write("text.swf", std::vector<std::uint8_t>(20, 'a'))).has_value());
    EXPECT_FALSE(MovieFrameSize(write("garbled.swf", {'C', 'W', 'S', 6, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9})).has_value());
    EXPECT_FALSE(MovieFrameSize(dir / "missing.swf").has_value());
    std::filesystem::remove_all(dir);
}

} // namespace
