#include "base/RecordStream.h"

#include "base/ModelError.h"

#include <bit>
#include <cstring>

namespace base {

void RecordReader::Fail(const char* what, const std::string& why) const
{
    throw ModelError(std::string("reading ") + what + " at offset " + std::to_string(Offset()) + ": " + why);
}

void RecordReader::Truncated(std::size_t count, std::string_view field) const
{
    Fail(std::string(field).c_str(), "truncated (needs " + std::to_string(count) + " bytes, " +
                                         std::to_string(Remaining()) + " left)");
}

double RecordReader::ReadF64(const char* what)
{
    return std::bit_cast<double>(TakeU64(what));
}

std::string RecordReader::ReadString(const char* what)
{
    std::uint32_t length = ReadU32(what);
    auto bytes = Take(length, what);
    const char* p = reinterpret_cast<const char*>(bytes.data());
    return std::string(p, strnlen(p, bytes.size()));
}

void RecordReader::ReadBytes(void* out, std::size_t count, const char* what)
{
    auto bytes = Take(count, what);
    if (count > 0) {
        std::memcpy(out, bytes.data(), count);
    }
}

std::uint32_t RecordReader::ReadCount(const char* what, std::size_t minItemSize)
{
    std::uint32_t count = ReadU32(what);
    if (minItemSize > 0 && count > Remaining() / minItemSize) {
        Fail(what, "count " + std::to_string(count) + " exceeds the remaining data");
    }
    return count;
}

bool RecordReader::Charge(std::size_t items, std::size_t limit)
{
    if (items > limit || charged_ > limit - items) {
        return false;
    }
    charged_ += items;
    return true;
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
        bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void RecordWriter::WriteF64(double v)
{
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        bytes_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
}

void RecordWriter::WriteString(const std::string& text)
{
    WriteU32(static_cast<std::uint32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

void RecordWriter::WriteBytes(const void* data, std::size_t count)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

} // namespace base
