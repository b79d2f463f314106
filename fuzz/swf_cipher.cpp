// Asset cipher: deciphering anything never fails badly, and enciphering then deciphering gives
// the input back.
#include "swf/AssetCipher.h"
#include "swf/SwfError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    try {
        swf::DecipherAsset(bytes);
    } catch (const swf::SwfError&) {
    }
    if (size >= 16) {
        const uint8_t iv[16] = {};
        auto file = swf::EncipherAsset(bytes, swf::kAssetKey, std::span<const uint8_t, 16>(iv, 16));
        if (swf::DecipherAsset(file) != std::vector<uint8_t>(bytes.begin(), bytes.end()))
            std::abort();
    }
    return 0;
}
