#include "platform/drawing/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBitmap bitmap;
    std::string error;
    if (bitmap.LoadBmp(std::span<const std::uint8_t>(data, size), &error)) {
        BITMAP info;
        bitmap.GetBitmap(&info);
        (void)bitmap.GetPixel(info.bmWidth - 1, info.bmHeight - 1);
    }
    return 0;
}
