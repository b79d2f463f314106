// The JSON reader of our description files, from arbitrary bytes.
#include "publish/Json.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    json::Error error;
    json::Parse(std::string_view(reinterpret_cast<const char*>(data), size), &error);
    return 0;
}
