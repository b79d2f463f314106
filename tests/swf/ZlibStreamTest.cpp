#include "swf/ZlibStream.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

// Text that repeats with variations, like a movie's scripts, with a stretch of noise in it.
Bytes ScriptLikeData(std::size_t size)
{
    Bytes data;
    std::mt19937 random(7);
    while (data.size() < size) {
        std::string line =
            "V" + std::to_string(random() % 5000) + "=kvAdd(V" + std::to_string(data.size()) + ");";
        data.insert(data.end(), line.begin(), line.end());
        if (data.size() % 7 == 0)
            for (int i = 0; i < 300; ++i)
                data.push_back(static_cast<uint8_t>(random()));
    }
    data.resize(size);
    return data;
}

Bytes Inflated(const Bytes& stream, std::size_t size)
{
    Bytes out(size + 1);
    uLongf produced = out.size();
    uLong consumed = stream.size();
    EXPECT_EQ(uncompress2(out.data(), &produced, stream.data(), &consumed), Z_OK);
    EXPECT_EQ(consumed, stream.size()) << "bytes after the end of the stream";
    out.resize(produced);
    return out;
}

// The pieces join into one valid stream at every size around their borders, with the bytes
// before it kept, and the stream is the same whatever the number of threads.
TEST(ZlibStreamTest, PiecesJoinIntoOneStreamWhateverTheThreads)
{
    const std::size_t piece = swf::kDeflatePieceBytes;
    for (std::size_t size : {std::size_t(0), std::size_t(1), piece - 1, piece, piece + 1, 5 * piece + 123}) {
        SCOPED_TRACE(size);
        Bytes data = ScriptLikeData(size);
        Bytes single{'C', 'W', 'S'};
        swf::AppendZlibStream(single, data, 1);
        ASSERT_EQ(Bytes(single.begin(), single.begin() + 3), (Bytes{'C', 'W', 'S'}));
        single.erase(single.begin(), single.begin() + 3);
        EXPECT_EQ(Inflated(single, size), data);
        Bytes parallel;
        swf::AppendZlibStream(parallel, data, 4);
        EXPECT_EQ(parallel, single);
    }
}

// Deflating in pieces must not cost the compression that one pass at level 9 gets.
TEST(ZlibStreamTest, CompressesAsWellAsOnePass)
{
    Bytes data = ScriptLikeData(8 * swf::kDeflatePieceBytes);
    Bytes stream;
    swf::AppendZlibStream(stream, data);
    uLongf onePass = compressBound(data.size());
    Bytes packed(onePass);
    ASSERT_EQ(compress2(packed.data(), &onePass, data.data(), data.size(), 9), Z_OK);
    EXPECT_LE(stream.size(), onePass + onePass / 100);
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], 0xDA);
}

} // namespace
