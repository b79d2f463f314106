#include "base/PlatformServices.h"

#include "base/ServiceSlot.h"

#include <cstdlib>
#include <system_error>

std::filesystem::path CPlatformServices::ModuleFileName() const
{
    if (moduleOverride_) {
        return *moduleOverride_;
    }
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self;
}

std::optional<std::string> CPlatformServices::GetEnv(const std::string& name) const
{
    auto it = env_.find(name);
    if (it != env_.end()) {
        return it->second;
    }
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::filesystem::path> CPlatformServices::AppDataFolder() const
{
    if (appDataOverride_) {
        return *appDataOverride_;
    }
    if (auto xdg = GetEnv("XDG_CONFIG_HOME"); xdg && !xdg->empty()) {
        return std::filesystem::path(*xdg);
    }
    if (auto home = GetEnv("HOME"); home && !home->empty()) {
        return std::filesystem::path(*home) / ".config";
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> CPlatformServices::PersonalFolder() const
{
    const auto home = GetEnv("HOME");
    if (!home || home->empty()) {
        return std::nullopt;
    }
    std::error_code ec;
    const std::filesystem::path documents = std::filesystem::path(*home) / "Documents";
    if (std::filesystem::is_directory(documents, ec)) {
        return documents;
    }
    return std::filesystem::path(*home);
}

std::filesystem::path CPlatformServices::TempFolder() const
{
    if (tempOverride_) {
        return *tempOverride_;
    }
    if (auto tmp = GetEnv("TMPDIR"); tmp && !tmp->empty()) {
        return std::filesystem::path(*tmp);
    }
    return "/tmp";
}

namespace {

ui::ServiceSlot<CPlatformServices>& ServicesSlot()
{
    static ui::ServiceSlot<CPlatformServices> services;
    return services;
}

} // namespace

CPlatformServices& GetPlatformServices()
{
    return ServicesSlot().Get();
}

void ResetPlatformServices()
{
    ServicesSlot().Reset();
}

std::filesystem::path GetCurrentDirectoryPath()
{
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path() : cwd;
}

bool SetCurrentDirectoryPath(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    return !ec;
}
