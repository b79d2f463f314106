#include "swf/SwfReader.h"

#include "swf/SwfError.h"

#include <algorithm>

namespace swf {

Reader::Reader(std::span<const uint8_t> data, std::string_view what, size_t base)
    : ByteReader(data), what_(what), base_(base)
{
}

void Reader::Fail(std::string_view problem) const
{
    throw SwfError(std::string(problem) + " in " + what_ + " at offset " + std::to_string(base_ + Offset()));
}

void Reader::Truncated(size_t, std::string_view field) const
{
    Fail("truncated " + std::string(field));
}

uint8_t Reader::U8()
{
    bitsLeft_ = 0;
    return TakeU8("byte");
}

uint16_t Reader::U16()
{
    bitsLeft_ = 0;
    return TakeU16("16-bit field");
}

uint32_t Reader::U32()
{
    bitsLeft_ = 0;
    return TakeU32("32-bit field");
}

std::span<const uint8_t> Reader::Bytes(size_t count)
{
    bitsLeft_ = 0;
    return Take(count, "byte block");
}

std::span<const uint8_t> Reader::Rest()
{
    return Bytes(Remaining());
}

std::string Reader::String()
{
    bitsLeft_ = 0;
    auto rest = Data().subspan(Offset());
    auto nul = std::ranges::find(rest, uint8_t{0});
    if (nul == rest.end())
        Fail("unterminated string");
    auto text = Take(static_cast<size_t>(nul - rest.begin()) + 1, "string");
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() - 1);
}

void Reader::Skip(size_t count)
{
    Bytes(count);
}

uint32_t Reader::Bits(int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        if (bitsLeft_ == 0) {
            bitByte_ = TakeU8("bit field");
            bitsLeft_ = 8;
        }
        --bitsLeft_;
        value = value << 1 | ((bitByte_ >> bitsLeft_) & 1u);
    }
    return value;
}

int32_t Reader::SignedBits(int count)
{
    if (count == 0)
        return 0;
    uint32_t raw = Bits(count);
    if (count < 32 && (raw & (1u << (count - 1))))
        raw |= ~0u << count;
    return static_cast<int32_t>(raw);
}

void Reader::AlignBits()
{
    bitsLeft_ = 0;
}

} // namespace swf
