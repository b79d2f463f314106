#pragma once

// Named icons at a pixel size: the desktop's standard actions from the freedesktop icon theme
// and the program's own commands drawn into the installation folder at build time. On a
// screen the host puts the toolkit's own icon lookup first, so the icons follow the desktop;
// headless drawing reads the same theme's files, so test pictures show what the screen shows.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Png.h"

class CIconTheme {
public:
    // Resolves a name at a size in pixels; nullopt when it does not know the name.
    using Loader = std::function<std::optional<RgbaImage>(const std::string& name, int size)>;

    // `own`: folders holding <size>/<name>.png; `themes`: freedesktop theme folders holding
    // <size>x<size>/<context>/<name>.png (or .symbolic.png).
    void SetFolders(std::vector<std::filesystem::path> own, std::vector<std::filesystem::path> themes);
    void SetLoader(Loader loader);
    // The icon, or nullptr when neither the loader nor the folders have it. Results are kept.
    const RgbaImage* Find(const std::string& name, int size);
    void Clear();

private:
    std::optional<RgbaImage> FromFolders(const std::string& name, int size) const;

    std::vector<std::filesystem::path> own_;
    std::vector<std::filesystem::path> themes_;
    Loader loader_;
    std::map<std::pair<std::string, int>, std::optional<RgbaImage>> cache_;
};

// The theme folders of this machine: the freedesktop theme the program is drawn with.
std::vector<std::filesystem::path> DefaultThemeFolders();

CIconTheme& GetIconTheme();
void ResetIconTheme();

// Symbolic icons ("...-symbolic") are shapes in the text colour, as the toolkit recolours them.
bool IsSymbolicIcon(const std::string& name);

// The icon laid over a flat background, ready for CDC::DrawImage with its mask: symbolic icons
// take `ink`; a disabled icon is faded into the background as the toolkit shows insensitive ones.
CBitmap CompositeIcon(const RgbaImage& icon, COLORREF background, COLORREF ink, bool symbolic, bool disabled);
