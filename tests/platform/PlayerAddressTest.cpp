#include "platform/controls/PlayerAddress.h"

#include <gtest/gtest.h>

namespace {

// Addresses come from the page and its movies: each reaches a file of its own folder or table,
// with its escapes decoded, and nothing outside them.
TEST(PlayerAddress, AnAddressReachesOnlyTheFilesServed)
{
    PlayerFiles files;
    files.playerDir = "/i/player";
    files.movies = {{"1.swf", "/d/movie.swf"}};
    files.bases = {{3, "/d/docs"}};
    EXPECT_EQ(ResolvePlayerAddress(files, "/player/ruffle/core.wasm").file,
              std::filesystem::path("/i/player/ruffle/core.wasm"));
    EXPECT_EQ(ResolvePlayerAddress(files, "/movie/1.swf").file, std::filesystem::path("/d/movie.swf"));
    const PlayerAddressTarget data = ResolvePlayerAddress(files, "/base/3/in/my%20prices.xml");
    EXPECT_EQ(data.file, std::filesystem::path("/d/docs/in/my prices.xml"));
    EXPECT_EQ(data.basePlayer, 3);
    EXPECT_EQ(data.inside, std::filesystem::path("in/my prices.xml"));
    for (const char* outside :
         {"/player/../secret", "/player//etc/passwd", "/movie/2.swf", "/base/3/%2e%2e/x", "/base/3/a/../../x",
          "/base/4/x", "/base/3x/x", "/base/99999999999999/x", "/base/3/%00", "/base/3/%zz", "/base/3/%4",
          "/other/x", ""})
        EXPECT_TRUE(ResolvePlayerAddress(files, outside).file.empty()) << outside;
}

} // namespace
