#include "platform/controls/FlashPlayer.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

FlashPlayerFactory& Factory()
{
    static FlashPlayerFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<IFlashPlayer> CreateFlashPlayer()
{
    return Factory() ? Factory()() : nullptr;
}

void SetFlashPlayerFactory(FlashPlayerFactory factory)
{
    Factory() = std::move(factory);
}

void ResetFlashPlayerFactory()
{
    Factory() = nullptr;
}

std::optional<CSize> MovieFrameSize(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    // A compressed movie's first block may open with its code tables: the rectangle's bytes can
    // come a few hundred bytes in.
    std::vector<unsigned char> head(64 * 1024);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < 9 || head[1] != 'W' || head[2] != 'S' || (head[0] != 'F' && head[0] != 'C'))
        return std::nullopt;
    // The frame rectangle follows the 8 bytes of signature, version and length: a 5-bit field
    // size, then x min, x max, y min and y max in twips; at most 17 bytes.
    std::array<unsigned char, 17> rect{};
    std::size_t have = 0;
    if (head[0] == 'F') {
        have = std::min(rect.size(), got - 8);
        std::copy_n(head.begin() + 8, have, rect.begin());
    } else {
        z_stream z{};
        if (inflateInit(&z) != Z_OK)
            return std::nullopt;
        z.next_in = head.data() + 8;
        z.avail_in = static_cast<uInt>(got - 8);
        z.next_out = rect.data();
        z.avail_out = static_cast<uInt>(rect.size());
        const int result = inflate(&z, Z_SYNC_FLUSH);
        have = rect.size() - z.avail_out;
        inflateEnd(&z);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return std::nullopt;
    }
    if (have == 0)
        return std::nullopt;
    const int bits = rect[0] >> 3;
    if (5 + 4 * bits > static_cast<int>(have) * 8)
        return std::nullopt;
    std::size_t at = 5;
    auto field = [&] {
        std::int64_t value = 0;
        for (int i = 0; i < bits; ++i, ++at)
            value = (value << 1) | ((rect[at / 8] >> (7 - at % 8)) & 1);
        if (bits > 0 && (value >> (bits - 1)) != 0)
            value -= std::int64_t{1} << bits; // signed
        return value;
    };
    const std::int64_t xMin = field(), xMax = field(), yMin = field(), yMax = field();
    const std::int64_t width = (xMax - xMin) / 20, height = (yMax - yMin) / 20;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
        return std::nullopt;
    return CSize(static_cast<int>(width), static_cast<int>(height));
}
