#pragma once

// The command line of a movie maker of the player checks: `<maker> <output folder>`.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

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

// The same for a maker that publishes: the installation folder and the source tree come from
// VANTOREL_INSTALL_DIR and VANTOREL_SOURCE_DIR. None after a usage message when one is missing;
// the folder is not created.
struct PublishingFolders {
    std::filesystem::path output;
    const char* install = nullptr;
    const char* source = nullptr;
};
inline std::optional<PublishingFolders> PublishingMaker(int argc, char** argv)
{
    PublishingFolders folders{argc > 1 ? argv[1] : "", std::getenv("VANTOREL_INSTALL_DIR"),
                              std::getenv("VANTOREL_SOURCE_DIR")};
    if (argc < 2 || folders.install == nullptr || folders.source == nullptr) {
        std::fprintf(stderr, "usage: VANTOREL_INSTALL_DIR=<folder> VANTOREL_SOURCE_DIR=<folder> %s <output folder>\n",
                     argv[0]);
        return std::nullopt;
    }
    return folders;
}

} // namespace playertest
