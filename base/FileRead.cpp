#include "base/FileRead.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

bool ReadRegularFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize,
                     std::string* reason)
{
    auto fail = [reason](const std::string& why) {
        if (reason)
            *reason = why;
        return false;
    };
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return fail(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return fail("not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > maxSize)
        return fail("larger than " + std::to_string(maxSize) + " bytes");
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(std::strerror(errno));
        }
        if (n == 0)
            break;
        // The file may grow while it is read.
        if (data.size() + static_cast<std::size_t>(n) > maxSize)
            return fail("larger than " + std::to_string(maxSize) + " bytes");
        data.insert(data.end(), chunk, chunk + n);
    }
    bytes = std::move(data);
    return true;
}

} // namespace base
