#pragma once

#include "base/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace swf {

// The movie format's reader: byte fields, NUL-terminated strings and bit fields. A failed read
// throws SwfError naming what was being read and the file offset.
class Reader : public base::ByteReader {
public:
    // base is added to offsets in messages, so a reader over one tag body reports file offsets.
    Reader(std::span<const uint8_t> data, std::string_view what, size_t base = 0);

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16() { return static_cast<int16_t>(U16()); }
    int32_t S32() { return static_cast<int32_t>(U32()); }
    std::span<const uint8_t> Bytes(size_t count);
    std::span<const uint8_t> Rest();
    // NUL-terminated text; the NUL must be there.
    std::string String();
    void Skip(size_t count);

    uint32_t Bits(int count);
    int32_t SignedBits(int count);
    void AlignBits();

    [[noreturn]] void Fail(std::string_view problem) const;

private:
    [[noreturn]] void Truncated(size_t count, std::string_view field) const override;

    std::string what_;
    size_t base_;
    uint8_t bitByte_ = 0;
    int bitsLeft_ = 0;
};

} // namespace swf
