#pragma once
// The movie makers that drive the program's players: every player the program asks for is a page
// player in headless Chromium (player-host.mjs) of the given size, the last one made kept in page.

#include "platform/controls/PagePlayer.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace playertest {

inline void UsePagePlayers(const std::filesystem::path& install, int width, int height, CPagePlayer*& page)
{
    const std::string host = (testsupport::SourceDir() / "tests" / "player" / "lib" / "player-host.mjs").string();
    SetFlashPlayerFactory([host, install, width, height, &page]() -> std::unique_ptr<IFlashPlayer> {
        auto made = std::make_unique<CPagePlayer>(
            std::vector<std::string>{"node", host, install.string(), std::to_string(width), std::to_string(height)});
        page = made.get();
        return made;
    });
}

} // namespace playertest
