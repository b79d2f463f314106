// JPEG marker scan, and the lossless conversion of whatever starts like a JPEG.
#include "fuzz/FuzzSupport.h"
#include "swf/SwfJpeg.h"

#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::QuietTraces();
    int width = 0, height = 0;
    if (ScanJpegStream(data, size, width, height) && (width <= 0 || height <= 0))
        std::abort();
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8)
        return 0;
    // The converter reads and writes files; one pair per process.
    const std::filesystem::path& dir = fuzzsupport::ScratchDir("fuzz_swf_jpeg");
    if (!fuzzsupport::WriteInput(dir / "in.jpg", data, size))
        return 0;
    if (ConvertJpegToBaseline(dir / "in.jpg", dir / "out.jpg") && !std::filesystem::exists(dir / "out.jpg"))
        std::abort();
    std::filesystem::remove(dir / "out.jpg");
    return 0;
}
