#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Profile.h"

// Whatever the text, parsing must not crash, and once written what was kept (damaged lines
// included, as they are kept for the person to mend) must read back and write the same: a settings
// file does not change from one run to the next.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CProfileStore store;
    store.Parse(std::string(reinterpret_cast<const char*>(data), size));
    CProfileStore written;
    written.Parse(store.Serialize());
    const std::string once = written.Serialize();
    CProfileStore again;
    again.Parse(once);
    if (again.Serialize() != once) {
        __builtin_trap();
    }
    return 0;
}
