#pragma once

// Services of the operating system in the form the program asks for them: the program's own
// file, folders, environment, the per-user application-data folder and the temporary folder.
// Tests replace what they need (environment entries, folders) without touching the real
// process state.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

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
    // The user's own files: $HOME/Documents when there is one, else $HOME.
    std::optional<std::filesystem::path> PersonalFolder() const;
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
