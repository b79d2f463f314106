#include "platform/drawing/Png.h"

#include <fstream>
#include <string_view>
#include <zlib.h>

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data)
{
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBe32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<std::uint8_t> EncodePng(const CBitmap& bitmap)
{
    if (!bitmap.IsCreated())
        return {};
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < w; ++x) {
            COLORREF c = bitmap.GetPixel(x, y);
            raw.push_back(static_cast<std::uint8_t>(GetRValue(c)));
            raw.push_back(static_cast<std::uint8_t>(GetGValue(c)));
            raw.push_back(static_cast<std::uint8_t>(GetBValue(c)));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(w));
    PutBe32(header, static_cast<std::uint32_t>(h));
    header.push_back(8); // bit depth
    header.push_back(2); // colour type: RGB
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(0); // no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::filesystem::path& file, const CBitmap& bitmap)
{
    std::vector<std::uint8_t> bytes = EncodePng(bitmap);
    if (bytes.empty())
        return false;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
