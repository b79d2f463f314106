#include "platform/drawing/Png.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    if (const auto image = DecodePng(std::span<const std::uint8_t>(data, size), &error)) {
        // Every pixel the size promises is there.
        (void)image->At(image->width - 1, image->height - 1);
    }
    return 0;
}
