#include "publish/CollabMovie.h"

#include "publish/ExportSettings.h"
#include "publish/SubMovieAsset.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"

CCollabMovie::CCollabMovie(const std::filesystem::path& installDir,
                           swf::IdCounter& characterIds, const CExportSettings& settings)
    : asset_(publish::LoadSubMovieAsset(publish::AssetPath(installDir, kAssetName), characterIds, {})), settings_(settings)
{
    std::vector<ClipEntry>& clips = asset_->GetClipEntries();
    if (clips.empty()) {
        // Without a clip there is nothing to write; an asset of loose tags would only add
        // definitions nobody uses.
        asset_ = std::make_unique<CSwfMovie>();
        return;
    }
    clipId_ = clips.front().GetId();
    clips.front().DeletePlacement();
}

CCollabMovie::~CCollabMovie() = default;

void CCollabMovie::PrepareBuild(swf::IdCounter& depths)
{
    depth_.reset();
    if (clipId_ && settings_.realTimeCollaboration)
        depth_ = depths.Next();
}

void CCollabMovie::Write(swf::Writer& out)
{
    if (!clipId_)
        return;
    // Marking makes exactly the clip and what it depends on "used"; the marks are taken back
    // however the write ends, so the asset never keeps uses from one build into the next.
    struct Marks {
        CSwfMovie& movie;
        uint16_t id;
        ~Marks() { movie.UnmarkCharacterUsed(id); }
    };
    asset_->MarkCharacterUsed(*clipId_);
    {
        Marks marks{*asset_, *clipId_};
        asset_->Write(out);
    }
    if (depth_)
        CSwfPlaceObject2(*depth_, *clipId_, CSwfMatrix(), kInstanceName).Write(out);
}
