#include "base/Processors.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace base {

unsigned UsableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        if (const int count = CPU_COUNT(&set); count > 0)
            return static_cast<unsigned>(count);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace base
