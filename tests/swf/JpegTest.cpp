#include "swf/SwfJpeg.h"
#include "swf/SwfTrace.h"
#include "tests/support/TestSupport.h"
#include "tests/swf/JpegSamples.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <sys/resource.h>

namespace {

using Bytes = std::vector<uint8_t>;

using testsupport::MakeJpeg;

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool HasMarker(const Bytes& jpeg, uint8_t marker)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return true;
    return false;
}

class JpegTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        swf::SetTraceSink([this](std::string_view line) { trace.emplace_back(line); });
    }
    void TearDown() override { swf::SetTraceSink({}); }
    std::vector<std::string> trace;
};

TEST_F(JpegTest, ScanGivesTheSize)
{
    Bytes jpeg = MakeJpeg(37, 21, true);
    int width = 0, height = 0;
    ASSERT_TRUE(ScanJpegStream(jpeg.data(), jpeg.size(), width, height));
    EXPECT_EQ(width, 37);
    EXPECT_EQ(height, 21);
    // The empty EOI/SOI pair some movie tools put in front.
    Bytes prefixed = {0xFF, 0xD9, 0xFF, 0xD8};
    prefixed.insert(prefixed.end(), jpeg.begin() + 2, jpeg.end());
    ASSERT_TRUE(ScanJpegStream(prefixed.data(), prefixed.size(), width, height));
    EXPECT_EQ(width, 37);
    EXPECT_TRUE(trace.empty());
}

TEST_F(JpegTest, BrokenStreamsAreReported)
{
    Bytes jpeg = MakeJpeg(8, 8, false);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"not a jpeg", {0x89, 'P', 'N', 'G'}},
        {"only the start", {0xFF, 0xD8}},
        {"cut in the headers", Bytes(jpeg.begin(), jpeg.begin() + 30)},
        {"segment longer than the stream", {0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF, 0}},
        {"scan before any frame", {0xFF, 0xD8, 0xFF, 0xDA, 0, 2}},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        int width = -1, height = -1;
        trace.clear();
        EXPECT_FALSE(ScanJpegStream(bytes.data(), bytes.size(), width, height));
        EXPECT_EQ(width, -1);
        EXPECT_EQ(trace, std::vector<std::string>{"Error reading jpeg stream"});
    }
}

TEST_F(JpegTest, ConvertsProgressiveToBaselineLosslessly)
{
    testsupport::TempDir dir;
    Bytes progressive = MakeJpeg(40, 30, true);
    ASSERT_TRUE(HasMarker(progressive, 0xC2));
    testsupport::WriteBytes(dir / "in.jpg", progressive);
    ASSERT_TRUE(ConvertJpegToBaseline(dir / "in.jpg", dir / "out.jpg"));
    Bytes baseline = testsupport::ReadBytes(dir / "out.jpg");
    EXPECT_FALSE(HasMarker(baseline, 0xC2));
    int width = 0, height = 0;
    ASSERT_TRUE(ScanJpegStream(baseline.data(), baseline.size(), width, height));
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
    // Converting the baseline again changes nothing: the coefficients were kept.
    ASSERT_TRUE(ConvertJpegToBaseline(dir / "out.jpg", dir / "again.jpg"));
    EXPECT_EQ(testsupport::ReadBytes(dir / "again.jpg"), baseline);
}

TEST_F(JpegTest, FailedConversionLeavesNoFileAndKeepsTheProcess)
{
    testsupport::TempDir dir;
    EXPECT_FALSE(ConvertJpegToBaseline(dir / "missing.jpg", dir / "out.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
    Bytes jpeg = MakeJpeg(16, 16, false);
    testsupport::WriteBytes(dir / "cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + 40));
    EXPECT_FALSE(ConvertJpegToBaseline(dir / "cut.jpg", dir / "out.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
    testsupport::WriteBytes(dir / "half.jpg", Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
    EXPECT_FALSE(ConvertJpegToBaseline(dir / "half.jpg", dir / "out.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
    // A header claiming a huge picture: refused before libjpeg allocates its coefficients.
    Bytes huge = jpeg;
    for (size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0x4E; // 20000 x 20000
            huge[i + 6] = huge[i + 8] = 0x20;
            break;
        }
    testsupport::WriteBytes(dir / "huge.jpg", huge);
    int width = 0, height = 0;
    ASSERT_TRUE(ScanJpegStream(huge.data(), huge.size(), width, height));
    ASSERT_EQ(width, 20000);
    long before = PeakKilobytes();
    EXPECT_FALSE(ConvertJpegToBaseline(dir / "huge.jpg", dir / "out.jpg"));
    EXPECT_LT(PeakKilobytes() - before, 256 * 1024);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
    testsupport::WriteBytes(dir / "junk.jpg", Bytes(100, 0x42));
    EXPECT_FALSE(ConvertJpegToBaseline(dir / "junk.jpg", dir / "out.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
}

} // namespace
