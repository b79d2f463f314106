#pragma once

// Everything process-wide the designer reaches through accessors (the temporary files, the
// component catalogue, the function library, the settings, the base movie and the counters it
// numbers characters and depths with), made in one place when the application starts and
// torn down in one place when it ends, so a test can make a fresh program in one process.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "publish/ProgramContext.h"

class CAppData;
class CBaseMovie;
class CFunctionLibrary;
class CTempFileManager;
class CProgramContext;

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
    CBaseMovie* BaseMovie() { return m_context->GetBaseMovie(); }
    CFunctionLibrary* FunctionLibrary() { return m_context->GetFunctionLibrary(); }
    CProgramContext& Context() { return *m_context; }
    // The first character id of every publication: the ids after the catalogue's and the base
    // movie's own characters.
    std::uint16_t FirstBuildId() const { return m_firstBuildId; }
    // Empty when the installation folder holds what the program needs.
    const std::string& InstallationProblem() const { return m_installProblem; }
    // Why the function library is empty (the program runs on without it); empty when it was read.
    const std::string& LibraryProblem() const { return m_libraryProblem; }

private:
    std::unique_ptr<CTempFileManager> m_tempFiles;
    // The catalogue, function library, base movie and counters, current while the program runs.
    std::unique_ptr<CProgramContext> m_context;
    std::unique_ptr<CProgramContext::Scope> m_scope;
    std::unique_ptr<CAppData> m_settings;
    std::string m_installProblem;
    std::string m_libraryProblem;
    std::uint16_t m_firstBuildId = 1;
};
