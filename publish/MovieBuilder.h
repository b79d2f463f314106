#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class CComponentCatalog;
class CDocData;
namespace model {
class CFileBatch;
}
namespace swf {
class IdCounter;
}

namespace publish {

// A movie that could not be built or written; the target path is left as it was.
class MovieBuildError : public std::runtime_error {
public:
    explicit MovieBuildError(const std::string& what) : std::runtime_error(what) {}
};

// The numbering of a build. Character ids restart at firstCharacterId (the first id after the
// long-lived assets: the catalogue's and the base movie's sub-movies) and depths at 1 for every
// build, so the same document always gives the same movie and long sessions never wrap.
struct MovieBuildCounters {
    swf::IdCounter& characterIds;
    std::uint16_t firstCharacterId;
    swf::IdCounter& depths;
};

struct MovieBuildResult {
    std::uint16_t frameCount = 0;
    std::size_t byteCount = 0;
    // An asset was copied beside the movie instead of embedded: the movie needs that folder.
    bool externalAssets = false;
    // Assets that could not be exported; the movie was written without them.
    std::vector<std::string> assetProblems;
};

// Builds the movie of a document snapshot and writes it to output: CWS, version 6, 30 frames
// a second, a stage of width by height twips. preview builds the in-program preview (script
// limits, the scenario movie, no data connection, no collaboration). The snapshot's base movie,
// the installed function library and catalog contribute; every use mark the build takes is
// given back however it ends. Throws MovieBuildError (or the contributor's own error) and then
// writes nothing. With outputs, the movie and every file beside it are staged there for the
// caller to commit with files of its own; without, they land together before it returns.
MovieBuildResult BuildAndWriteMovie(const std::filesystem::path& output, CDocData& snapshot,
                                    CComponentCatalog& catalog, std::int32_t width, std::int32_t height,
                                    bool preview, const MovieBuildCounters& counters,
                                    model::CFileBatch* outputs = nullptr);

} // namespace publish
