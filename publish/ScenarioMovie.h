#pragma once

#include "swf/SwfObject.h"

#include <filesystem>
#include <memory>

class CSwfMovie;
namespace swf {
class IdCounter;
}

// The preview movie's answer to the data query ("asset/scenario.dat"): its frames, labelled for
// the query, follow the movie's main frame.
class CScenarioMovie : public CSwfObject {
public:
    static constexpr const char* kAssetName = "scenario.dat";

    // Reads the asset of the installation folder, numbering its characters from characterIds.
    // A missing or broken asset leaves the sub-movie empty.
    CScenarioMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds);
    ~CScenarioMovie() override;

    // Closes the frame written so far, then writes every tag of the asset.
    void Write(swf::Writer& out) override;
    const CSwfMovie& GetAssetMovie() const { return *asset_; }
    bool IsEmpty() const;

private:
    std::unique_ptr<CSwfMovie> asset_;
};
