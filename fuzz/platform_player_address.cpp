// The addresses of the program's scheme come from the player's page and the movies in it: the
// file an address is mapped to must be a movie the program loaded or lie inside the player
// folder or the base folder it names, whatever the path, its escapes or its dot segments.
#include "platform/controls/PlayerAddress.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool Within(const std::filesystem::path& file, const std::filesystem::path& folder)
{
    const std::filesystem::path relative = file.lexically_normal().lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const PlayerFiles files = [] {
        PlayerFiles made;
        made.playerDir = "/srv/vantorel/player";
        made.movies = {{"1.swf", "/home/someone/movie.swf"}, {"2", "/tmp/gen2.swf"}};
        made.bases = {{1, "/home/someone/documents"}, {7, "/srv/shared"}};
        return made;
    }();
    const std::string path(reinterpret_cast<const char*>(data), size);
    const PlayerAddressTarget target = ResolvePlayerAddress(files, path);
    if (target.file.empty())
        return 0;
    bool allowed = Within(target.file, files.playerDir) && target.basePlayer == 0;
    for (const auto& [name, movie] : files.movies)
        allowed = allowed || (target.file == movie && target.basePlayer == 0);
    if (const auto base = files.bases.find(target.basePlayer); base != files.bases.end())
        allowed =
            allowed || (Within(target.file, base->second) && target.file == base->second / target.inside);
    if (!allowed)
        __builtin_trap();
    return 0;
}
