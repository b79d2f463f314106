#pragma once

// Temporary files of the running program: previews, office movies, the workbook of an opened
// document. Each run keeps them in a folder of its own, locked while the run lives and marked as
// a run's folder; the folder goes at exit. The runs' folders live in one folder per user inside
// the system's temporary folder (mode 0700, owned by the user, never a link), so a folder left
// behind by a run that crashed is found (marked, its lock free) and removed at the next start,
// and nothing the program did not make is ever removed.

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "publish/TempFiles.h"

class CTempFileManager final : public publish::ITempFileMaker {
public:
    // Makes the run's folder inside the user's folder of `systemTemp` after removing stale
    // folders of earlier runs. Where the user's folder cannot be trusted, the run's folder is
    // made in `systemTemp` itself and nothing is cleaned.
    explicit CTempFileManager(const std::filesystem::path& systemTemp);
    // Deletes every remembered file and the run's folder.
    ~CTempFileManager() override;
    CTempFileManager(const CTempFileManager&) = delete;
    CTempFileManager& operator=(const CTempFileManager&) = delete;

    // Creates a new empty file named prefix + number + extension (the number counts from 0
    // and skips names that exist) and returns its full name; remembered files are deleted by
    // DeleteAll. Empty when no file could be created.
    std::string CreateTempFile(const std::string& prefix, const std::string& extension, bool remember);
    // Deletes every remembered file; the ones that are gone are forgotten, the ones that
    // could not be deleted stay for the next call.
    void DeleteAll();
    // The run's folder, with a trailing separator.
    std::string GetTempPath() const;
    const std::vector<std::string>& GetRemembered() const { return m_remembered; }
    // Folders of earlier runs removed at start.
    const std::vector<std::filesystem::path>& GetCleanedFolders() const { return m_cleaned; }

    // publish::ITempFileMaker: the files a document makes when it opens.
    std::filesystem::path Create(const std::string& prefix, const std::string& extension) override;
    void Discard(const std::filesystem::path& file) override;

    // The folder holding this user's runs' folders: `kFolderPrefix` and the user's number.
    static std::filesystem::path UserFolder(const std::filesystem::path& systemTemp);

    static constexpr const char* kFolderPrefix = "vantorel-";
    static constexpr const char* kRunPrefix = "run-";
    static constexpr const char* kLockName = ".lock";
    // The file that marks a run's folder, and what the program writes into it.
    static constexpr const char* kMarkName = ".vantorel-run";
    static constexpr const char* kMarkText = "Vantorel run folder\n";
    static constexpr int kMaxCandidates = 9999;

private:
    void RemoveStaleFolders(const std::filesystem::path& userFolder);
    // Makes, locks and marks the run's folder inside parent; false when it cannot be made.
    bool MakeRunFolder(const std::filesystem::path& parent);

    std::filesystem::path m_folder;
    // The user's folder holding the run's folder; empty when it could not be trusted.
    std::filesystem::path m_userFolder;
    int m_lock = -1;
    std::string m_lastName;
    std::vector<std::string> m_remembered;
    // Per prefix and extension, the number to try first.
    std::unordered_map<std::string, int> m_nextNumber;
    std::vector<std::filesystem::path> m_cleaned;
};

// The manager of the current designer context, none without one.
CTempFileManager* GetTempFileManager();
