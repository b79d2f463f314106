#include "swf/SwfReader.h"

#include "swf/SwfError.h"

namespace swf {

Reader::Reader(std::span<const uint8_t> data, std::string_view what, size_t base)
    : data_(data), what_(what), base_(base)
{
}

void Reader::Fail(std::string_view problem) const
{
    throw SwfError(std::string(problem) + " in " + what_ + " at offset " + std::to_string(base_ + pos_));
}

void Reader::Need(size_t count, std::string_view field) const
{
    if (count > Remaining())
        Fail("truncated " + std::string(field));
}

uint8_t Reader::U8()
{
    Need(1, "byte");
    bitsLeft_ = 0;
    return data_[pos_++];
}

uint16_t Reader::U16()
{
    Need(2, "16-bit field");
    bitsLeft_ = 0;
    uint16_t v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
}

uint32_t Reader::U32()
{
    Need(4, "32-bit field");
    bitsLeft_ = 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | data_[pos_ + i];
    pos_ += 4;
    return v;
}

std::span<const uint8_t> Reader::Bytes(size_t count)
{
    Need(count, "byte block");
    bitsLeft_ = 0;
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
}

std::span<const uint8_t> Reader::Rest()
{
    return Bytes(Remaining());
}

std::string Reader::String()
{
    bitsLeft_ = 0;
    for (size_t end = pos_; end < data_.size(); ++end) {
        if (data_[end] == 0) {
            std::string text(reinterpret_cast<const char*>(data_.data() + pos_), end - pos_);
            pos_ = end + 1;
            return text;
        }
    }
    Fail("unterminated string");
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
            Need(1, "bit field");
            bitByte_ = data_[pos_++];
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
