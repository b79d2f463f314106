// The model section of a document, read into a base movie from arbitrary bytes. What is
// accepted must link, write back and read again to the same bytes.
#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "fuzz/FuzzSupport.h"
#include "publish/BaseMovie.h"
#include "tests/publish/PublishTestSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzsupport::QuietTraces();
    swf::IdCounter ids(100);
    swf::IdCounter depths(1);
    CBaseMovie movie(publishtest::BaseAsset(), {}, ids, depths);
    base::RecordReader in(data, size);
    try {
        movie.LoadModel(in);
    } catch (const ModelError&) {
        return 0;
    }
    movie.BuildExportMaps();
    base::RecordWriter out;
    movie.SaveModel(out);
    CBaseMovie again(publishtest::BaseAsset(), {}, ids, depths);
    base::RecordReader back(out.Bytes());
    again.LoadModel(back);
    base::RecordWriter second;
    again.SaveModel(second);
    if (second.Bytes() != out.Bytes())
        std::abort();
    return 0;
}
