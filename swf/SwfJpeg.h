#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

// Walks the markers of a JPEG stream up to its frame header and gives the picture's size in
// pixels. A broken stream returns false (and says "Error reading jpeg stream" on the trace).
bool ScanJpegStream(const uint8_t* bytes, size_t length, int& width, int& height);

// Re-encodes a JPEG file losslessly (its DCT coefficients) as a baseline JPEG. Returns false,
// leaving no target file behind, when the source cannot be read, is not a valid JPEG or claims
// more than 64 megapixels.
bool ConvertJpegToBaseline(const std::filesystem::path& source, const std::filesystem::path& target);
// The same in memory: no file is made, so none can be planted or left behind.
bool ConvertJpegToBaseline(const std::vector<std::uint8_t>& source, std::vector<std::uint8_t>& target);
