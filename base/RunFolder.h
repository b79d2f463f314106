#pragma once

// The folder a run of one of the programs keeps its temporary files in. The runs' folders live in
// one folder per user inside the system's temporary folder (mode 0700, owned by the user, never a
// link); each is locked while its run lives and marked with a file only the programs write. A
// folder left behind by a run that was killed is found (marked, its lock free) and removed when a
// later run makes its own, and nothing the programs did not make is ever removed.

#include <filesystem>
#include <string>
#include <vector>

namespace base {

class CRunFolder {
public:
    // Makes the run's folder inside the user's folder of `systemTemp` after removing stale
    // folders of earlier runs. Where the user's folder cannot be trusted, the run's folder is
    // made in `systemTemp` itself and nothing is cleaned; where none can be made, Made() is false.
    explicit CRunFolder(const std::filesystem::path& systemTemp);
    // Removes the run's folder with what is left in it, and the user's folder once it is empty.
    ~CRunFolder();
    CRunFolder(const CRunFolder&) = delete;
    CRunFolder& operator=(const CRunFolder&) = delete;

    bool Made() const { return !folder_.empty(); }
    const std::filesystem::path& Folder() const { return folder_; }
    // Empty when the user's folder could not be trusted.
    const std::filesystem::path& UserFolderUsed() const { return userFolder_; }
    // Folders of earlier runs removed when this one was made.
    const std::vector<std::filesystem::path>& Cleaned() const { return cleaned_; }
    // Why no folder could be made (the system's reason).
    const std::string& Error() const { return error_; }

    // The folder holding this user's runs' folders: `kFolderPrefix` and the user's number.
    static std::filesystem::path UserFolder(const std::filesystem::path& systemTemp);

    static constexpr const char* kFolderPrefix = "vantorel-";
    static constexpr const char* kRunPrefix = "run-";
    static constexpr const char* kLockName = ".lock";
    // The file that marks a run's folder, and what the programs write into it.
    static constexpr const char* kMarkName = ".vantorel-run";
    static constexpr const char* kMarkText = "Vantorel run folder\n";

private:
    void RemoveStaleFolders(const std::filesystem::path& userFolder);
    // Makes, locks and marks the run's folder inside parent; false when it cannot be made.
    bool MakeRunFolder(const std::filesystem::path& parent);

    std::filesystem::path folder_;
    std::filesystem::path userFolder_;
    int lock_ = -1;
    std::vector<std::filesystem::path> cleaned_;
    std::string error_;
};

} // namespace base
