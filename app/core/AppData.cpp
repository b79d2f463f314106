#include "app/core/AppData.h"

#include <system_error>

#include "model/PropertyMap.h"

CAppData::CAppData(std::optional<std::filesystem::path> settingsRoot)
    : m_root(std::move(settingsRoot)), m_map(std::make_unique<CPropertyMap>())
{
    Load();
}

CAppData::~CAppData()
{
    Save();
}

std::optional<std::filesystem::path> CAppData::FilePath() const
{
    if (!m_root) {
        return std::nullopt;
    }
    return *m_root / "Vantorel" / "app.dat";
}

void CAppData::Load()
{
    const std::optional<std::filesystem::path> file = FilePath();
    if (!file) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(file->parent_path(), error);
    if (!std::filesystem::is_regular_file(*file, error)) {
        return;
    }
    CPropertyMap read;
    std::string why;
    if (!read.LoadFile(file->string(), &why)) {
        m_loadProblem = why;
        return;
    }
    *m_map = read;
    std::uint8_t flags[3] = {showWelcome, secondFlag, quietAutomation};
    m_map->GetProperty("AppData", flags, sizeof flags);
    showWelcome = flags[0];
    secondFlag = flags[1];
    quietAutomation = flags[2];
    // Only the low half of the row limit is stored, little-endian.
    std::uint8_t rows[2] = {static_cast<std::uint8_t>(MaxRows), static_cast<std::uint8_t>(MaxRows >> 8)};
    if (m_map->GetProperty("MaxRows", rows, sizeof rows)) {
        MaxRows = (MaxRows & 0xFFFF0000u) | rows[0] | (static_cast<std::uint32_t>(rows[1]) << 8);
    }
}

void CAppData::Save()
{
    const std::optional<std::filesystem::path> file = FilePath();
    if (!file || !m_loadProblem.empty()) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(file->parent_path(), error);
    const std::uint8_t flags[3] = {showWelcome, secondFlag, quietAutomation};
    m_map->SetProperty("AppData", flags, sizeof flags);
    const std::uint8_t rows[2] = {static_cast<std::uint8_t>(MaxRows), static_cast<std::uint8_t>(MaxRows >> 8)};
    m_map->SetProperty("MaxRows", rows, sizeof rows);
    m_map->SaveFile(file->string());
}
