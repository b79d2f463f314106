#include "model/FileBytes.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace model {

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxSize)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    std::vector<std::uint8_t> data;
    std::uint8_t chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (data.size() + n > maxSize) {
            return false;
        }
        data.insert(data.end(), chunk, chunk + n);
    }
    if (std::ferror(file.get())) {
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    // Written beside the target and renamed over it, so that a failed write (a full disk, a
    // vanished folder) leaves the old file as it was instead of half of the new one.
    std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (ok) {
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        ok = !error;
    }
    if (!ok) {
        std::remove(temporary.c_str());
    }
    return ok;
}

} // namespace model
