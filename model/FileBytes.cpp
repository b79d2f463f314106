#include "model/FileBytes.h"

#include "base/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace model {

namespace {

std::string SystemReason(int error)
{
    return std::strerror(error);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

constexpr const char* kTemporaryMark = ".vantorel-";

// ".<target>.vantorel-<pid>-<random>.tmp": hidden, tied to its target and to its writer.
std::string TemporaryPrefix(const std::filesystem::path& target)
{
    return "." + target.filename().string() + kTemporaryMark;
}

// Removes the temporary files beside target that a process no longer running left.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::string prefix = TemporaryPrefix(target);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0 || !name.ends_with(".tmp"))
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize, std::string* reason)
{
    return base::ReadRegularFile(path, bytes, maxSize, reason);
}

CFileBatch::~CFileBatch()
{
    Discard();
}

bool CFileBatch::IsStaged(const std::filesystem::path& target) const
{
    for (const Staged& s : staged_)
        if (s.target == target)
            return true;
    return false;
}

// Whether two names reach one file, whether it exists yet or not.
static bool SameTarget(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (SameFile(a, b))
        return true;
    std::error_code error;
    const std::filesystem::path first = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
    if (error)
        return false;
    const std::filesystem::path second = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
    return !error && first == second;
}

bool CFileBatch::Stage(const std::filesystem::path& target, const std::uint8_t* data, std::size_t size,
                       std::string& reason)
{
    for (const std::filesystem::path& input : protected_) {
        if (SameTarget(input, target)) {
            reason = target.string() + ": is an input of the publication (" + input.string() + "); choose another file";
            return false;
        }
    }
    for (const Staged& s : staged_) {
        if (SameTarget(s.target, target)) {
            reason = target.string() + ": is written twice (" + s.target.string() +
                     "); each output needs a file of its own";
            return false;
        }
    }
    struct stat info {};
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        reason = target.string() + ": exists and is not a regular file";
        return false;
    }
    RemoveStaleTemporaries(target);
    std::random_device random;
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryPrefix(target) + std::to_string(getpid()) + "-" +
                                 std::to_string(random()) + ".tmp";
        const std::filesystem::path temporary = folder / name;
        // The mode before the umask, as any new file of the user gets.
        Descriptor fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.Get() < 0) {
            if (errno == EEXIST)
                continue;
            reason = target.string() + ": cannot be written (" + SystemReason(errno) + ")";
            return false;
        }
        staged_.push_back({target, temporary});
        // A file written again keeps the permissions its owner gave it (a private 0600 stays so).
        if (exists && fchmod(fd.Get(), info.st_mode & 07777) != 0) {
            reason = target.string() + ": cannot be written (" + SystemReason(errno) + ")";
            return false;
        }
        if (!WriteAll(fd.Get(), data, size) || fsync(fd.Get()) != 0) {
            reason = target.string() + ": cannot be written (" + SystemReason(errno) + ")";
            return false;
        }
        if (close(fd.Release()) != 0) {
            reason = target.string() + ": cannot be written (" + SystemReason(errno) + ")";
            return false;
        }
        return true;
    }
    reason = target.string() + ": no free temporary name beside it";
    return false;
}

void CFileBatch::MarkDescription(const std::filesystem::path& target)
{
    for (Staged& s : staged_)
        if (s.target == target)
            s.description = true;
}

bool CFileBatch::Commit(std::string& reason)
{
    // Checked again just before the renames: the target may have become a device or a folder
    // while the batch was built.
    for (const Staged& s : staged_) {
        struct stat info {};
        if (stat(s.target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            reason = s.target.string() + ": exists and is not a regular file";
            Discard();
            return false;
        }
    }
    for (const Staged& s : staged_) {
        if (s.description && unlink(s.target.c_str()) != 0 && errno != ENOENT) {
            reason = s.target.string() + ": cannot be replaced (" + SystemReason(errno) + ")";
            Discard();
            return false;
        }
    }
    std::stable_partition(staged_.begin(), staged_.end(), [](const Staged& s) { return !s.description; });
    while (!staged_.empty()) {
        const Staged s = staged_.front();
        if (rename(s.temporary.c_str(), s.target.c_str()) != 0) {
            reason = s.target.string() + ": cannot be written (" + SystemReason(errno) + ")";
            Discard();
            return false;
        }
        staged_.erase(staged_.begin());
    }
    // A folder made for files that were then left out is not left behind empty.
    for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it)
        rmdir(it->c_str());
    madeFolders_.clear();
    return true;
}

void CFileBatch::Discard()
{
    for (const Staged& s : staged_)
        unlink(s.temporary.c_str());
    staged_.clear();
    for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it)
        rmdir(it->c_str()); // only when empty, which is what rmdir does
    madeFolders_.clear();
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* reason)
{
    CFileBatch batch;
    std::string why;
    const bool ok = batch.Stage(path, bytes.data(), bytes.size(), why) && batch.Commit(why);
    if (!ok && reason)
        *reason = why;
    return ok;
}

bool IsReadOnlyFile(const std::filesystem::path& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 &&
           ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(path.c_str(), W_OK) != 0);
}

namespace {

// The file a name finally reaches through its symbolic links, whether that file exists or not
// (a link to a file not yet made is followed to where it would be); empty after too many.
std::filesystem::path FollowLinks(const std::filesystem::path& name)
{
    std::error_code error;
    std::filesystem::path target = std::filesystem::absolute(name, error);
    if (error)
        return {};
    for (int hops = 0; hops < 40; ++hops) {
        if (!std::filesystem::is_symlink(target, error))
            return target;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            return {};
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return {};
}

bool WriteInPlace(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes, std::string& reason)
{
    Descriptor fd(open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    const auto fail = [&] {
        reason = target.string() + ": cannot be written (" + SystemReason(errno) + ")";
        return false;
    };
    if (fd.Get() < 0)
        return fail();
    // Room for all of it first: a full disk then fails before a byte of the old content changes.
    if (!bytes.empty()) {
        const int reserved = posix_fallocate(fd.Get(), 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            errno = reserved;
            return fail();
        }
    }
    if (!WriteAll(fd.Get(), bytes.data(), bytes.size()) ||
        ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 || fsync(fd.Get()) != 0 ||
        close(fd.Release()) != 0)
        return fail();
    return true;
}

} // namespace

bool SaveFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* reason)
{
    std::string why;
    const std::filesystem::path target = FollowLinks(path);
    bool ok = false;
    struct stat info {};
    if (target.empty()) {
        why = path + ": too many symbolic links";
    } else if (IsReadOnlyFile(target)) {
        why = target.string() + ": is read-only";
    } else if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink > 1) {
        ok = WriteInPlace(target, bytes, why);
    } else {
        ok = WriteFileBytes(target.string(), bytes, &why);
    }
    if (!ok && reason)
        *reason = why;
    return ok;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    struct stat first {}, second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace model
