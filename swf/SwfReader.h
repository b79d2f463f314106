#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace swf {

// A bounds-checked reader over bytes that came from outside. Every read checks what remains
// and throws SwfError naming what was being read and the offset, never reads past the end.
class Reader {
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

    size_t Offset() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }
    std::span<const uint8_t> Data() const { return data_; }
    [[noreturn]] void Fail(std::string_view problem) const;

private:
    void Need(size_t count, std::string_view field) const;

    std::span<const uint8_t> data_;
    std::string what_;
    size_t base_;
    size_t pos_ = 0;
    uint8_t bitByte_ = 0;
    int bitsLeft_ = 0;
};

} // namespace swf
