#include "sheet/cells/CellStore.h"

#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellType.h"

#include <bit>
#include <cstring>
#include <stdexcept>

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

// Fibonacci hashing: the top bits of the product depend on every bit of the key, so places
// next to each other spread over the whole table.
std::size_t SlotOf(std::uint64_t key, int shift)
{
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift);
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
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = SlotOf(key, shift_);; i = (i + 1) & mask) {
        const std::uint32_t slot = slots_[i];
        if (slot == 0 || entries_[slot - 1].key == key)
            return &slots_[i];
    }
}

std::uint32_t* CellStore::FindSlot(std::uint64_t key)
{
    return const_cast<std::uint32_t*>(static_cast<const CellStore*>(this)->FindSlot(key));
}

void CellStore::Grow(std::size_t count)
{
    // At most three quarters full, so that a search meets a free slot soon.
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
    for (std::size_t e = 0; e < entries_.size(); ++e) {
        std::size_t i = SlotOf(entries_[e].key, shift_);
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = static_cast<std::uint32_t>(e + 1);
    }
}

void CellStore::Reserve(std::size_t count)
{
    entries_.reserve(count);
    Grow(count);
}

char* CellStore::Allocate(std::size_t size, std::uint64_t& record)
{
    if (size > kOwnBlockBytes) {
        blocks_.push_back(std::make_unique<char[]>(size));
        record = static_cast<std::uint64_t>(blocks_.size() - 1) << 32;
        return blocks_.back().get();
    }
    if (!filling_ || blockUsed_ + size > kBlockBytes) {
        blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
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

void CellStore::Set(std::uint64_t key, const CCellData& data)
{
    // Room first, so that the one search finds the cell or the slot a new one takes.
    Grow(entries_.size() + 1);
    std::uint32_t* slot = FindSlot(key);
    if (*slot != 0) {
        Entry& entry = entries_[*slot - 1];
        const std::size_t old = RecordSize(RecordAt(entry.record));
        entry.record = Append(data);
        liveBytes_ -= old;
        wasteBytes_ += old;
        if (wasteBytes_ > kPackWasteBytes && wasteBytes_ > liveBytes_)
            Pack();
        return;
    }
    if (!entries_.empty() && key < entries_.back().key)
        inKeyOrder_ = false;
    entries_.push_back({key, Append(data)});
    *slot = static_cast<std::uint32_t>(entries_.size());
}

std::optional<StoredCell> CellStore::Find(std::uint64_t key) const
{
    if (lastEntry_ == 0 || lastKey_ != key) {
        const std::uint32_t* slot = FindSlot(key);
        if (!slot || *slot == 0)
            return std::nullopt;
        lastKey_ = key;
        lastEntry_ = *slot;
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
