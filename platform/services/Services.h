#pragma once

// Services of the operating system and the desktop in the form the program asks for them:
// the program's own file, folders, environment, the per-user application-data folder, the
// temporary folder, opening files and help with the desktop's programs, and switches of the
// automation layer. Tests replace what they need (environment entries, folders, the shell)
// without touching the real process state.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/Messages.h"

struct FileVersion {
    int major = 1;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

class CPlatformServices {
public:
    // The running program's full path (from the process, or a test's choice).
    std::filesystem::path ModuleFileName() const;
    void SetModuleFileName(std::filesystem::path path) { moduleOverride_ = std::move(path); }

    // Environment: a test's entry (present or deliberately absent) wins over the process's.
    std::optional<std::string> GetEnv(const std::string& name) const;
    void OverrideEnv(const std::string& name, std::optional<std::string> value)
    {
        env_[name] = std::move(value);
    }

    // The per-user settings root: $XDG_CONFIG_HOME, else $HOME/.config.
    std::optional<std::filesystem::path> AppDataFolder() const;
    void SetAppDataFolder(std::filesystem::path folder) { appDataOverride_ = std::move(folder); }
    std::filesystem::path TempFolder() const;
    void SetTempFolder(std::filesystem::path folder) { tempOverride_ = std::move(folder); }

    // Automation switches: initialisation result and the busy / not-responding dialogs.
    bool oleInitSucceeds = true;
    bool busyDialogEnabled = true;
    bool notRespondingDialogEnabled = true;

    FileVersion version;

private:
    std::optional<std::filesystem::path> moduleOverride_;
    std::map<std::string, std::optional<std::string>> env_;
    std::optional<std::filesystem::path> appDataOverride_;
    std::optional<std::filesystem::path> tempOverride_;
};

CPlatformServices& GetPlatformServices();
void ResetPlatformServices();

std::filesystem::path GetCurrentDirectoryPath();
bool SetCurrentDirectoryPath(const std::filesystem::path& folder);
BOOL AfxOleInit();

// Opening documents, links and help with the desktop.
class IShellService {
public:
    virtual ~IShellService() = default;
    // `target` is a file or a link; `verb` "open" (or empty). True when it was handed over.
    virtual bool Open(const std::string& target, const std::string& verb) = 0;
    // Help: the help file and, for a topic, the topic inside it. Returns false when no viewer
    // could be started.
    virtual bool ShowHelp(const std::string& helpFile, const std::string& topic) = 0;
};

// Hands targets to the desktop's default program (xdg-open); the target is passed as one
// argument to the program, never through a shell.
class CDesktopShell final : public IShellService {
public:
    bool Open(const std::string& target, const std::string& verb) override;
    bool ShowHelp(const std::string& helpFile, const std::string& topic) override;
};

// Notes every request; tests decide the answer.
class CRecordingShell final : public IShellService {
public:
    struct Request {
        std::string kind; // "open" or "help"
        std::string target;
        std::string detail; // verb or topic
    };
    bool Open(const std::string& target, const std::string& verb) override;
    bool ShowHelp(const std::string& helpFile, const std::string& topic) override;

    std::vector<Request> requests;
    bool succeed = true;
};

IShellService& GetShellService();
void SetShellService(std::unique_ptr<IShellService> shell);
CRecordingShell& UseRecordingShell();
void ResetShellService();

// Win32-shaped entry points for the Parts' code.
// Returns a value above 32 on success, as callers of the shell expect.
std::intptr_t ShellExecute(HWND hwnd, const char* verb, const char* file, const char* parameters,
                           const char* directory, int nShowCmd);
enum : UINT { HH_DISPLAY_TOPIC = 0x0000, HH_HELP_CONTEXT = 0x000F, HH_CLOSE_ALL = 0x0012 };
// With HH_DISPLAY_TOPIC `data` is a topic text (or 0); with HH_HELP_CONTEXT a context number.
// Returns the help window's handle in the real system; here non-null on success.
HWND HtmlHelp(HWND hwndCaller, const char* helpFile, UINT command, std::uintptr_t data);
