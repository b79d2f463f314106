#include "publish/ScenarioMovie.h"

#include "publish/SubMovieAsset.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfTags.h"

CScenarioMovie::CScenarioMovie(const std::filesystem::path& installDir,
                               swf::IdCounter& characterIds)
    : asset_(publish::LoadSubMovieAsset(publish::AssetPath(installDir, kAssetName), characterIds, {}))
{
    asset_->AddUse();
    asset_->SetWriteAll(true);
}

CScenarioMovie::~CScenarioMovie() = default;

bool CScenarioMovie::IsEmpty() const
{
    return asset_->GetTagCount() == 0;
}

void CScenarioMovie::Write(swf::Writer& out)
{
    CSwfShowFrame().Write(out);
    asset_->Write(out);
}
