#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Profile.h"

// Whatever the text, parsing must not crash, and what was kept must survive a round trip.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CProfileStore store;
    store.Parse(std::string(reinterpret_cast<const char*>(data), size));
    const std::string once = store.Serialize();
    CProfileStore again;
    if (again.Parse(once) != 0 || again.Serialize() != once) {
        __builtin_trap();
    }
    return 0;
}
