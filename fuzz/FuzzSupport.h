// What the fuzz targets that trace, or that hand their input to code reading files, share.
#pragma once

#include "swf/SwfTrace.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace fuzzsupport {

// Drops the library's diagnostic lines, once per process: inputs make plenty of them.
inline void QuietTraces()
{
    static const bool quiet = [] {
        swf::SetTraceSink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
}

// A folder of this process, <temp>/<name>.<pid>, made on the first call and removed at exit.
// One per target: the name of the first call holds.
inline const std::filesystem::path& ScratchDir(const std::string& name)
{
    // Never destroyed, so the exit handler can still use it.
    static const std::filesystem::path& dir = *[&name] {
        auto* path = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                               (name + "." + std::to_string(getpid())));
        std::filesystem::create_directories(*path);
        return path;
    }();
    static const bool cleanup = [] { return std::atexit([] { std::filesystem::remove_all(dir); }) == 0; }();
    (void)cleanup;
    return dir;
}

// The input as a file; false when it could not be written.
inline bool WriteInput(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fwrite(data, 1, size, file);
    return std::fclose(file) == 0;
}

} // namespace fuzzsupport
