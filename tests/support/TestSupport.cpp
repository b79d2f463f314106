#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <unistd.h>

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() : TempDir(fs::temp_directory_path()) {}

TempDir::TempDir(const fs::path& parent)
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = parent / ("vantorel-test-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path MemoryFolder()
{
    const fs::path shared = "/dev/shm";
    std::error_code ec;
    return fs::is_directory(shared, ec) && access(shared.c_str(), W_OK | X_OK) == 0 ? shared
                                                                                   : fs::temp_directory_path();
}

static fs::path FromEnv(const char* name, const fs::path& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fallback;
}

fs::path SourceDir()
{
    return FromEnv("VANTOREL_SOURCE_DIR", fs::current_path());
}
fs::path BinaryDir()
{
    return FromEnv("VANTOREL_BINARY_DIR", fs::current_path());
}

fs::path InstallDir()
{
    return FromEnv("VANTOREL_INSTALL_DIR", VANTOREL_BUILD_INSTALL_DIR);
}

fs::path ArtefactDir(const std::string& group)
{
    fs::path dir = BinaryDir() / "artefacts" / group;
    fs::create_directories(dir);
    return dir;
}

std::vector<unsigned char> ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace testsupport
