#include "sheet/cells/CellStore.h"

#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellType.h"

#include <algorithm>
#include <cstring>

namespace sheet {
namespace {

// Records are packed into blocks of this size; a record larger than kOwnBlockBytes gets a
// block of its own, so no block wastes more than that at its end.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
constexpr std::size_t kOwnBlockBytes = std::size_t(64) << 10;
// Waste is packed away once it is past this and past the live bytes.
constexpr std::size_t kPackWasteBytes = std::size_t(8) << 20;

// The first byte of a record.
constexpr std::uint8_t kChanged = 1;
constexpr std::uint8_t kArray = 2;
constexpr std::uint8_t kOwnTypeName = 4; // a type name outside CellTypeName's, kept as text

constexpr CellType kTypes[] = {CellType::Empty,   CellType::Number, CellType::Text,
                               CellType::Boolean, CellType::Error,  CellType::DateTime};

// The index of a type name CellTypeName gives, or none.
std::optional<std::uint8_t> TypeIndex(std::string_view name)
{
    for (CellType type : kTypes)
        if (CellTypeName(type) == name)
            return static_cast<std::uint8_t>(type);
    return std::nullopt;
}

std::size_t LengthBytes(std::size_t length)
{
    std::size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

char* PutText(char* out, std::string_view text)
{
    std::size_t length = text.size();
    while (length >= 0x80) {
        *out++ = static_cast<char>((length & 0x7F) | 0x80);
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The records are our own, written by PutText: no bounds to check.
std::string_view GetText(const char*& in)
{
    std::size_t length = 0;
    int shift = 0;
    std::uint8_t byte = 0;
    do {
        byte = static_cast<std::uint8_t>(*in++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    std::string_view text(in, length);
    in += length;
    return text;
}

} // namespace

void StoredCell::CopyTo(CCellData& data) const
{
    data.valueText.assign(valueText);
    data.typeName.assign(typeName);
    data.formula.assign(formula);
    data.changed = changed;
    data.array = array;
    data.arrayRow = arrayRow;
    data.arrayColumn = arrayColumn;
}

CellStore::CellStore() = default;
CellStore::~CellStore() = default;

const std::uint32_t* CellStore::FindSlot(std::uint64_t key) const
{
    return index_.Find(key, EntryKeys());
}

std::uint32_t* CellStore::FindSlot(std::uint64_t key)
{
    return index_.Find(key, EntryKeys());
}

void CellStore::Grow(std::size_t count)
{
    index_.Reserve(count, entries_.size(), EntryKeys());
}

void CellStore::Reserve(std::size_t count)
{
    entries_.reserve(count);
    if (!inKeyOrder_)
        Grow(count);
}

std::uint32_t CellStore::FindInOrder(std::uint64_t key) const
{
    const std::size_t count = entries_.size();
    if (count == 0)
        return 0;
    // Look-ups mostly go to places near the one before (the next cell of a row, the cell
    // above): gallop out from the entry found last, then search the span it ends in.
    const std::size_t from = lastEntry_ != 0 ? lastEntry_ - 1 : 0;
    std::size_t low = 0;
    std::size_t high = count;
    if (entries_[from].key == key)
        return static_cast<std::uint32_t>(from + 1);
    if (entries_[from].key < key) {
        low = from + 1;
        for (std::size_t step = 1; from + step < count; step *= 2) {
            if (entries_[from + step].key >= key) {
                high = from + step + 1;
                break;
            }
            low = from + step + 1;
        }
    } else {
        high = from;
        for (std::size_t step = 1; step <= from; step *= 2) {
            if (entries_[from - step].key <= key) {
                low = from - step;
                break;
            }
            high = from - step;
        }
    }
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(high);
    const auto found = std::lower_bound(entries_.begin() + static_cast<std::ptrdiff_t>(low), end, key,
                                        [](const Entry& entry, std::uint64_t k) { return entry.key < k; });
    if (found == end || found->key != key)
        return 0;
    return static_cast<std::uint32_t>(found - entries_.begin() + 1);
}

char* CellStore::Allocate(std::size_t size, std::uint64_t& record)
{
    if (size > kOwnBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        record = static_cast<std::uint64_t>(blocks_.size() - 1) << 32;
        return blocks_.back().get();
    }
    if (!filling_ || blockUsed_ + size > kBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
        filling_ = blocks_.size();
        blockUsed_ = 0;
    }
    record = static_cast<std::uint64_t>(filling_ - 1) << 32 | blockUsed_;
    char* at = blocks_[filling_ - 1].get() + blockUsed_;
    blockUsed_ += size;
    return at;
}

std::uint64_t CellStore::Append(const CCellData& data)
{
    const std::optional<std::uint8_t> type = TypeIndex(data.typeName);
    std::size_t size = 2 + LengthBytes(data.valueText.size()) + data.valueText.size() +
                       LengthBytes(data.formula.size()) + data.formula.size();
    if (!type)
        size += LengthBytes(data.typeName.size()) + data.typeName.size();
    if (data.array)
        size += 2 * sizeof(std::int32_t);
    std::uint64_t record = 0;
    char* out = Allocate(size, record);
    out[0] = static_cast<char>((data.changed ? kChanged : 0) | (data.array ? kArray : 0) |
                               (type ? 0 : kOwnTypeName));
    out[1] = static_cast<char>(type.value_or(0));
    out = PutText(out + 2, data.valueText);
    out = PutText(out, data.formula);
    if (!type)
        out = PutText(out, data.typeName);
    if (data.array) {
        const std::int32_t place[2] = {data.arrayRow, data.arrayColumn};
        std::memcpy(out, place, sizeof place);
    }
    liveBytes_ += size;
    return record;
}

StoredCell CellStore::Decode(std::uint64_t record) const
{
    const char* in = RecordAt(record);
    const auto flags = static_cast<std::uint8_t>(in[0]);
    StoredCell cell;
    cell.changed = flags & kChanged;
    cell.array = flags & kArray;
    const auto type = static_cast<CellType>(static_cast<std::uint8_t>(in[1]));
    in += 2;
    cell.valueText = GetText(in);
    cell.formula = GetText(in);
    cell.typeName = flags & kOwnTypeName ? GetText(in) : CellTypeName(type);
    if (cell.array) {
        std::int32_t place[2];
        std::memcpy(place, in, sizeof place);
        cell.arrayRow = place[0];
        cell.arrayColumn = place[1];
    }
    return cell;
}

const char* CellStore::RecordAt(std::uint64_t record) const
{
    return blocks_[record >> 32].get() + (record & 0xFFFFFFFF);
}

std::size_t CellStore::RecordSize(const char* start)
{
    const auto flags = static_cast<std::uint8_t>(start[0]);
    const char* in = start + 2;
    GetText(in);
    GetText(in);
    if (flags & kOwnTypeName)
        GetText(in);
    if (flags & kArray)
        in += 2 * sizeof(std::int32_t);
    return static_cast<std::size_t>(in - start);
}

void CellStore::Replace(Entry& entry, const CCellData& data)
{
    const std::size_t old = RecordSize(RecordAt(entry.record));
    entry.record = Append(data);
    liveBytes_ -= old;
    wasteBytes_ += old;
    if (wasteBytes_ > kPackWasteBytes && wasteBytes_ > liveBytes_)
        Pack();
}

void CellStore::Set(std::uint64_t key, const CCellData& data)
{
    if (inKeyOrder_) {
        if (entries_.empty() || key > entries_.back().key) {
            entries_.push_back({key, Append(data)});
            return;
        }
        if (const std::uint32_t entry = FindInOrder(key)) {
            Replace(entries_[entry - 1], data);
            return;
        }
        // A place before the last one stored: from now on the hash table finds the cells.
        inKeyOrder_ = false;
    }
    // Room first, so that the one search finds the cell or the slot a new one takes.
    Grow(std::max(entries_.size() + 1, entries_.capacity()));
    std::uint32_t* slot = FindSlot(key);
    if (*slot != 0) {
        Replace(entries_[*slot - 1], data);
        return;
    }
    entries_.push_back({key, Append(data)});
    *slot = static_cast<std::uint32_t>(entries_.size());
}

std::optional<StoredCell> CellStore::Find(std::uint64_t key) const
{
    if (lastEntry_ == 0 || lastKey_ != key) {
        std::uint32_t entry = 0;
        if (inKeyOrder_) {
            entry = FindInOrder(key);
        } else if (const std::uint32_t* slot = FindSlot(key)) {
            entry = *slot;
        }
        if (entry == 0)
            return std::nullopt;
        lastKey_ = key;
        lastEntry_ = entry;
    }
    return Decode(entries_[lastEntry_ - 1].record);
}

void CellStore::ClearChangedFlags()
{
    for (const Entry& entry : entries_)
        blocks_[entry.record >> 32][entry.record & 0xFFFFFFFF] &= static_cast<char>(~kChanged);
}

void CellStore::Pack()
{
    const std::vector<std::unique_ptr<char[]>> old = std::move(blocks_);
    blocks_.clear();
    filling_ = 0;
    blockUsed_ = 0;
    liveBytes_ = 0;
    wasteBytes_ = 0;
    for (Entry& entry : entries_) {
        const char* from = old[entry.record >> 32].get() + (entry.record & 0xFFFFFFFF);
        const std::size_t size = RecordSize(from);
        std::memcpy(Allocate(size, entry.record), from, size);
        liveBytes_ += size;
    }
}

} // namespace sheet
