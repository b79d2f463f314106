#include "base/RunFolder.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

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
// holding exactly the text the programs write.
bool IsMarked(const std::filesystem::path& folder)
{
    const std::filesystem::path mark = folder / CRunFolder::kMarkName;
    const int fd = ::open(mark.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::string expected = CRunFolder::kMarkText;
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
    const std::filesystem::path lock = folder / CRunFolder::kLockName;
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

std::filesystem::path CRunFolder::UserFolder(const std::filesystem::path& systemTemp)
{
    return systemTemp / (std::string(kFolderPrefix) + std::to_string(::geteuid()));
}

CRunFolder::CRunFolder(const std::filesystem::path& systemTemp)
{
    const std::filesystem::path user = UserFolder(systemTemp);
    // Twice at most: a run ending meanwhile removes the user's folder once it is empty.
    for (int attempt = 0; attempt < 2 && userFolder_.empty(); ++attempt) {
        ::mkdir(user.c_str(), 0700);
        if (!IsOwnFolder(user, 0700)) {
            // Someone else's folder, a link or a loosened mode: it is neither used nor cleaned.
            break;
        }
        if (attempt == 0) {
            RemoveStaleFolders(user);
        }
        if (MakeRunFolder(user)) {
            userFolder_ = user;
        }
    }
    if (userFolder_.empty() && !MakeRunFolder(systemTemp)) {
        error_ = systemTemp.string() + ": " + std::strerror(errno);
    }
}

bool CRunFolder::MakeRunFolder(const std::filesystem::path& parent)
{
    std::string pattern = (parent / (std::string(kRunPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    folder_ = pattern;
    // Locked before it is marked: a marked folder whose lock is free belongs to no live run.
    const std::filesystem::path lock = folder_ / kLockName;
    lock_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (lock_ >= 0) {
        ::flock(lock_, LOCK_EX | LOCK_NB);
    }
    const std::filesystem::path mark = folder_ / kMarkName;
    const int fd = ::open(mark.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        const std::string text = kMarkText;
        [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
        ::close(fd);
    }
    return true;
}

CRunFolder::~CRunFolder()
{
    if (!folder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    if (lock_ >= 0) {
        ::close(lock_);
    }
    if (!userFolder_.empty()) {
        // Only when empty: other runs of the user may still be in it.
        ::rmdir(userFolder_.c_str());
    }
}

void CRunFolder::RemoveStaleFolders(const std::filesystem::path& userFolder)
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
            cleaned_.push_back(folder);
        }
    }
}

} // namespace base
