#pragma once

#include "platform/drawing/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Pictures of headless windows, so that a person can look at what the drawing code made.
// Opaque RGB, 8 bits a channel, no interlace.
std::vector<std::uint8_t> EncodePng(const CBitmap& bitmap);
bool WritePng(const std::filesystem::path& file, const CBitmap& bitmap);

// A picture with straight (not premultiplied) alpha, as icon files carry it.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, rows top to bottom

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads the PNG files icon themes ship: 8 bits a channel (grey, grey with alpha, RGB, RGBA or
// an 8-bit palette), not interlaced, at most kMaxPngSide pixels a side. Anything else, and any
// damaged file, is refused with a reason.
constexpr int kMaxPngSide = 4096;
std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
std::optional<RgbaImage> ReadPngFile(const std::filesystem::path& file, std::string* error = nullptr);
