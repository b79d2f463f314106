#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class CDocData;
class CParameter;
class CParameterSet;
class CSwfMovie;
namespace model {
class CFileBatch;
}
namespace swf {
class IdCounter;
}

namespace publish {

struct AssetExportResult {
    // A file was copied beside the movie: the movie needs that folder to show it.
    bool externalAssets = false;
    // One line per asset that could not be exported; the movie goes without it.
    std::vector<std::string> problems;
    // The "fileName" members a copy pointed at the copy, with the file they named before: once
    // the movie is written they must name the source again, or the next build of the document
    // would look for the copy where the source was.
    std::vector<std::pair<CParameter*, std::string>> copiedFrom;
};

// Points the "fileName" members of the copies back at their sources.
void RestoreCopiedFileNames(AssetExportResult& result);

// The pictures and movies the components of a document show (their external-file groups):
// embedded ones become exported symbols of movie ("embed_<id>"), the others are copied into a
// folder named after the movie beside it. Each group learns where its asset went ("clipName",
// "fileName", "bgType", ...). A file named by several groups is exported once per way. A file
// to copy must be what its name says (a JPEG picture, a movie of version 6 or older), else it
// is left out with a problem. The copies are staged in batch, to land with the movie; without
// one they are written at once.
AssetExportResult ExportDocumentAssets(const std::filesystem::path& output, CSwfMovie& movie,
                                       CDocData& snapshot, swf::IdCounter& characterIds,
                                       model::CFileBatch* batch = nullptr);

// A JPEG picture as a sprite showing it at its size; clipName (when there is one) receives the
// exported name. A progressive picture is made baseline first, which version 6 players need.
// False, with problem set, when the file cannot be read or is not a JPEG.
bool EmbedJpegFile(const std::filesystem::path& path, CParameter* clipName, CSwfMovie& movie,
                   swf::IdCounter& characterIds, std::string& problem);

// A version 6 (or older) movie as a sprite of its timeline, with its size and background in the
// record. Newer movies cannot play inside a version 6 one and are refused.
bool ImportEmbeddedSwf(const std::filesystem::path& path, CParameterSet& record, CSwfMovie& movie,
                       swf::IdCounter& characterIds, std::string& problem);

} // namespace publish
