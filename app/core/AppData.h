#pragma once

// The user's settings kept between runs in "app.dat" (a property-map file) in the folder
// "Vantorel" of the user's settings folder: whether the Welcome dialog shows, whether the
// busy dialogs of automation are switched off, and a row limit.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class CPropertyMap;

class CAppData {
public:
    // Takes the defaults, then reads the file of `settingsRoot` (none: defaults only).
    explicit CAppData(std::optional<std::filesystem::path> settingsRoot);
    // Writes the file back.
    ~CAppData();
    CAppData(const CAppData&) = delete;
    CAppData& operator=(const CAppData&) = delete;

    // Both do nothing when there is no settings folder or the file cannot be opened. A file
    // that is there but damaged is left as it is: Load keeps the defaults and says why in
    // LoadProblem, and Save then does not write over it.
    void Load();
    void Save();
    std::optional<std::filesystem::path> FilePath() const;
    const std::string& LoadProblem() const { return m_loadProblem; }

    std::uint8_t showWelcome = 1;
    std::uint8_t secondFlag = 1; // stored with the others, read by nothing
    std::uint8_t quietAutomation = 1;
    std::uint32_t MaxRows = 512;

private:
    std::optional<std::filesystem::path> m_root;
    std::unique_ptr<CPropertyMap> m_map;
    std::string m_loadProblem;
};

// The settings of the current designer context, none without one.
CAppData* GetAppData();
