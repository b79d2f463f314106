#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where a program finds its installation folder (asset movies, components, styles, samples):
// the folder named on its command line, else the one $VANTOREL_INSTALL_DIR names, else the one
// laid out beside the program, by `cmake --install` (<prefix>/bin and <prefix>/share/vantorel)
// or by the build (build/install beside build/tools/<program>/).
namespace cli {

struct InstallSearch {
    std::optional<std::filesystem::path> found;
    // Every place looked at, with how it was chosen, for the message when none is found.
    std::vector<std::string> looked;
};

// True when folder holds what every program reads first (the function library movie).
bool IsInstallFolder(const std::filesystem::path& folder);

// programPath is the program's own file (from /proc/self/exe, else argv[0]). An explicit
// choice (the option or the variable) that is not an installation folder is not replaced by
// the one beside the program: the user meant that folder.
InstallSearch FindInstallFolder(const std::optional<std::string>& option, const char* environment,
                                const std::filesystem::path& programPath);

// The running program's own file.
std::filesystem::path ProgramPath(const char* argv0);

// "no installation folder: looked in A (--install), B (beside the program)".
std::string NotFoundMessage(const InstallSearch& search);

} // namespace cli
