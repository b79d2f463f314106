#pragma once

#include "publish/SubMovieAsset.h"

// The run-time data loader ("asset/loaddata.dat"): added to a movie whose data come from a web
// service or XML maps, it writes the asset's tags as they were read, scripts byte for byte.
class CLoadDataMovie : public CWholeAssetMovie {
public:
    static constexpr const char* kAssetName = "loaddata.dat";

    CLoadDataMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds);

    void Write(swf::Writer& out) override;
};
