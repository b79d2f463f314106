#include "tools/cli/InstallFolder.h"

namespace cli {

bool IsInstallFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "asset" / "func.dat", error);
}

std::filesystem::path ProgramPath(const char* argv0)
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self;
    return std::filesystem::absolute(argv0 == nullptr ? "" : argv0, error);
}

InstallSearch FindInstallFolder(const std::optional<std::string>& option, const char* environment,
                                const std::filesystem::path& programPath)
{
    InstallSearch search;
    auto explicitChoice = [&search](const std::filesystem::path& folder, const char* how) {
        search.looked.push_back(folder.string() + " (" + how + ")");
        if (IsInstallFolder(folder))
            search.found = folder;
        return search;
    };
    if (option)
        return explicitChoice(*option, "--install");
    if (environment != nullptr && *environment != '\0')
        return explicitChoice(environment, "VANTOREL_INSTALL_DIR");
    const std::filesystem::path programFolder = programPath.parent_path();
    for (const std::filesystem::path& candidate :
         {programFolder / ".." / "share" / "vantorel", programFolder / ".." / ".." / "install"}) {
        const std::filesystem::path folder = candidate.lexically_normal();
        search.looked.push_back(folder.string() + " (beside the program)");
        if (IsInstallFolder(folder)) {
            search.found = folder;
            break;
        }
    }
    return search;
}

std::string NotFoundMessage(const InstallSearch& search)
{
    std::string text = "no installation folder (one holding asset/func.dat): looked in ";
    for (std::size_t i = 0; i < search.looked.size(); ++i)
        text += (i == 0 ? "" : ", ") + search.looked[i];
    return text + "; name one with --install or VANTOREL_INSTALL_DIR";
}

} // namespace cli
