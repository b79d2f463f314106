#include "platform/controls/PlayerAddress.h"

#include "base/TextCodes.h"

#include <charconv>

bool UnescapeAddress(const std::string& text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? ui::HexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? ui::HexDigitValue(text[i + 2]) : -1;
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::filesystem::path InsideFolder(const std::string& relative)
{
    const std::filesystem::path inside = std::filesystem::path(relative).lexically_normal();
    return inside.empty() || inside.is_absolute() || *inside.begin() == ".." ? std::filesystem::path()
                                                                             : inside;
}

PlayerAddressTarget ResolvePlayerAddress(const PlayerFiles& files, const std::string& path)
{
    PlayerAddressTarget target;
    if (path.rfind("/player/", 0) == 0) {
        if (const std::filesystem::path name = InsideFolder(path.substr(8)); !name.empty())
            target.file = files.playerDir / name;
    } else if (path.rfind("/movie/", 0) == 0) {
        if (auto it = files.movies.find(path.substr(7)); it != files.movies.end())
            target.file = it->second;
    } else if (path.rfind("/base/", 0) == 0) {
        const std::size_t slash = path.find('/', 6);
        int player = 0;
        const char* first = path.data() + 6;
        const char* last = path.data() + (slash == std::string::npos ? path.size() : slash);
        const auto [end, error] = std::from_chars(first, last, player);
        std::string name;
        // The movie's address as written: "my prices.xml" arrives as "my%20prices.xml".
        if (slash == std::string::npos || error != std::errc() || end != last ||
            !UnescapeAddress(path.substr(slash + 1), name))
            return target;
        const auto it = files.bases.find(player);
        target.inside = InsideFolder(name);
        if (it != files.bases.end() && !target.inside.empty()) {
            target.file = it->second / target.inside;
            target.basePlayer = it->first;
        }
    }
    return target;
}
