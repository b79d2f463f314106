#pragma once

#include <cstdint>
#include <mutex>

namespace swf {

// A 16-bit counter shared by everything that makes characters or placements. A build records
// Peek() once its long-lived assets are loaded and resets to that mark at its start, so every
// build gives the same ids and depths and the counters never wrap. Next() refuses to hand out
// 0xFFFF (the "no bitmap" id of fill styles) or to wrap past it: it throws SwfError.
class IdCounter {
public:
    explicit IdCounter(uint16_t first) : first_(first), next_(first) {}
    uint16_t Next();
    uint16_t Peek() const;
    // Moves the counter; 0 means back to its first value.
    void Reset(uint16_t next = 0);

private:
    mutable std::mutex mutex_;
    uint16_t first_;
    uint16_t next_;
};

// New character ids (from 1).
IdCounter& CharacterIds();
// Placement depths (from 1).
IdCounter& PlacementDepths();

} // namespace swf
