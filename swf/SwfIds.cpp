#include "swf/SwfIds.h"

#include "swf/SwfError.h"

namespace swf {

uint16_t IdCounter::Next()
{
    std::lock_guard lock(mutex_);
    if (next_ == 0xFFFF)
        throw SwfError("all 65534 character ids or depths are used");
    return next_++;
}

uint16_t IdCounter::Peek() const
{
    std::lock_guard lock(mutex_);
    return next_;
}

void IdCounter::Reset(uint16_t next)
{
    std::lock_guard lock(mutex_);
    next_ = next == 0 ? first_ : next;
}

IdCounter& CharacterIds()
{
    static IdCounter counter(1);
    return counter;
}

IdCounter& PlacementDepths()
{
    static IdCounter counter(1);
    return counter;
}

} // namespace swf
