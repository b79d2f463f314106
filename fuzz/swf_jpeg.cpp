// JPEG marker scan, and the lossless conversion of whatever starts like a JPEG.
#include "swf/SwfJpeg.h"
#include "swf/SwfTrace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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
    if (size < 2 || data[0] != 0xFF || data[1] != 0xD8)
        return 0;
    // The converter reads and writes files; one pair per process.
    // Never destroyed, so the exit handler can still use it.
    static const std::filesystem::path& dir = *[] {
        auto* path = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                               ("fuzz_swf_jpeg." + std::to_string(getpid())));
        std::filesystem::create_directories(*path);
        return path;
    }();
    static bool cleanup = [] { return std::atexit([] { std::filesystem::remove_all(dir); }) == 0; }();
    (void)cleanup;
    FILE* file = std::fopen((dir / "in.jpg").c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (ConvertJpegToBaseline(dir / "in.jpg", dir / "out.jpg") && !std::filesystem::exists(dir / "out.jpg"))
        std::abort();
    std::filesystem::remove(dir / "out.jpg");
    return 0;
}
