#pragma once

// The command line of a movie maker of the player checks: `<maker> <output folder>`.

#include <cstdio>
#include <filesystem>

namespace playertest {

// The output folder named by the first argument, created; false after a usage message when
// there is none.
inline bool OutputFolder(int argc, char** argv, std::filesystem::path& folder)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return false;
    }
    folder = argv[1];
    std::filesystem::create_directories(folder);
    return true;
}

} // namespace playertest
