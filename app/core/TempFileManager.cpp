#include "app/core/TempFileManager.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Whether another live run holds the folder's lock. A folder without a lock file is taken for
// a run that is just starting unless it is older than a minute.
bool IsStale(const std::filesystem::path& folder)
{
    const std::filesystem::path lock = folder / CTempFileManager::kLockName;
    const int fd = ::open(lock.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        std::error_code error;
        const auto written = std::filesystem::last_write_time(folder, error);
        if (error) {
            return false;
        }
        return std::filesystem::file_time_type::clock::now() - written > std::chrono::minutes(1);
    }
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

} // namespace

CTempFileManager::CTempFileManager(const std::filesystem::path& systemTemp)
{
    RemoveStaleFolders(systemTemp);
    std::error_code error;
    std::filesystem::create_directories(systemTemp, error);
    std::string pattern = (systemTemp / (std::string(kFolderPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        m_folder = pattern;
        const std::filesystem::path lock = m_folder / kLockName;
        m_lock = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_lock >= 0) {
            ::flock(m_lock, LOCK_EX | LOCK_NB);
        }
    } else {
        // Without a folder of its own the run shares the system's (nothing to clean later).
        m_folder = systemTemp;
    }
}

CTempFileManager::~CTempFileManager()
{
    DeleteAll();
    if (m_lock >= 0) {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
        ::close(m_lock);
    }
}

void CTempFileManager::RemoveStaleFolders(const std::filesystem::path& systemTemp)
{
    std::error_code error;
    std::filesystem::directory_iterator it(systemTemp, error);
    if (error) {
        return;
    }
    std::vector<std::filesystem::path> candidates;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        const std::string name = it->path().filename().string();
        if (name.rfind(kFolderPrefix, 0) == 0 && it->is_directory(error) && !it->is_symlink(error)) {
            candidates.push_back(it->path());
        }
    }
    for (const std::filesystem::path& folder : candidates) {
        if (IsStale(folder)) {
            std::filesystem::remove_all(folder, error);
            if (!error) {
                m_cleaned.push_back(folder);
            }
        }
    }
}

std::string CTempFileManager::GetTempPath() const
{
    std::string path = m_folder.string();
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string CTempFileManager::CreateTempFile(const std::string& prefix, const std::string& extension,
                                             bool remember)
{
    // A name is taken by creating its file exclusively, so two requests (or two programs)
    // never get the same name.
    const std::string folder = GetTempPath();
    for (int n = 0; n < kMaxCandidates; ++n) {
        const std::string candidate = folder + prefix + std::to_string(n) + extension;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            m_lastName = candidate;
            if (remember) {
                m_remembered.push_back(candidate);
            }
            return candidate;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

void CTempFileManager::DeleteAll()
{
    std::vector<std::string> kept;
    for (const std::string& name : m_remembered) {
        std::error_code error;
        std::filesystem::remove(name, error);
        if (error && std::filesystem::exists(name, error)) {
            kept.push_back(name);
        }
    }
    m_remembered = std::move(kept);
}

std::filesystem::path CTempFileManager::Create(const std::string& prefix, const std::string& extension)
{
    return CreateTempFile(prefix, extension, true);
}

void CTempFileManager::Discard(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::remove(file, error);
    const std::string name = file.string();
    m_remembered.erase(std::remove(m_remembered.begin(), m_remembered.end(), name), m_remembered.end());
}
