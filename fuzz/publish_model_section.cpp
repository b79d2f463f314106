// The model section of a document, read into a base movie from arbitrary bytes. What is
// accepted must link, write back and read again to the same bytes.
#include "model/ModelError.h"
#include "model/RecordStream.h"
#include "model/Trace.h"
#include "publish/BaseMovie.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

std::unique_ptr<CSwfMovie> ManagerAsset()
{
    static const std::vector<uint8_t> bytes = [] {
        CSwfOutputMovie movie;
        movie.SetWriteAll(true);
        auto manager = std::make_unique<CSwfSprite>(1, 1, false);
        manager->AddTag(std::make_unique<CSwfShowFrame>());
        movie.AddTag(std::move(manager));
        auto symbol = std::make_unique<CSwfExportedSymbol>(1);
        symbol->SetName("kvManager");
        movie.AddTag(std::move(symbol));
        return movie.WriteBytes(100, 100, 30, false);
    }();
    auto movie = std::make_unique<CSwfMovie>();
    movie->LoadBytes(bytes, false, true);
    return movie;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        model::SetTraceSink([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    swf::IdCounter ids(100);
    swf::IdCounter depths(1);
    CBaseMovie movie(ManagerAsset(), {}, ids, depths);
    model::RecordReader in(data, size);
    try {
        movie.LoadModel(in);
    } catch (const ModelError&) {
        return 0;
    }
    movie.BuildExportMaps();
    model::RecordWriter out;
    movie.SaveModel(out);
    CBaseMovie again(ManagerAsset(), {}, ids, depths);
    model::RecordReader back(out.Bytes());
    again.LoadModel(back);
    model::RecordWriter second;
    again.SaveModel(second);
    if (second.Bytes() != out.Bytes())
        std::abort();
    return 0;
}
