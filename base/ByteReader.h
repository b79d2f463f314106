#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace base {

// A bounds-checked little-endian cursor over bytes that came from outside: the one reader that
// every byte format of the program (movies, model and sheet records) is read with. Every read
// checks what remains first and never reads past the end; a read that cannot be satisfied calls
// Truncated, which each format's reader overrides to throw its own error naming what was being
// read and where.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}
    virtual ~ByteReader() = default;
    // A copy reads on from the same place independently (to peek ahead).
    ByteReader(const ByteReader&) = default;
    ByteReader& operator=(const ByteReader&) = default;

    size_t Offset() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }
    std::span<const uint8_t> Data() const { return data_; }

protected:
    // field names what is being read, for the message.
    void Need(size_t count, std::string_view field) const
    {
        if (count > Remaining())
            Truncated(count, field);
    }
    [[noreturn]] virtual void Truncated(size_t count, std::string_view field) const = 0;

    uint8_t TakeU8(std::string_view field);
    uint16_t TakeU16(std::string_view field);
    uint32_t TakeU32(std::string_view field);
    uint64_t TakeU64(std::string_view field);
    std::span<const uint8_t> Take(size_t count, std::string_view field);

private:
    template <class T> T TakeLittleEndian(std::string_view field);

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

} // namespace base
