#include "platform/drawing/Bitmap.h"

#include <fstream>
#include <iterator>

namespace {

// Large enough for any palette sheet the program ships, small enough that a hostile
// header cannot make us allocate gigabytes.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

bool Fail(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
    return false;
}

int ShiftOf(std::uint32_t mask)
{
    int s = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++s;
    }
    return s;
}

int Channel(std::uint32_t px, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int s = ShiftOf(mask);
    std::uint32_t m = mask >> s;
    std::uint32_t v = (px & mask) >> s;
    return static_cast<int>(m == 0xFF ? v : v * 255 / m);
}

} // namespace

CBitmap::CBitmap(int width, int height, COLORREF fill)
{
    CreateBitmap(width, height, fill);
}

bool CBitmap::CreateBitmap(int width, int height, COLORREF fill)
{
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels)
        return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    m_mask.clear();
    return true;
}

bool CBitmap::LoadBitmap(int resourceId)
{
    const CBitmap* found = GetImageResources().FindBitmap(resourceId);
    if (found == nullptr)
        return false;
    *this = *found;
    m_resourceId = resourceId;
    return true;
}

void CBitmap::DeleteObject()
{
    *this = CBitmap();
}

int CBitmap::GetBitmap(BITMAP* out) const
{
    if (out == nullptr || !IsCreated())
        return 0;
    out->bmWidth = m_width;
    out->bmHeight = m_height;
    out->bmBitsPixel = 32;
    return static_cast<int>(sizeof(BITMAP));
}

COLORREF CBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xFFFFFFFF; // the platform's CLR_INVALID
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void CBitmap::SetPixel(int x, int y, COLORREF c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = c & 0xFFFFFF;
}

bool CBitmap::IsTransparent(int x, int y) const
{
    if (m_mask.empty() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return m_mask[static_cast<std::size_t>(y) * m_width + x] != 0;
}

void CBitmap::SetTransparent(int x, int y, bool transparent)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    if (m_mask.empty())
        m_mask.assign(m_pixels.size(), 0);
    m_mask[static_cast<std::size_t>(y) * m_width + x] = transparent ? 1 : 0;
}

void CBitmap::MaskColour(COLORREF c)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (GetPixel(x, y) == (c & 0xFFFFFF))
                SetTransparent(x, y, true);
}

bool CBitmap::LoadBmp(std::span<const std::uint8_t> b, std::string* error)
{
    if (b.size() < 14 + 12)
        return Fail(error, "BMP file: truncated header (" + std::to_string(b.size()) + " bytes)");
    if (b[0] != 'B' || b[1] != 'M')
        return Fail(error, "BMP file: missing 'BM' signature at offset 0");
    std::uint32_t dataOffset = Le(b, 10, 4);
    std::uint32_t infoSize = Le(b, 14, 4);
    if (infoSize < 12 || infoSize > b.size() - 14)
        return Fail(error, "BMP file: bad info header size " + std::to_string(infoSize) + " at offset 14");
    long long width = 0, height = 0;
    int bpp = 0;
    std::uint32_t compression = 0, colorsUsed = 0;
    std::uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    int paletteEntry = 4;
    if (infoSize == 12) { // the old core header
        width = static_cast<std::int16_t>(Le(b, 18, 2));
        height = static_cast<std::int16_t>(Le(b, 20, 2));
        bpp = static_cast<int>(Le(b, 24, 2));
        paletteEntry = 3;
    } else {
        if (infoSize < 40)
            return Fail(error,
                        "BMP file: bad info header size " + std::to_string(infoSize) + " at offset 14");
        width = static_cast<std::int32_t>(Le(b, 18, 4));
        height = static_cast<std::int32_t>(Le(b, 22, 4));
        bpp = static_cast<int>(Le(b, 28, 2));
        compression = Le(b, 30, 4);
        colorsUsed = Le(b, 46, 4);
        if (compression == 3) {
            // The masks follow a 40-byte header and sit at the same place inside longer ones.
            std::size_t at = 14 + 40;
            if (b.size() < at + 12)
                return Fail(error, "BMP file: truncated bit-field masks at offset 54");
            for (int i = 0; i < 3; ++i)
                masks[i] = Le(b, at + 4 * static_cast<std::size_t>(i), 4);
        } else if (compression != 0) {
            return Fail(error,
                        "BMP file: unsupported compression " + std::to_string(compression) + " at offset 30");
        }
    }
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return Fail(error,
                    "BMP file: unsupported size " + std::to_string(width) + "x" + std::to_string(height));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32 && !(bpp == 16 && compression == 3))
        return Fail(error, "BMP file: unsupported depth " + std::to_string(bpp) + " bits at offset 28");
    if (compression == 3 && bpp != 16 && bpp != 32)
        return Fail(error, "BMP file: bit fields need 16 or 32 bits per pixel");

    std::vector<COLORREF> palette;
    if (bpp <= 8) {
        std::size_t count = colorsUsed != 0 ? colorsUsed : (1u << bpp);
        if (count > 256)
            return Fail(error, "BMP file: palette of " + std::to_string(count) + " colours at offset 46");
        std::size_t at = 14 + infoSize;
        if (at + count * paletteEntry > b.size())
            return Fail(error, "BMP file: truncated palette at offset " + std::to_string(at));
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t p = at + i * paletteEntry;
            palette.push_back(RGB(b[p + 2], b[p + 1], b[p]));
        }
    }
    std::size_t rowBytes = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (dataOffset > b.size() || rowBytes * static_cast<std::size_t>(height) > b.size() - dataOffset)
        return Fail(error,
                    "BMP file: pixel data at offset " + std::to_string(dataOffset) + " runs past the end");

    CBitmap out(static_cast<int>(width), static_cast<int>(height));
    for (long long row = 0; row < height; ++row) {
        std::size_t at = dataOffset + static_cast<std::size_t>(row) * rowBytes;
        int y = static_cast<int>(topDown ? row : height - 1 - row);
        for (long long x = 0; x < width; ++x) {
            COLORREF c = 0;
            auto xs = static_cast<std::size_t>(x);
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                std::size_t bit = xs * bpp;
                unsigned v = b[at + bit / 8];
                v = (v >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                c = v < palette.size() ? palette[v] : 0;
                break;
            }
            case 16: {
                std::uint32_t px = Le(b, at + xs * 2, 2);
                c = RGB(Channel(px, masks[0]), Channel(px, masks[1]), Channel(px, masks[2]));
                break;
            }
            case 24:
                c = RGB(b[at + xs * 3 + 2], b[at + xs * 3 + 1], b[at + xs * 3]);
                break;
            case 32: {
                std::uint32_t px = Le(b, at + xs * 4, 4);
                c = RGB(Channel(px, masks[0]), Channel(px, masks[1]), Channel(px, masks[2]));
                break;
            }
            }
            out.SetPixel(static_cast<int>(x), y, c);
        }
    }
    *this = std::move(out);
    return true;
}

bool CBitmap::LoadBmpFile(const std::filesystem::path& file, std::string* error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Fail(error, "BMP file: cannot open " + file.string());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return LoadBmp(bytes, error);
}

void CImageResources::AddBitmap(int id, CBitmap bitmap)
{
    bitmap.SetResourceId(id);
    m_bitmaps[id] = std::move(bitmap);
}

void CImageResources::AddIcon(int id, CBitmap icon)
{
    icon.SetResourceId(id);
    m_icons[id] = std::move(icon);
}

const CBitmap* CImageResources::FindBitmap(int id) const
{
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? nullptr : &it->second;
}

const CBitmap* CImageResources::FindIcon(int id) const
{
    auto it = m_icons.find(id);
    return it == m_icons.end() ? nullptr : &it->second;
}

void CImageResources::Clear()
{
    m_bitmaps.clear();
    m_icons.clear();
}

namespace {
CImageResources& TableInstance()
{
    static CImageResources table;
    return table;
}
} // namespace

CImageResources& GetImageResources()
{
    return TableInstance();
}

void ResetImageResources()
{
    TableInstance().Clear();
}
