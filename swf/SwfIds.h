#pragma once

#include <cstdint>

namespace swf {

// A 16-bit counter of character ids or placement depths. Next() refuses to hand out 0xFFFF (the
// "no bitmap" id of fill styles) or to wrap past it: it throws SwfError.
class IdCounter {
public:
    explicit IdCounter(uint16_t first = 1) : first_(first), next_(first) {}
    uint16_t Next();
    uint16_t Peek() const { return next_; }
    // Moves the counter; 0 means back to its first value.
    void Reset(uint16_t next = 0) { next_ = next == 0 ? first_ : next; }

private:
    uint16_t first_;
    uint16_t next_;
};

// The numbering of one build, passed to everything that makes characters or placements; nothing
// reads a process-wide counter, so an object's id depends only on the build that made it.
//
// A build owns one IdAllocator for its whole run: the movie builder makes one per build, hands
// `characters` to the shapes, sprites and pictures it creates and to the loads that merge movies
// into its output (LoadOptions::remapIds), and `depths` to every placement; the base movie and
// the asset builder do the same with theirs. Long-lived assets loaded once before any build
// (the component catalogue) are renumbered from one counter of their owner; a build that merges
// them starts its `characters` at that counter's Peek(), so every build gives the same ids and
// nothing collides.
struct IdAllocator {
    IdCounter characters{1};
    IdCounter depths{1};
};

} // namespace swf
