#include "swf/SwfIds.h"

#include "swf/SwfError.h"

namespace swf {

uint16_t IdCounter::Next()
{
    if (next_ == 0xFFFF)
        throw SwfError("all 65534 character ids or depths are used");
    return next_++;
}

} // namespace swf
