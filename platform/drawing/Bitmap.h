#pragma once

#include "platform/drawing/Colors.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct BITMAP {
    int bmWidth = 0;
    int bmHeight = 0;
    int bmBitsPixel = 32;
};

// A 32-bit picture in window colour order. Bitmaps loaded from resources remember their id
// so that recorded drawing can name the picture it copied. An icon is a bitmap with a mask
// that marks its transparent pixels.
class CBitmap {
public:
    CBitmap() = default;
    CBitmap(int width, int height, COLORREF fill = 0);

    // A copy of the resource picture registered under id; false when there is none.
    bool LoadBitmap(int resourceId);
    bool LoadOEMBitmap(int oemId) { return LoadBitmap(oemId); }
    bool CreateBitmap(int width, int height, COLORREF fill = 0);
    // Reads a BMP file image (1, 4, 8, 24 or 32 bits, uncompressed or bit fields).
    bool LoadBmp(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
    bool LoadBmpFile(const std::filesystem::path& file, std::string* error = nullptr);
    void DeleteObject();

    bool IsCreated() const { return m_width > 0 && m_height > 0; }
    int GetBitmap(BITMAP* out) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int GetResourceId() const { return m_resourceId; }
    void SetResourceId(int id) { m_resourceId = id; }

    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF c);
    bool IsTransparent(int x, int y) const;
    void SetTransparent(int x, int y, bool transparent);
    bool HasMask() const { return !m_mask.empty(); }
    // Marks every pixel of this colour transparent (the image list's mask colour).
    void MaskColour(COLORREF c);

    std::vector<COLORREF>& Pixels() { return m_pixels; }
    const std::vector<COLORREF>& Pixels() const { return m_pixels; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_resourceId = 0;
    std::vector<COLORREF> m_pixels;
    std::vector<std::uint8_t> m_mask; // 1 = transparent; empty when opaque
};

// The program's pictures by resource id, in place of the resources compiled into the
// executable. Icons are pictures with a mask.
class CImageResources {
public:
    void AddBitmap(int id, CBitmap bitmap);
    void AddIcon(int id, CBitmap icon);
    const CBitmap* FindBitmap(int id) const;
    const CBitmap* FindIcon(int id) const;
    void Clear();

private:
    std::map<int, CBitmap> m_bitmaps;
    std::map<int, CBitmap> m_icons;
};

// The one resource table of the process, and a reset for tests.
CImageResources& GetImageResources();
void ResetImageResources();

constexpr int OBM_DNARROW = 32752;
constexpr int OBM_UPARROW = 32753;
