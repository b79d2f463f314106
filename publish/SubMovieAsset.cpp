#include "publish/SubMovieAsset.h"

#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "swf/SwfTrace.h"

#include <system_error>

namespace publish {

namespace {

// A read can fail for a moment (the file being replaced by an update); a parse that fails twice
// will fail every time.
constexpr int kAttempts = 2;

} // namespace

std::filesystem::path AssetPath(const std::filesystem::path& installDir, std::string_view fileName)
{
    return installDir / "asset" / fileName;
}

std::unique_ptr<CSwfMovie> LoadSubMovieAsset(const std::filesystem::path& path, swf::IdCounter& characterIds,
                                             const SubMovieLoad& how)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        swf::Trace("sub-movie asset missing: " + path.string());
        return std::make_unique<CSwfMovie>();
    }
    for (int attempt = 1;; ++attempt) {
        auto movie = std::make_unique<CSwfMovie>();
        try {
            movie->LoadFile(path, {.remapIds = &characterIds,
                                   .keepTopLevel = true,
                                   .keepRawActions = how.keepRawActions});
            return movie;
        } catch (const swf::SwfError& e) {
            swf::Trace(std::string("sub-movie asset unreadable: ") + e.what());
            if (attempt == kAttempts)
                return std::make_unique<CSwfMovie>();
        }
    }
}

} // namespace publish

CWholeAssetMovie::CWholeAssetMovie(const std::filesystem::path& installDir, std::string_view fileName,
                                   swf::IdCounter& characterIds, const publish::SubMovieLoad& how)
    : asset_(publish::LoadSubMovieAsset(publish::AssetPath(installDir, fileName), characterIds, how))
{
    asset_->AddUse();
    asset_->SetWriteAll(true);
}

CWholeAssetMovie::~CWholeAssetMovie() = default;

bool CWholeAssetMovie::IsEmpty() const
{
    return asset_->GetTagCount() == 0;
}

void CWholeAssetMovie::WriteAsset(swf::Writer& out)
{
    asset_->Write(out);
}
