// Action parser: whatever parses writes back to bytes that parse to the same bytes again.
#include "swf/Actions.h"
#include "swf/SwfError.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (bool raw : {false, true}) {
        swf::ActionParseOptions options;
        options.keepRawConstants = raw;
        try {
            CActionList list = swf::ParseActions(std::span<const uint8_t>(data, size), options);
            std::vector<uint8_t> bytes = list.ToBytes(true);
            CActionList again = swf::ParseActions(bytes, options);
            if (again.ToBytes(true) != bytes)
                std::abort();
        } catch (const swf::SwfError&) {
        }
    }
    return 0;
}
