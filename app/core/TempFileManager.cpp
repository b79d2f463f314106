#include "app/core/TempFileManager.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether `path` is a folder (not a link) of this user whose mode is exactly `mode`, or any mode
// when `mode` is negative.
bool IsOwnFolder(const std::filesystem::path& path, int mode)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        return false;
    }
    return mode < 0 || static_cast<int>(info.st_mode & 07777) == mode;
}

// Whether `folder` holds the mark of a run's folder: a regular file of this user, not a link,
// holding exactly the text the program writes.
bool IsMarked(const std::filesystem::path& folder)
{
    const std::filesystem::path mark = folder / CTempFileManager::kMarkName;
    const int fd = ::open(mark.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::string expected = CTempFileManager::kMarkText;
    struct stat info {};
    bool marked = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
                  info.st_size == static_cast<off_t>(expected.size());
    if (marked) {
        std::string text(expected.size(), '\0');
        marked = ::read(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && text == expected;
    }
    ::close(fd);
    return marked;
}

// The lock of a run's folder taken for this run, -1 when it is missing or a live run holds it.
int TakeLock(const std::filesystem::path& folder)
{
    const std::filesystem::path lock = folder / CTempFileManager::kLockName;
    const int fd = ::open(lock.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::filesystem::path CTempFileManager::UserFolder(const std::filesystem::path& systemTemp)
{
    return systemTemp / (std::string(kFolderPrefix) + std::to_string(::geteuid()));
}

CTempFileManager::CTempFileManager(const std::filesystem::path& systemTemp)
{
    std::error_code error;
    std::filesystem::create_directories(systemTemp, error);
    const std::filesystem::path user = UserFolder(systemTemp);
    // Twice at most: a run ending meanwhile removes the user's folder once it is empty.
    for (int attempt = 0; attempt < 2 && m_userFolder.empty(); ++attempt) {
        ::mkdir(user.c_str(), 0700);
        if (!IsOwnFolder(user, 0700)) {
            // Someone else's folder, a link or a loosened mode: it is neither used nor cleaned.
            break;
        }
        if (attempt == 0) {
            RemoveStaleFolders(user);
        }
        if (MakeRunFolder(user)) {
            m_userFolder = user;
        }
    }
    if (m_userFolder.empty() && !MakeRunFolder(systemTemp)) {
        // Without a folder of its own the run shares the system's (nothing to clean later).
        m_folder = systemTemp;
    }
}

bool CTempFileManager::MakeRunFolder(const std::filesystem::path& parent)
{
    std::string pattern = (parent / (std::string(kRunPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    m_folder = pattern;
    // Locked before it is marked: a marked folder whose lock is free belongs to no live run.
    const std::filesystem::path lock = m_folder / kLockName;
    m_lock = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (m_lock >= 0) {
        ::flock(m_lock, LOCK_EX | LOCK_NB);
    }
    const std::filesystem::path mark = m_folder / kMarkName;
    const int fd = ::open(mark.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        const std::string text = kMarkText;
        [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
        ::close(fd);
    }
    return true;
}

CTempFileManager::~CTempFileManager()
{
    DeleteAll();
    if (m_lock >= 0) {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
        ::close(m_lock);
    }
    if (!m_userFolder.empty()) {
        // Only when empty: other runs of the user may still be in it.
        ::rmdir(m_userFolder.c_str());
    }
}

void CTempFileManager::RemoveStaleFolders(const std::filesystem::path& userFolder)
{
    std::error_code error;
    std::filesystem::directory_iterator it(userFolder, error);
    if (error) {
        return;
    }
    std::vector<std::filesystem::path> candidates;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        if (it->path().filename().string().rfind(kRunPrefix, 0) == 0) {
            candidates.push_back(it->path());
        }
    }
    for (const std::filesystem::path& folder : candidates) {
        if (!IsOwnFolder(folder, -1) || !IsMarked(folder)) {
            continue;
        }
        // The lock stays held while the folder goes, so a run cannot take it meanwhile.
        const int lock = TakeLock(folder);
        if (lock < 0) {
            continue;
        }
        std::filesystem::remove_all(folder, error);
        ::close(lock);
        if (!error) {
            m_cleaned.push_back(folder);
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
    // The search goes on from the number given last, so a document of many embedded files
    // does not try every taken name again for each new one.
    const std::string folder = GetTempPath();
    int& next = m_nextNumber[prefix + '\0' + extension];
    for (int n = next; n < kMaxCandidates; ++n) {
        const std::string candidate = folder + prefix + std::to_string(n) + extension;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            next = n + 1;
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
    // Freed names are handed out again, from the lowest.
    m_nextNumber.clear();
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
