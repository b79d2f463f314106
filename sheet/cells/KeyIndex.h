#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace sheet {

// Finds an item of its owner's list by a 64-bit key: an open hash table of 32-bit positions
// (index + 1, 0 for a free slot), a power of two in size and at most three quarters full. The
// keys stay in the owner's list, read through keyAt(index), so the table costs a few bytes an
// item where a node-based map costs tens.
class KeyIndex {
public:
    void Clear()
    {
        slots_.clear();
        shift_ = 64;
    }
    bool Empty() const { return slots_.empty(); }

    // The slot that holds the key's position, or the free slot a new item of that key takes;
    // null while the table is empty.
    template <typename KeyAt>
    const std::uint32_t* Find(std::uint64_t key, KeyAt&& keyAt) const
    {
        if (slots_.empty())
            return nullptr;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = SlotOf(key); ; i = (i + 1) & mask) {
            const std::uint32_t slot = slots_[i];
            if (slot == 0 || keyAt(slot - 1) == key)
                return &slots_[i];
        }
    }
    template <typename KeyAt>
    std::uint32_t* Find(std::uint64_t key, KeyAt&& keyAt)
    {
        return const_cast<std::uint32_t*>(static_cast<const KeyIndex*>(this)->Find(key, keyAt));
    }

    // Room for count items, of which the first `items` of the list are entered again when the
    // table has to grow.
    template <typename KeyAt>
    void Reserve(std::size_t count, std::size_t items, KeyAt&& keyAt)
    {
        std::size_t size = slots_.empty() ? 16 : slots_.size();
        while (count > size / 4 * 3)
            size *= 2;
        if (size == slots_.size())
            return;
        if (count >= UINT32_MAX)
            throw std::length_error("too many cells");
        slots_.assign(size, 0);
        shift_ = 64 - std::countr_zero(size);
        const std::size_t mask = size - 1;
        for (std::size_t e = 0; e < items; ++e) {
            std::size_t i = SlotOf(keyAt(e));
            while (slots_[i] != 0)
                i = (i + 1) & mask;
            slots_[i] = static_cast<std::uint32_t>(e + 1);
        }
    }

private:
    // Fibonacci hashing: the top bits of the product depend on every bit of the key, so places
    // next to each other spread over the whole table.
    std::size_t SlotOf(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    std::vector<std::uint32_t> slots_;
    int shift_ = 64; // 64 less the number of bits of a slot index
};

} // namespace sheet
