#pragma once

#include "swf/SwfObject.h"

#include <filesystem>
#include <memory>
#include <string_view>

class CSwfMovie;
namespace swf {
class IdCounter;
}

namespace publish {

// The asset file of that name in the installation folder's "asset" folder.
std::filesystem::path AssetPath(const std::filesystem::path& installDir, std::string_view fileName);

struct SubMovieLoad {
    // Keep ConstantPool and Push records as their bytes, so scripts pass through unchanged.
    bool keepRawActions = false;
};

// Reads a sub-movie's asset, its ids renumbered from characterIds and its top-level placements
// linked to their exports. A missing file gives an empty movie at once; a file that cannot be
// read or parsed is tried a bounded number of times and then also leaves an empty movie, with the reason on the
// trace: a damaged asset must never keep the program from starting.
std::unique_ptr<CSwfMovie> LoadSubMovieAsset(const std::filesystem::path& path, swf::IdCounter& characterIds,
                                             const SubMovieLoad& how);

} // namespace publish

// A sub-movie that writes every tag of its asset as it was read (the data loader, the scenario
// frames).
class CWholeAssetMovie : public CSwfObject {
public:
    ~CWholeAssetMovie() override;
    const CSwfMovie& GetAssetMovie() const { return *asset_; }
    bool IsEmpty() const;

protected:
    // Reads the asset of that name in the installation folder, numbering its characters from
    // characterIds. A missing or broken asset leaves the sub-movie empty.
    CWholeAssetMovie(const std::filesystem::path& installDir, std::string_view fileName,
                     swf::IdCounter& characterIds, const publish::SubMovieLoad& how);
    void WriteAsset(swf::Writer& out);

private:
    std::unique_ptr<CSwfMovie> asset_;
};
