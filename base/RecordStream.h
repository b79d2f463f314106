#pragma once

#include "base/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace base {

// The reader of the model's and the sheet's records. Every length read from the input is
// checked against what remains, so a damaged file ends in a ModelError naming the record and the
// offset instead of reading past the end or allocating without bound.
class RecordReader : public ByteReader {
public:
    explicit RecordReader(std::span<const std::uint8_t> bytes) : ByteReader(bytes) {}
    RecordReader(const std::uint8_t* data, std::size_t size) : ByteReader({data, size}) {}

    std::uint8_t ReadU8(const char* what) { return TakeU8(what); }
    std::uint32_t ReadU32(const char* what) { return TakeU32(what); }
    std::int32_t ReadI32(const char* what) { return static_cast<std::int32_t>(TakeU32(what)); }
    double ReadF64(const char* what);
    // A 32-bit byte count and the bytes; the text is what precedes the first NUL among them.
    std::string ReadString(const char* what);
    void ReadBytes(void* out, std::size_t count, const char* what);
    // A count of items that each take at least minItemSize bytes; refuses counts that the
    // remaining input cannot hold, which bounds every allocation by the input size.
    std::uint32_t ReadCount(const char* what, std::size_t minItemSize);
    // Some records stand for more than they hold (a binding stands for every cell of its
    // range). Each charges what it stands for; false once the charges together pass limit, so
    // however often a small input repeats such records, what is built from it stays bounded.
    bool Charge(std::size_t items, std::size_t limit);

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
    [[noreturn]] void Truncated(std::size_t count, std::string_view field) const override;

    int depth_ = 0;
    std::size_t charged_ = 0;
};

class RecordWriter {
public:
    void WriteU8(std::uint8_t v) { bytes_.push_back(v); }
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteF64(double v);
    void WriteString(const std::string& text);
    void WriteBytes(const void* data, std::size_t count);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

    // What the records written stand for, charged as RecordReader::Charge will charge them,
    // so that a writer can refuse what its reader would.
    void Charge(std::size_t items) { charged_ += items; }
    std::size_t Charged() const { return charged_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t charged_ = 0;
};

} // namespace base
