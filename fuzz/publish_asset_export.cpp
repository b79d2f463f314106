// A user's picture or movie embedded into a published movie: the bytes are taken as a JPEG
// and as a movie file, each embedded, and the result written.
#include "fuzz/FuzzSupport.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/AssetExport.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"

#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::QuietTraces();
    const std::filesystem::path& dir = fuzzsupport::ScratchDir("fuzz_asset_export");
    if (!fuzzsupport::WriteInput(dir / "in.jpg", data, size) ||
        !fuzzsupport::WriteInput(dir / "in.swf", data, size))
        return 0;

    CSwfOutputMovie movie;
    swf::IdCounter ids{1};
    CParameterSet record;
    CParameter* clip = record.Add(std::make_unique<CParameter>("clipName", model::ParamType::Text));
    record.Add(std::make_unique<CParameter>("bgWidth", model::ParamType::Number));
    record.Add(std::make_unique<CParameter>("bgColor", model::ParamType::Color));
    std::string problem;
    publish::EmbedJpegFile(dir / "in.jpg", clip, movie, ids, problem);
    publish::ImportEmbeddedSwf(dir / "in.swf", record, movie, ids, problem);
    try {
        movie.WriteBytes(100, 100, 30, false);
    } catch (const swf::SwfError&) {
        // A value that does not fit its field is refused, never written wrong.
    }
    return 0;
}
