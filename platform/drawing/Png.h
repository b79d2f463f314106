#pragma once

#include "platform/drawing/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// Pictures of headless windows, so that a person can look at what the drawing code made.
// Opaque RGB, 8 bits a channel, no interlace.
std::vector<std::uint8_t> EncodePng(const CBitmap& bitmap);
bool WritePng(const std::filesystem::path& file, const CBitmap& bitmap);
