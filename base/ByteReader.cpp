#include "base/ByteReader.h"

namespace base {

template <class T> T ByteReader::TakeLittleEndian(std::string_view field)
{
    Need(sizeof(T), field);
    T value = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        value = static_cast<T>(value << 8 | data_[pos_ + i]);
    pos_ += sizeof(T);
    return value;
}

uint8_t ByteReader::TakeU8(std::string_view field)
{
    Need(1, field);
    return data_[pos_++];
}

uint16_t ByteReader::TakeU16(std::string_view field)
{
    return TakeLittleEndian<uint16_t>(field);
}

uint32_t ByteReader::TakeU32(std::string_view field)
{
    return TakeLittleEndian<uint32_t>(field);
}

uint64_t ByteReader::TakeU64(std::string_view field)
{
    return TakeLittleEndian<uint64_t>(field);
}

std::span<const uint8_t> ByteReader::Take(size_t count, std::string_view field)
{
    Need(count, field);
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
}

} // namespace base
