#include "publish/TempFiles.h"

#include "base/PlatformServices.h"
#include "publish/ProgramContext.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace publish {

namespace {

CDefaultTempFiles& ProcessMaker()
{
    static CDefaultTempFiles maker;
    return maker;
}

} // namespace

std::filesystem::path CDefaultTempFiles::Create(const std::string& prefix, const std::string& extension)
{
    std::string pattern = (GetPlatformServices().TempFolder() / (prefix + "XXXXXX" + extension)).string();
    const int fd = mkstemps(pattern.data(), static_cast<int>(extension.size()));
    if (fd < 0) {
        lastError_ = GetPlatformServices().TempFolder().string() + ": " + std::strerror(errno);
        return {};
    }
    close(fd);
    files_.emplace_back(pattern);
    return files_.back();
}

void CDefaultTempFiles::Discard(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
}

void CDefaultTempFiles::RemoveAll()
{
    std::error_code ignored;
    for (const auto& file : files_) {
        std::filesystem::remove(file, ignored);
    }
    files_.clear();
}

ITempFileMaker& GetTempFileMaker()
{
    CProgramContext* context = CProgramContext::Current();
    return context ? context->GetTempFiles() : ProcessMaker();
}

bool WriteTempFile(const std::filesystem::path& file, const unsigned char* data, std::size_t size)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), std::fclose);
    if (!out) {
        return false;
    }
    // Pieces of 4096 bytes, as the files are copied out of the document.
    for (std::size_t done = 0; done < size;) {
        const std::size_t piece = std::min<std::size_t>(4096, size - done);
        if (std::fwrite(data + done, 1, piece, out.get()) != piece) {
            return false;
        }
        done += piece;
    }
    return std::fclose(out.release()) == 0;
}

} // namespace publish
