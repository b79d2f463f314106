#pragma once

#include "swf/SwfCodes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace swf {

// The output stream every tag writes itself into: little-endian fields, byte strings and the
// bit-packed fields of records. Bit fields are packed most significant bit first and must be
// closed with FlushBits before the next byte field.
class Writer {
public:
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void S16(int16_t value) { U16(static_cast<uint16_t>(value)); }
    void S32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Bytes(std::span<const uint8_t> bytes);
    void Bytes(const void* data, size_t size);
    // UTF-8 text followed by NUL; text holding a NUL is refused, as it would cut the string.
    void String(std::string_view text);

    // Both throw SwfError for a value too wide for the field, rather than writing part of it.
    void Bits(uint32_t value, int count);
    void SignedBits(int32_t value, int count);
    void FlushBits();

    // A tag: the short header when the body is under 63 bytes, else the long one. forceLong keeps
    // the long form of a tag read that way, so a movie writes back byte for byte.
    void Tag(TagCode code, std::span<const uint8_t> body, bool forceLong = false);
    void Tag(uint16_t code, std::span<const uint8_t> body, bool forceLong = false);

    // A tag whose body is written straight into this writer, for a body too large to write
    // apart and copy: BeginTag leaves room for the long header and returns where the tag
    // starts; EndTag fills the header in, moving the body back into the short form when it is
    // under 63 bytes, so the tag is the one Tag writes. A body whose size is known takes its
    // room at once (bodyBytes): a large one grown by doubling as it is written would hold two
    // buffers together while the last is copied, the larger twice what is written.
    size_t BeginTag(size_t bodyBytes = 0);
    void EndTag(TagCode code, size_t tagStart);

    size_t Size() const { return data_.size(); }
    const std::vector<uint8_t>& Data() const { return data_; }
    std::vector<uint8_t> Take() { return std::move(data_); }
    void Reserve(size_t bytes) { data_.reserve(bytes); }
    // Empties the writer and keeps its buffer, for a writer used again and again.
    void Clear()
    {
        data_.clear();
        bitBuffer_ = 0;
        bitCount_ = 0;
    }
    void PatchU16(size_t offset, uint16_t value);
    void PatchU32(size_t offset, uint32_t value);

private:
    void PutBits(uint32_t value, int count);
    // Room for `more` bytes after those written, and a little over for what may follow; a
    // writer short of room still grows by doubling, however often it is asked.
    void MakeRoom(size_t more);

    std::vector<uint8_t> data_;
    uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
};

// Number of bits a signed bit field needs to hold value (at least 1).
int SignedBitsNeeded(int32_t value);
// Number of bits an unsigned bit field needs to hold value.
int UnsignedBitsNeeded(uint32_t value);

} // namespace swf
