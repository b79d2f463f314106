#include "model/RecordStream.h"

#include "model/ModelError.h"

#include <cstring>

namespace model {

void RecordReader::Fail(const char* what, const std::string& why) const
{
    throw ModelError(std::string("reading ") + what + " at offset " + std::to_string(offset_) + ": " + why);
}

void RecordReader::Need(std::size_t count, const char* what) const
{
    if (count > size_ - offset_) {
        Fail(what, "truncated (needs " + std::to_string(count) + " bytes, " +
                       std::to_string(size_ - offset_) + " left)");
    }
}

std::uint8_t RecordReader::ReadU8(const char* what)
{
    Need(1, what);
    return data_[offset_++];
}

std::uint32_t RecordReader::ReadU32(const char* what)
{
    Need(4, what);
    const unsigned char* p = data_ + offset_;
    offset_ += 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t RecordReader::ReadI32(const char* what)
{
    return static_cast<std::int32_t>(ReadU32(what));
}

double RecordReader::ReadF64(const char* what)
{
    Need(8, what);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = bits << 8 | data_[offset_ + i];
    }
    offset_ += 8;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string RecordReader::ReadString(const char* what)
{
    std::uint32_t length = ReadU32(what);
    Need(length, what);
    const char* p = reinterpret_cast<const char*>(data_ + offset_);
    offset_ += length;
    return std::string(p, strnlen(p, length));
}

void RecordReader::ReadBytes(void* out, std::size_t count, const char* what)
{
    Need(count, what);
    if (count > 0) {
        std::memcpy(out, data_ + offset_, count);
    }
    offset_ += count;
}

std::uint32_t RecordReader::ReadCount(const char* what, std::size_t minItemSize)
{
    std::uint32_t count = ReadU32(what);
    if (minItemSize > 0 && count > (size_ - offset_) / minItemSize) {
        Fail(what, "count " + std::to_string(count) + " exceeds the remaining data");
    }
    return count;
}

RecordReader::DepthGuard::DepthGuard(RecordReader& reader, const char* what) : reader_(reader)
{
    if (++reader_.depth_ > kMaxDepth) {
        --reader_.depth_;
        reader_.Fail(what, "nested too deeply");
    }
}

void RecordWriter::WriteU32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        bytes_.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
}

void RecordWriter::WriteF64(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) {
        bytes_.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    }
}

void RecordWriter::WriteString(const std::string& text)
{
    WriteU32(static_cast<std::uint32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

void RecordWriter::WriteBytes(const void* data, std::size_t count)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

} // namespace model
