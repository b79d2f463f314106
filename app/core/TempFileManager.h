#pragma once

// Temporary files of the running program: previews, office movies, the workbook of an opened
// document. Each run keeps them in a folder of its own inside the system's temporary folder,
// locked while the run lives; the folder goes at exit, and a folder left behind by a run that
// crashed is found (its lock is free) and removed at the next start.

#include <filesystem>
#include <string>
#include <vector>

#include "publish/TempFiles.h"

class CTempFileManager final : public publish::ITempFileMaker {
public:
    // Makes the run's folder inside `systemTemp` after removing stale folders of earlier runs.
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

    // Name prefix of the runs' folders.
    static constexpr const char* kFolderPrefix = "vantorel-";
    static constexpr const char* kLockName = ".lock";
    static constexpr int kMaxCandidates = 9999;

private:
    void RemoveStaleFolders(const std::filesystem::path& systemTemp);

    std::filesystem::path m_folder;
    int m_lock = -1;
    std::string m_lastName;
    std::vector<std::string> m_remembered;
    std::vector<std::filesystem::path> m_cleaned;
};

// The manager of the current designer context, none without one.
CTempFileManager* GetTempFileManager();
