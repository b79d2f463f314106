// A user's picture or movie embedded into a published movie: the bytes are taken as a JPEG
// and as a movie file, each embedded, and the result written.
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/AssetExport.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTrace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool WriteInput(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fwrite(data, 1, size, file);
    return std::fclose(file) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = [] {
        swf::SetTraceSink([](std::string_view) {});
        return true;
    }();
    (void)quiet;
    // Never destroyed, so the exit handler can still use it.
    static const std::filesystem::path& dir = *[] {
        auto* path = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                               ("fuzz_asset_export." + std::to_string(getpid())));
        std::filesystem::create_directories(*path);
        return path;
    }();
    static bool cleanup = [] { return std::atexit([] { std::filesystem::remove_all(dir); }) == 0; }();
    (void)cleanup;
    if (!WriteInput(dir / "in.jpg", data, size) || !WriteInput(dir / "in.swf", data, size))
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
