#pragma once

#include "publish/SubMovieAsset.h"

// The preview movie's answer to the data query ("asset/scenario.dat"): its frames, labelled for
// the query, follow the movie's main frame.
class CScenarioMovie : public CWholeAssetMovie {
public:
    static constexpr const char* kAssetName = "scenario.dat";

    CScenarioMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds);

    // Closes the frame written so far, then writes every tag of the asset.
    void Write(swf::Writer& out) override;
};
