#include "platform/drawing/Png.h"

#include <algorithm>
#include <cstdlib>

#include <fstream>
#include <iterator>
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

std::uint32_t Be32(std::span<const std::uint8_t> b, std::size_t at)
{
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           std::uint32_t{b[at + 3]};
}

std::optional<RgbaImage> Refuse(std::string* error, const std::string& why)
{
    if (error != nullptr)
        *error = why;
    return std::nullopt;
}

// The PNG filter predictor of one byte from its left (a), upper (b) and upper-left (c) bytes.
std::uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes the per-row filters in place; false on an unknown filter type.
bool Unfilter(std::vector<std::uint8_t>& raw, int height, std::size_t stride, int bpp)
{
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * (stride + 1);
        const std::uint8_t* up = y > 0 ? row - (stride + 1) + 1 : nullptr;
        const std::uint8_t filter = row[0];
        std::uint8_t* cur = row + 1;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= static_cast<std::size_t>(bpp) ? cur[i - bpp] : 0;
            const int b = up != nullptr ? up[i] : 0;
            const int c = up != nullptr && i >= static_cast<std::size_t>(bpp) ? up[i - bpp] : 0;
            switch (filter) {
            case 0: break;
            case 1: cur[i] = static_cast<std::uint8_t>(cur[i] + a); break;
            case 2: cur[i] = static_cast<std::uint8_t>(cur[i] + b); break;
            case 3: cur[i] = static_cast<std::uint8_t>(cur[i] + (a + b) / 2); break;
            case 4: cur[i] = static_cast<std::uint8_t>(cur[i] + Paeth(a, b, c)); break;
            default: return false;
            }
        }
    }
    return true;
}

struct PngHeader {
    int width = 0;
    int height = 0;
    int colourType = 0;
    int channels = 0;
};

std::uint32_t ToArgb(const PngHeader& h, const std::uint8_t* px, const std::vector<std::uint32_t>& palette)
{
    auto argb = [](std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return (a << 24) | (r << 16) | (g << 8) | b;
    };
    switch (h.colourType) {
    case 0: return argb(255, px[0], px[0], px[0]);
    case 2: return argb(255, px[0], px[1], px[2]);
    case 3: return px[0] < palette.size() ? palette[px[0]] : 0;
    case 4: return argb(px[1], px[0], px[0], px[0]);
    default: return argb(px[3], px[0], px[1], px[2]);
    }
}

} // namespace

std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> bytes, std::string* error)
{
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
        return Refuse(error, "not a PNG file");
    PngHeader h;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> packed;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (bytes.size() - at < 12)
            return Refuse(error, "truncated chunk at offset " + std::to_string(at));
        const std::uint32_t length = Be32(bytes, at);
        if (length > bytes.size() - at - 12)
            return Refuse(error, "chunk longer than the file at offset " + std::to_string(at));
        const std::string type(reinterpret_cast<const char*>(bytes.data() + at + 4), 4);
        const auto data = bytes.subspan(at + 8, length);
        if (type == "IHDR") {
            if (length != 13)
                return Refuse(error, "bad IHDR length");
            h.width = static_cast<int>(std::min<std::uint32_t>(Be32(data, 0), kMaxPngSide + 1));
            h.height = static_cast<int>(std::min<std::uint32_t>(Be32(data, 4), kMaxPngSide + 1));
            h.colourType = data[9];
            static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
            h.channels = h.colourType <= 6 ? kChannels[h.colourType] : 0;
            if (h.width < 1 || h.height < 1 || h.width > kMaxPngSide || h.height > kMaxPngSide)
                return Refuse(error, "picture size out of range");
            if (data[8] != 8 || h.channels == 0 || data[12] != 0)
                return Refuse(error, "unsupported PNG kind (only 8 bits a channel, not interlaced)");
        } else if (type == "PLTE") {
            for (std::size_t i = 0; i + 2 < data.size(); i += 3)
                palette.push_back(0xFF000000u | (std::uint32_t{data[i]} << 16) | (std::uint32_t{data[i + 1]} << 8) |
                                  data[i + 2]);
        } else if (type == "tRNS" && h.colourType == 3) {
            for (std::size_t i = 0; i < data.size() && i < palette.size(); ++i)
                palette[i] = (palette[i] & 0x00FFFFFFu) | (std::uint32_t{data[i]} << 24);
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data.begin(), data.end());
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (h.channels == 0)
        return Refuse(error, "no IHDR chunk");
    const std::size_t stride = static_cast<std::size_t>(h.width) * h.channels;
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(h.height) * (stride + 1));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size())
        return Refuse(error, "damaged or short image data");
    if (!Unfilter(raw, h.height, stride, h.channels))
        return Refuse(error, "unknown row filter");
    RgbaImage image;
    image.width = h.width;
    image.height = h.height;
    image.pixels.reserve(static_cast<std::size_t>(h.width) * h.height);
    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * (stride + 1) + 1;
        for (int x = 0; x < h.width; ++x)
            image.pixels.push_back(ToArgb(h, row + static_cast<std::size_t>(x) * h.channels, palette));
    }
    return image;
}

std::optional<RgbaImage> ReadPngFile(const std::filesystem::path& file, std::string* error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Refuse(error, "cannot open " + file.string());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodePng(bytes, error);
}

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
