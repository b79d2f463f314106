#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Temporary files that opening a document makes (the embedded workbook and files). The
// application's temporary-file manager installs itself so they go with its other files; the
// default maker puts them in the platform's temporary folder and removes them when the process
// ends or the maker is reset.
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

private:
    std::vector<std::filesystem::path> files_;
    std::string lastError_;
};

// The installed maker, or the process's default one.
ITempFileMaker& GetTempFileMaker();
// Borrowed; the installer keeps it alive until it resets.
void SetTempFileMaker(ITempFileMaker* maker);
// Back to the default maker, whose files are removed.
void ResetTempFileMaker();

// Writes bytes into a file that Create made; false when it cannot be opened or fully written.
bool WriteTempFile(const std::filesystem::path& file, const unsigned char* data, std::size_t size);

} // namespace publish
