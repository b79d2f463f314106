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
    if (!run_) {
        run_ = std::make_unique<base::CRunFolder>(GetPlatformServices().TempFolder());
        if (!run_->Made()) {
            lastError_ = run_->Error();
            run_.reset();
            return {};
        }
    }
    std::string pattern = (run_->Folder() / (prefix + "XXXXXX" + extension)).string();
    const int fd = mkstemps(pattern.data(), static_cast<int>(extension.size()));
    if (fd < 0) {
        lastError_ = run_->Folder().string() + ": " + std::strerror(errno);
        if (files_.empty()) {
            run_.reset();
        }
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
    if (files_.empty()) {
        run_.reset();
    }
}

void CDefaultTempFiles::RemoveAll()
{
    std::error_code ignored;
    for (const auto& file : files_) {
        std::filesystem::remove(file, ignored);
    }
    files_.clear();
    run_.reset();
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
