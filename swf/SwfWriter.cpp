#include "swf/SwfWriter.h"

#include "swf/SwfError.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace swf {

void Writer::U8(uint8_t value)
{
    data_.push_back(value);
}

void Writer::U16(uint16_t value)
{
    data_.push_back(static_cast<uint8_t>(value));
    data_.push_back(static_cast<uint8_t>(value >> 8));
}

void Writer::U32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        data_.push_back(static_cast<uint8_t>(value >> shift));
}

void Writer::Bytes(std::span<const uint8_t> bytes)
{
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void Writer::Bytes(const void* data, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    data_.insert(data_.end(), p, p + size);
}

void Writer::String(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        throw SwfError("text for a movie string holds a NUL character");
    Bytes(text.data(), text.size());
    U8(0);
}

void Writer::Bits(uint32_t value, int count)
{
    if (count < 0 || count > 32)
        throw SwfError("bit field of " + std::to_string(count) + " bits");
    if (count < 32 && (value >> count) != 0)
        throw SwfError("value " + std::to_string(value) + " does not fit a " + std::to_string(count) +
                       "-bit field");
    PutBits(value, count);
}

void Writer::PutBits(uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        bitBuffer_ = (bitBuffer_ << 1) | ((value >> i) & 1u);
        if (++bitCount_ == 8) {
            data_.push_back(static_cast<uint8_t>(bitBuffer_));
            bitBuffer_ = 0;
            bitCount_ = 0;
        }
    }
}

void Writer::SignedBits(int32_t value, int count)
{
    if (count == 0 && value == 0)
        return;
    if (count < 0 || count > 32)
        throw SwfError("bit field of " + std::to_string(count) + " bits");
    if (count < 32 && SignedBitsNeeded(value) > count)
        throw SwfError("value " + std::to_string(value) + " does not fit a " + std::to_string(count) +
                       "-bit field");
    PutBits(static_cast<uint32_t>(value), count);
}

void Writer::FlushBits()
{
    if (bitCount_ > 0)
        PutBits(0, 8 - bitCount_);
}

void Writer::Tag(TagCode code, std::span<const uint8_t> body, bool forceLong)
{
    Tag(static_cast<uint16_t>(code), body, forceLong);
}

void Writer::Tag(uint16_t code, std::span<const uint8_t> body, bool forceLong)
{
    if (code > 0x3FF)
        throw SwfError("tag code " + std::to_string(code) + " does not fit a tag header");
    if (body.size() > 0x7FFFFFFFu)
        throw SwfError("tag " + std::to_string(code) + " is too long");
    if (body.size() < 0x3F && !forceLong) {
        U16(static_cast<uint16_t>(code << 6 | body.size()));
    } else {
        U16(static_cast<uint16_t>(code << 6 | 0x3F));
        U32(static_cast<uint32_t>(body.size()));
    }
    Bytes(body);
}

void Writer::MakeRoom(size_t more)
{
    const size_t needed = data_.size() + more;
    if (needed > data_.capacity())
        data_.reserve(std::max(needed + needed / 32, 2 * data_.capacity()));
}

size_t Writer::BeginTag(size_t bodyBytes)
{
    if (bodyBytes > 0)
        MakeRoom(6 + bodyBytes);
    const size_t start = data_.size();
    data_.resize(start + 6);
    return start;
}

void Writer::EndTag(TagCode code, size_t tagStart)
{
    const auto number = static_cast<uint16_t>(code);
    if (number > 0x3FF)
        throw SwfError("tag code " + std::to_string(number) + " does not fit a tag header");
    if (tagStart + 6 > data_.size())
        throw SwfError("tag " + std::to_string(number) + " ended before it began");
    const size_t length = data_.size() - tagStart - 6;
    if (length > 0x7FFFFFFFu)
        throw SwfError("tag " + std::to_string(number) + " is too long");
    if (length < 0x3F) {
        data_.erase(data_.begin() + static_cast<std::ptrdiff_t>(tagStart + 2),
                    data_.begin() + static_cast<std::ptrdiff_t>(tagStart + 6));
        PatchU16(tagStart, static_cast<uint16_t>(number << 6 | length));
        return;
    }
    PatchU16(tagStart, static_cast<uint16_t>(number << 6 | 0x3F));
    PatchU32(tagStart + 2, static_cast<uint32_t>(length));
}

void Writer::PatchU16(size_t offset, uint16_t value)
{
    data_.at(offset) = static_cast<uint8_t>(value);
    data_.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void Writer::PatchU32(size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data_.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

int SignedBitsNeeded(int32_t value)
{
    uint32_t magnitude = value < 0 ? ~static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return std::bit_width(magnitude) + 1;
}

int UnsignedBitsNeeded(uint32_t value)
{
    return std::bit_width(value);
}

} // namespace swf
