#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace model {

// Bounds-checked little-endian reader over bytes already in memory. Every length read from the
// input is checked against what remains, so a damaged file ends in a ModelError naming the
// record and the offset instead of reading past the end or allocating without bound.
class RecordReader {
public:
    RecordReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    explicit RecordReader(const std::vector<unsigned char>& bytes) : RecordReader(bytes.data(), bytes.size())
    {
    }

    std::uint8_t ReadU8(const char* what);
    std::uint32_t ReadU32(const char* what);
    std::int32_t ReadI32(const char* what);
    double ReadF64(const char* what);
    // A 32-bit byte count and the bytes; the text is what precedes the first NUL among them.
    std::string ReadString(const char* what);
    void ReadBytes(void* out, std::size_t count, const char* what);
    // A count of items that each take at least minItemSize bytes; refuses counts that the
    // remaining input cannot hold, which bounds every allocation by the input size.
    std::uint32_t ReadCount(const char* what, std::size_t minItemSize);

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return size_ - offset_; }
    bool AtEnd() const { return offset_ == size_; }

    // Nesting guard for recursive records.
    class DepthGuard {
    public:
        DepthGuard(RecordReader& reader, const char* what);
        ~DepthGuard() { --reader_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        RecordReader& reader_;
    };
    static constexpr int kMaxDepth = 64;

    [[noreturn]] void Fail(const char* what, const std::string& why) const;

private:
    void Need(std::size_t count, const char* what) const;

    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    int depth_ = 0;
};

class RecordWriter {
public:
    void WriteU8(std::uint8_t v) { bytes_.push_back(v); }
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteF64(double v);
    void WriteString(const std::string& text);
    void WriteBytes(const void* data, std::size_t count);

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    std::vector<unsigned char> Take() { return std::move(bytes_); }

private:
    std::vector<unsigned char> bytes_;
};

} // namespace model
