#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh, empty folder for one test (in the system's temporary folder, or in parent), removed
// again when the object goes away.
class TempDir {
public:
    TempDir();
    explicit TempDir(const std::filesystem::path& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The repository's root folder and the build folder, as CTest hands them to the tests.
std::filesystem::path SourceDir();
std::filesystem::path BinaryDir();

// The installation folder (asset movies, components, styles) the build laid out from assets/:
// VANTOREL_INSTALL_DIR when set, else the one of the build these tests belong to.
std::filesystem::path InstallDir();

// A folder under the build tree where tests leave files for the player checks to pick up.
std::filesystem::path ArtefactDir(const std::string& group);

// A folder held in memory (/dev/shm) where the machine has one, else the system's temporary
// folder: for a test that makes and removes thousands of small files, which a disk busy with
// the rest of the suite would slow to minutes.
std::filesystem::path MemoryFolder();

std::vector<unsigned char> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);

} // namespace testsupport
