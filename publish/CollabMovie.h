#pragma once

#include "swf/SwfObject.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

class CExportSettings;
class CSwfMovie;
namespace swf {
class IdCounter;
}

// The collaboration clip ("asset/collab.dat"): the clip the asset exports first, with what it
// needs, and, for real-time collaboration, its placement named "collab".
class CCollabMovie : public CSwfObject {
public:
    static constexpr const char* kAssetName = "collab.dat";
    static constexpr const char* kInstanceName = "collab";

    // Reads the asset of the installation folder, numbering its characters from characterIds.
    // settings (the base movie's, borrowed) decide at each build whether the clip is placed. An
    // asset that is missing, broken or exports no clip leaves the sub-movie empty.
    CCollabMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds,
                 const CExportSettings& settings);
    ~CCollabMovie() override;

    // Called by a build when it adds this sub-movie to its output: with real-time collaboration
    // on, the placement takes the next depth of the build's counter, after every component
    // placed before it.
    void PrepareBuild(swf::IdCounter& depths);

    // Writes the exported clip and its dependencies, then the placement the build prepared.
    // The asset is left as it was, so every build writes the same tags.
    void Write(swf::Writer& out) override;

    const CSwfMovie& GetAssetMovie() const { return *asset_; }
    // The character id of the exported clip; none when the asset gave none.
    std::optional<uint16_t> GetClipId() const { return clipId_; }

private:
    std::unique_ptr<CSwfMovie> asset_;
    const CExportSettings& settings_;
    std::optional<uint16_t> clipId_;
    std::optional<uint16_t> depth_;
};
