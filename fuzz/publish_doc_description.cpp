// A document description (the JSON the command line publishes from) mapped onto the document
// it describes: every key, kind and number of it comes from the file. The mapping must end in
// a description or a DescriptionError naming the place, never a crash or an over-read. Only
// names are resolved against the folder; nothing is read from it.
#include "publish/DocDescription.h"
#include "publish/Json.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    json::Error error;
    const auto root = json::Parse(std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (!root)
        return 0;
    try {
        (void)publish::ReadDocDescription(*root, "/nonexistent/descriptions");
    } catch (const publish::DescriptionError&) {
    }
    return 0;
}
