// The lines the player's page sends back through its helper (the movie's commands, its
// reports and errors) are text the program does not control: decoding one must never crash or
// over-read, and what decodes must come back the same from the program's own encoding.
#include "platform/controls/PagePlayer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> texts;
    if (!player::DecodeLine(line, texts))
        return 0;
    std::vector<std::string> again;
    if (!player::DecodeLine(player::EncodeLine(texts), again) || again != texts)
        __builtin_trap();
    return 0;
}
