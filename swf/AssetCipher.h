#pragma once

#include "swf/AssetKey.h"

#include <cstdint>
#include <span>
#include <vector>

namespace swf {

// Asset files: a random 16-byte IV, then the file enciphered with AES in CBC mode, the last
// partial block handled by ciphertext stealing (see docs/swf-assets.md). Keys of 16, 24 or 32
// bytes select AES-128, -192 or -256. Plain texts under 16 bytes cannot be stolen from and are
// refused; both directions throw SwfError.
std::vector<uint8_t> EncipherAsset(std::span<const uint8_t> plain, std::span<const uint8_t> key = kAssetKey);
// With a given IV, for reproducible output and tests.
std::vector<uint8_t> EncipherAsset(std::span<const uint8_t> plain, std::span<const uint8_t> key,
                                   std::span<const uint8_t, 16> iv);
std::vector<uint8_t> DecipherAsset(std::span<const uint8_t> file, std::span<const uint8_t> key = kAssetKey);

} // namespace swf
