#include "publish/ScenarioMovie.h"

#include "swf/SwfTags.h"

CScenarioMovie::CScenarioMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds)
    : CWholeAssetMovie(installDir, kAssetName, characterIds, {})
{
}

void CScenarioMovie::Write(swf::Writer& out)
{
    CSwfShowFrame().Write(out);
    WriteAsset(out);
}
