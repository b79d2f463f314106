// JPEG marker scan.
#include "swf/SwfJpeg.h"
#include "swf/SwfTrace.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = [] {
        swf::SetTraceSink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    int width = 0, height = 0;
    if (ScanJpegStream(data, size, width, height) && (width <= 0 || height <= 0))
        std::abort();
    return 0;
}
