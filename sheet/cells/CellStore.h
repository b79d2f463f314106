#pragma once

#include "sheet/cells/KeyIndex.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

struct CCellData;

namespace sheet {

// One stored cell as views into the store: valid until the store next changes.
struct StoredCell {
    std::string_view valueText;
    std::string_view typeName;
    std::string_view formula;
    bool changed = false;
    bool array = false;
    int arrayRow = 0;
    int arrayColumn = 0;

    // Copies the views into data, reusing the room its strings have.
    void CopyTo(CCellData& data) const;
};

// The cells of a model keyed by place (CellPlaceKey). A workbook of a million cells is held in
// a few tens of megabytes: each cell's texts and flags are packed one after the other into
// large blocks. While the places come in key order (as a workbook's cells do), a search of the
// sorted entries from the one found last finds a cell; once a place comes out of order, an open
// hash table of 32-bit positions does. Entries stay in the order their places were first
// stored; storing a place again replaces its record and leaves the old one as waste, which is
// packed away once it outweighs what is live.
class CellStore {
public:
    CellStore();
    ~CellStore();
    CellStore(const CellStore&) = delete;
    CellStore& operator=(const CellStore&) = delete;

    std::size_t Size() const { return entries_.size(); }
    void Reserve(std::size_t count);
    void Set(std::uint64_t key, const CCellData& data);
    std::optional<StoredCell> Find(std::uint64_t key) const;
    // The i-th place first stored, and its cell.
    std::uint64_t KeyAt(std::size_t i) const { return entries_[i].key; }
    StoredCell CellAt(std::size_t i) const { return Decode(entries_[i].record); }
    // True while every place was first stored after all places of smaller key.
    bool InKeyOrder() const { return inKeyOrder_; }
    void ClearChangedFlags();

private:
    struct Entry {
        std::uint64_t key;
        std::uint64_t record; // block index in the high 32 bits, offset in the low ones
    };
    // Entry index + 1 of the key, 0 for none; only while the entries are in key order.
    std::uint32_t FindInOrder(std::uint64_t key) const;
    void Replace(Entry& entry, const CCellData& data);
    // The key of the entry at an index, as the index reads it.
    auto EntryKeys() const
    {
        return [this](std::size_t i) { return entries_[i].key; };
    }
    std::uint32_t* FindSlot(std::uint64_t key);
    const std::uint32_t* FindSlot(std::uint64_t key) const;
    void Grow(std::size_t count);
    std::uint64_t Append(const CCellData& data);
    char* Allocate(std::size_t size, std::uint64_t& record);
    const char* RecordAt(std::uint64_t record) const;
    StoredCell Decode(std::uint64_t record) const;
    static std::size_t RecordSize(const char* record);
    void Pack();

    std::vector<Entry> entries_;
    // Finds an entry by key once the places came out of key order; empty before.
    KeyIndex index_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t filling_ = 0; // 1 + the index of the block being filled, 0 for none
    std::size_t blockUsed_ = 0; // of that block
    std::size_t liveBytes_ = 0;
    std::size_t wasteBytes_ = 0;
    bool inKeyOrder_ = true;
    // The cell found last: a cell is often looked up several times in a row (whether it has a
    // formula, then its formula, then its place in an array). Entries are never removed, so
    // the entry stays the key's.
    mutable std::uint64_t lastKey_ = 0;
    mutable std::uint32_t lastEntry_ = 0; // entry index + 1, 0 for none
};

} // namespace sheet
