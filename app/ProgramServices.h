#pragma once

// Everything process-wide the designer reaches through accessors (the temporary files, the
// component catalogue, the function library, the settings, the base movie and the counters it
// numbers characters and depths with), made in one place when the application starts and
// torn down in one place when it ends, so a test can make a fresh program in one process.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "swf/SwfIds.h"

class CAppData;
class CBaseMovie;
class CFunctionLibrary;
class CTempFileManager;
class CBaseMovieModelLink;
class ScopedProcessServices;

class CProgramServices {
public:
    struct Folders {
        std::filesystem::path install;                // the base folder
        std::optional<std::filesystem::path> settings; // the user's settings root
        std::filesystem::path temp;                   // the system's temporary folder
    };

    // In this order: temporary files, catalogue, function library, settings, then the base
    // movie. A damaged installation leaves the catalogue, library or base movie out and says
    // so in InstallationProblem.
    explicit CProgramServices(const Folders& folders);
    // Temporary files (removed), settings (saved), catalogue, function library; the base
    // movie and the hooks of the lower layers go last.
    ~CProgramServices();
    CProgramServices(const CProgramServices&) = delete;
    CProgramServices& operator=(const CProgramServices&) = delete;

    CTempFileManager& TempFiles() { return *m_tempFiles; }
    CAppData& Settings() { return *m_settings; }
    CBaseMovie* BaseMovie() { return m_baseMovie.get(); }
    CFunctionLibrary* FunctionLibrary() { return m_library.get(); }
    // Empty when the installation folder holds what the program needs.
    const std::string& InstallationProblem() const { return m_installProblem; }

private:
    std::unique_ptr<CTempFileManager> m_tempFiles;
    std::unique_ptr<CBaseMovieModelLink> m_modelLink;
    std::unique_ptr<ScopedProcessServices> m_installed; // the catalogue and the hooks
    std::unique_ptr<CFunctionLibrary> m_library;
    std::unique_ptr<CAppData> m_settings;
    swf::IdCounter m_characterIds{1};
    swf::IdCounter m_depths{1};
    std::unique_ptr<CBaseMovie> m_baseMovie;
    std::string m_installProblem;
};
