#include "base/ModelError.h"
#include "base/RecordStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using base::RecordReader;
using base::RecordWriter;

namespace {

std::string FailureOf(const std::vector<std::uint8_t>& bytes, void (*read)(RecordReader&))
{
    RecordReader in(bytes);
    try {
        read(in);
    } catch (const ModelError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(RecordStream, ValuesRoundTripLittleEndian)
{
    RecordWriter out;
    out.WriteU8(7);
    out.WriteI32(-2);
    out.WriteF64(0.1);
    out.WriteString(std::string("a\0b", 3));
    EXPECT_EQ(std::vector<std::uint8_t>(out.Bytes().begin() + 1, out.Bytes().begin() + 5),
              (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));

    RecordReader in(out.Bytes());
    EXPECT_EQ(in.ReadU8("kind"), 7);
    EXPECT_EQ(in.ReadI32("place"), -2);
    EXPECT_EQ(in.ReadF64("value"), 0.1);
    // The text ends at the first NUL; the bytes after it are still consumed.
    EXPECT_EQ(in.ReadString("name"), "a");
    EXPECT_TRUE(in.AtEnd());
}

TEST(RecordStream, DamagedLengthsFailNamingTheFieldAndOffset)
{
    // A string claiming more bytes than remain.
    const std::string truncated =
        FailureOf({1, 0, 0, 0, 200, 0, 0, 0, 'x'}, [](RecordReader& in) {
            in.ReadU32("version");
            in.ReadString("sheet name");
        });
    EXPECT_NE(truncated.find("sheet name"), std::string::npos) << truncated;
    EXPECT_NE(truncated.find("offset 8"), std::string::npos) << truncated;

    // A count of 8-byte items that the two remaining bytes cannot hold is refused before any
    // allocation is made for it.
    const std::string hostileCount =
        FailureOf({0xFF, 0xFF, 0xFF, 0x7F, 1, 2}, [](RecordReader& in) { in.ReadCount("cells", 8); });
    EXPECT_NE(hostileCount.find("exceeds the remaining data"), std::string::npos) << hostileCount;
}

TEST(RecordStream, NestingIsBoundedAndUnwinds)
{
    const std::vector<std::uint8_t> none;
    RecordReader in(none);
    std::vector<std::unique_ptr<RecordReader::DepthGuard>> open;
    for (int i = 0; i < RecordReader::kMaxDepth; ++i)
        open.push_back(std::make_unique<RecordReader::DepthGuard>(in, "set"));
    EXPECT_THROW(RecordReader::DepthGuard(in, "set"), ModelError);
    open.pop_back();
    EXPECT_NO_THROW(RecordReader::DepthGuard(in, "set"));
}
