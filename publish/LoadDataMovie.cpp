#include "publish/LoadDataMovie.h"

#include "publish/SubMovieAsset.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"

CLoadDataMovie::CLoadDataMovie(const std::filesystem::path& installDir,
                               swf::IdCounter& characterIds)
    : asset_(publish::LoadSubMovieAsset(publish::AssetPath(installDir, kAssetName), characterIds, {.keepRawActions = true}))
{
    asset_->AddUse();
    asset_->SetWriteAll(true);
}

CLoadDataMovie::~CLoadDataMovie() = default;

bool CLoadDataMovie::IsEmpty() const
{
    return asset_->GetTagCount() == 0;
}

void CLoadDataMovie::Write(swf::Writer& out)
{
    asset_->Write(out);
}
