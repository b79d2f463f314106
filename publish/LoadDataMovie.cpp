#include "publish/LoadDataMovie.h"

CLoadDataMovie::CLoadDataMovie(const std::filesystem::path& installDir, swf::IdCounter& characterIds)
    : CWholeAssetMovie(installDir, kAssetName, characterIds, {.keepRawActions = true})
{
}

void CLoadDataMovie::Write(swf::Writer& out)
{
    WriteAsset(out);
}
