#include "platform/drawing/IconTheme.h"

#include <cstdlib>
#include <system_error>

void CIconTheme::SetFolders(std::vector<std::filesystem::path> own, std::vector<std::filesystem::path> themes)
{
    own_ = std::move(own);
    themes_ = std::move(themes);
    cache_.clear();
}

void CIconTheme::SetLoader(Loader loader)
{
    loader_ = std::move(loader);
    cache_.clear();
}

void CIconTheme::Clear()
{
    own_.clear();
    themes_.clear();
    loader_ = nullptr;
    cache_.clear();
}

const RgbaImage* CIconTheme::Find(const std::string& name, int size)
{
    if (name.empty() || size <= 0)
        return nullptr;
    const auto key = std::make_pair(name, size);
    auto found = cache_.find(key);
    if (found == cache_.end()) {
        std::optional<RgbaImage> icon = loader_ ? loader_(name, size) : std::nullopt;
        if (!icon)
            icon = FromFolders(name, size);
        found = cache_.emplace(key, std::move(icon)).first;
    }
    return found->second ? &*found->second : nullptr;
}

std::optional<RgbaImage> CIconTheme::FromFolders(const std::string& name, int size) const
{
    const std::string sized = std::to_string(size);
    for (const auto& folder : own_) {
        if (auto icon = ReadPngFile(folder / sized / (name + ".png")))
            return icon;
    }
    const std::string squared = sized + "x" + sized;
    for (const auto& theme : themes_) {
        std::error_code ec;
        for (const auto& context : std::filesystem::directory_iterator(theme / squared, ec)) {
            for (const char* suffix : {".png", ".symbolic.png"}) {
                const auto file = context.path() / (name + suffix);
                if (std::filesystem::is_regular_file(file, ec)) {
                    if (auto icon = ReadPngFile(file))
                        return icon;
                }
            }
        }
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> DefaultThemeFolders()
{
    std::vector<std::filesystem::path> folders;
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs != nullptr && *dirs != '\0' ? dirs : "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            folders.push_back(std::filesystem::path(list.substr(start, end - start)) / "icons" / "Adwaita");
        start = end + 1;
    }
    return folders;
}

CIconTheme& GetIconTheme()
{
    static CIconTheme theme;
    return theme;
}

void ResetIconTheme()
{
    GetIconTheme().Clear();
}

bool IsSymbolicIcon(const std::string& name)
{
    constexpr std::string_view kSuffix = "-symbolic";
    return name.size() > kSuffix.size() && name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

CBitmap CompositeIcon(const RgbaImage& icon, COLORREF background, COLORREF ink, bool symbolic, bool disabled)
{
    CBitmap out(icon.width, icon.height, background);
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            const std::uint32_t argb = icon.At(x, y);
            int alpha = static_cast<int>(argb >> 24);
            if (disabled)
                alpha = alpha * 2 / 5;
            if (alpha == 0) {
                out.SetTransparent(x, y, true);
                continue;
            }
            const int r = symbolic ? GetRValue(ink) : static_cast<int>((argb >> 16) & 0xFF);
            const int g = symbolic ? GetGValue(ink) : static_cast<int>((argb >> 8) & 0xFF);
            const int b = symbolic ? GetBValue(ink) : static_cast<int>(argb & 0xFF);
            auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
            out.SetPixel(x, y,
                         RGB(mix(r, GetRValue(background)), mix(g, GetGValue(background)),
                             mix(b, GetBValue(background))));
        }
    }
    return out;
}
