// Movie reader: every container's parser, with and without renumbering; what loads must write
// back and load again.
#include "swf/EmbeddedSwfMovie.h"
#include "swf/SwfError.h"
#include "swf/SwfFileInfo.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfWriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    try {
        CSwfMovie movie;
        movie.LoadBytes(bytes, {.keepTopLevel = true});
        for (auto& clip : movie.GetClipEntries())
            movie.MarkCharacterUsed(clip.GetId());
        swf::Writer used;
        movie.Write(used);
        std::vector<uint8_t> again = movie.WriteBytes(100, 100, 12, false);
        CSwfMovie reread;
        reread.LoadBytes(again);
        if (reread.GetTagCount() != movie.GetTagCount())
            std::abort();
        if (!movie.GetClipEntries().empty())
            movie.GetClipEntries()[0].DeletePlacement();
    } catch (const swf::SwfError&) {
    }
    try {
        CEmbeddedSwfMovie embedded;
        swf::IdCounter ids;
        embedded.LoadBytes(bytes, {.remapIds = &ids});
        for (uint16_t id : embedded.GetKeptIds())
            embedded.MarkCharacterUsed(id);
    } catch (const swf::SwfError&) {
    }
    try {
        CSwfFileInfo info;
        info.LoadBytes(bytes);
    } catch (const swf::SwfError&) {
    }
    return 0;
}
