#pragma once

#include "swf/SwfObject.h"

#include <filesystem>
#include <memory>

class CSwfMovie;
namespace swf {
class IdCounter;
}

// The run-time data loader ("asset/loaddata.dat"): added to a movie whose data come from a web
// service or XML maps, it writes the asset's tags as they were read, scripts byte for byte.
class CLoadDataMovie : public CSwfObject {
public:
    static constexpr const char* kAssetName = "loaddata.dat";

    // Reads the asset of the installation folder, numbering its characters from characterIds.
    // A missing or broken asset leaves the sub-movie empty.
    CLoadDataMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds);
    ~CLoadDataMovie() override;

    void Write(swf::Writer& out) override;
    const CSwfMovie& GetAssetMovie() const { return *asset_; }
    bool IsEmpty() const;

private:
    std::unique_ptr<CSwfMovie> asset_;
};
