#include "app/core/TempFileManager.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

CTempFileManager::CTempFileManager(const std::filesystem::path& systemTemp)
{
    std::error_code error;
    std::filesystem::create_directories(systemTemp, error);
    m_run = std::make_unique<base::CRunFolder>(systemTemp);
    m_folder = m_run->Made() ? m_run->Folder() : systemTemp;
}

CTempFileManager::~CTempFileManager()
{
    DeleteAll();
}

const std::vector<std::filesystem::path>& CTempFileManager::GetCleanedFolders() const
{
    return m_run->Cleaned();
}

std::string CTempFileManager::GetTempPath() const
{
    std::string path = m_folder.string();
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string CTempFileManager::CreateTempFile(const std::string& prefix, const std::string& extension,
                                             bool remember)
{
    // A name is taken by creating its file exclusively, so two requests (or two programs)
    // never get the same name.
    // The search goes on from the number given last, so a document of many embedded files
    // does not try every taken name again for each new one.
    const std::string folder = GetTempPath();
    int& next = m_nextNumber[prefix + '\0' + extension];
    for (int n = next; n < kMaxCandidates; ++n) {
        const std::string candidate = folder + prefix + std::to_string(n) + extension;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            next = n + 1;
            m_lastName = candidate;
            if (remember) {
                m_remembered.push_back(candidate);
            }
            return candidate;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

void CTempFileManager::DeleteAll()
{
    std::vector<std::string> kept;
    for (const std::string& name : m_remembered) {
        std::error_code error;
        std::filesystem::remove(name, error);
        if (error && std::filesystem::exists(name, error)) {
            kept.push_back(name);
        }
    }
    m_remembered = std::move(kept);
    // Freed names are handed out again, from the lowest.
    m_nextNumber.clear();
}

std::filesystem::path CTempFileManager::Create(const std::string& prefix, const std::string& extension)
{
    return CreateTempFile(prefix, extension, true);
}

void CTempFileManager::Discard(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::remove(file, error);
    const std::string name = file.string();
    m_remembered.erase(std::remove(m_remembered.begin(), m_remembered.end(), name), m_remembered.end());
}
