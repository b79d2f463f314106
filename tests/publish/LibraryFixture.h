#pragma once

// Function-library movies made in memory, laid out as the asset builder lays out the real one:
// one sprite per function, exported under the function's name, whose DoInitAction holds the
// function's code.

#include "swf/ActionList.h"
#include "swf/AssetCipher.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "tests/support/TestSupport.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct LibraryClip {
    std::string name;
    // The DoInitAction's action body without its closing End; none for a clip without one.
    std::optional<std::vector<uint8_t>> code;
};

// The plain movie file.
inline std::vector<uint8_t> LibraryMovieBytes(const std::vector<LibraryClip>& clips)
{
    CSwfMovie movie;
    uint16_t id = 1;
    for (const LibraryClip& clip : clips) {
        auto sprite = std::make_unique<CSwfSprite>(id, 1, false);
        sprite->AddTag(std::make_unique<CSwfShowFrame>());
        movie.AddTag(std::move(sprite));
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName(clip.name);
        movie.AddTag(std::move(exported));
        if (clip.code)
            movie.AddTag(std::make_unique<CSwfDoInitAction>(id, CSwfRawData(*clip.code)));
        ++id;
    }
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    return movie.WriteBytes(20, 20, 12.0, false);
}

// Writes the enciphered asset file.
inline void WriteLibraryAsset(const std::filesystem::path& file, const std::vector<LibraryClip>& clips)
{
    WriteBytes(file, swf::EncipherAsset(LibraryMovieBytes(clips)));
}

} // namespace testsupport
