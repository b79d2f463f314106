#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/RunFolder.h"

// Temporary files that opening a document makes (the embedded workbook and files). The program
// context holds the maker: its own default one, which puts them in the temporary folder and
// removes them when the context ends, or one the program lends it so they go with its other files.
namespace publish {

class ITempFileMaker {
public:
    virtual ~ITempFileMaker() = default;
    // A new, empty file named prefix, a unique part and extension (which may be empty); an empty
    // path when none can be made.
    virtual std::filesystem::path Create(const std::string& prefix, const std::string& extension) = 0;
    // Removes a file that Create made and that is no longer wanted.
    virtual void Discard(const std::filesystem::path& file) = 0;
    // Why the last Create made nothing (the system's reason), for the message.
    virtual std::string LastError() const { return "no temporary file can be made"; }
};

class CDefaultTempFiles final : public ITempFileMaker {
public:
    CDefaultTempFiles() = default;
    ~CDefaultTempFiles() override { RemoveAll(); }
    CDefaultTempFiles(const CDefaultTempFiles&) = delete;
    CDefaultTempFiles& operator=(const CDefaultTempFiles&) = delete;

    std::filesystem::path Create(const std::string& prefix, const std::string& extension) override;
    void Discard(const std::filesystem::path& file) override;
    std::string LastError() const override { return lastError_; }
    void RemoveAll();
    const std::vector<std::filesystem::path>& Files() const { return files_; }
    // The run's folder the files are in; null while there are none.
    const base::CRunFolder* RunFolder() const { return run_.get(); }

private:
    std::vector<std::filesystem::path> files_;
    // Made with the first file and removed with the last, so a context that makes no files
    // leaves no folder.
    std::unique_ptr<base::CRunFolder> run_;
    std::string lastError_;
};

// The maker of the current program context; without a context, one of the process's own.
ITempFileMaker& GetTempFileMaker();

// Writes bytes into a file that Create made; false when it cannot be opened or fully written.
bool WriteTempFile(const std::filesystem::path& file, const unsigned char* data, std::size_t size);

} // namespace publish
