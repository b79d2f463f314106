#pragma once

// Temporary files of the running program: previews, office movies, the workbook of an opened
// document. Each run keeps them in a run's folder (base::CRunFolder) that goes at exit; a folder
// left behind by a run that crashed is removed at the next start.

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/RunFolder.h"
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
    const std::vector<std::filesystem::path>& GetCleanedFolders() const;

    // publish::ITempFileMaker: the files a document makes when it opens.
    std::filesystem::path Create(const std::string& prefix, const std::string& extension) override;
    void Discard(const std::filesystem::path& file) override;

    // The folder holding this user's runs' folders: `kFolderPrefix` and the user's number.
    static std::filesystem::path UserFolder(const std::filesystem::path& systemTemp)
    {
        return base::CRunFolder::UserFolder(systemTemp);
    }

    static constexpr const char* kFolderPrefix = base::CRunFolder::kFolderPrefix;
    static constexpr const char* kRunPrefix = base::CRunFolder::kRunPrefix;
    static constexpr const char* kLockName = base::CRunFolder::kLockName;
    static constexpr const char* kMarkName = base::CRunFolder::kMarkName;
    static constexpr const char* kMarkText = base::CRunFolder::kMarkText;
    static constexpr int kMaxCandidates = 9999;

private:
    // Without a run's folder (none could be made), the files go into the system's folder.
    std::unique_ptr<base::CRunFolder> m_run;
    std::filesystem::path m_folder;
    std::string m_lastName;
    std::vector<std::string> m_remembered;
    // Per prefix and extension, the number to try first.
    std::unordered_map<std::string, int> m_nextNumber;
};

// The manager of the current designer context, none without one.
CTempFileManager* GetTempFileManager();
