// Importing a picture or a movie into a background component: what is accepted, what the
// component's external-file group learns, and what the user is told.

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/ExternalFileImport.h"
#include "publish/TempFiles.h"
#include "tests/pages/MovieSamples.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"
#include "tests/swf/JpegSamples.h"

#include <filesystem>
#include <fstream>

using model::ParamType;

namespace {

using pagetest::MovieBytes;

class ExternalFileImportTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (const char* key : {"pathName", "fileName", "bgType"})
            group.Add(std::make_unique<CParameter>(key, ParamType::Text));
        group.Add(std::make_unique<CParameter>("bgWidth", ParamType::Number));
        group.Add(std::make_unique<CParameter>("bgHeight", ParamType::Number));
        group.Add(std::make_unique<CParameter>("bgColor", ParamType::Color));
        auto embed = std::make_unique<CParameter>("embed", ParamType::Boolean);
        embed->SetBool(true);
        group.Add(std::move(embed));
    }
    void TearDown() override
    {
        temporaries.RemoveAll();
        UiTest::TearDown();
    }
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        testsupport::WriteBytes(dir / name, bytes);
        return (dir / name).string();
    }
    pages::ExternalFileImportResult Import(const std::string& path)
    {
        return pages::ImportExternalFile(path, group, temporaries, tip, nullptr);
    }
    std::string Text(const char* key) { return group.FindParameter(key)->GetValueText(); }

    testsupport::TempDir dir;
    CParameterSet group;
    publish::CDefaultTempFiles temporaries;
    pages::SwfImportTip tip;
};

TEST_F(ExternalFileImportTest, AMovieGivesItsSizeAndColourAndIsCopied)
{
    const std::string path = Write("intro.swf", MovieBytes(6, false));
    auto result = Import(path);
    ASSERT_TRUE(result.imported);
    EXPECT_FALSE(result.ours);
    EXPECT_EQ(Text("bgType"), "swf");
    EXPECT_EQ(Text("bgWidth"), "200");
    EXPECT_EQ(Text("bgHeight"), "150");
    EXPECT_EQ(group.FindParameter("bgColor")->GetColor(), 0x336699u);
    EXPECT_EQ(Text("embed"), "true");
    const std::string copy = Text("fileName");
    EXPECT_NE(copy, path);
    EXPECT_EQ(testsupport::ReadBytes(copy), testsupport::ReadBytes(path));
}

TEST_F(ExternalFileImportTest, OurOwnMovieIsWarnedAboutAndNotEmbedded)
{
    boxes->Answer(IDOK);
    auto result = Import(Write("published.swf", MovieBytes(6, true)));
    ASSERT_TRUE(result.imported);
    EXPECT_TRUE(result.ours);
    EXPECT_EQ(Text("embed"), "false");
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].caption, "Warning");
    EXPECT_NE(boxes->Log()[0].text.find("created by Vantorel"), std::string::npos);
}

TEST_F(ExternalFileImportTest, RefusedFilesLeaveTheGroupAsItWas)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* message; // the start of what the user is told
    };
    const Case cases[] = {
        {"newer.swf", MovieBytes(8, false), "Vantorel supports importing of Macromedia Flash (SWF) files of version 6"},
        {"broken.swf", {'F', 'W', 'S', 6, 1, 2}, "This .swf file cannot be read"},
        {"text.jpg", {'h', 'e', 'l', 'l', 'o'}, "Error reading jpg file"},
        // The right first bytes are not enough: the picture must be readable.
        {"cut.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00}, "Error reading jpg file"},
        // Only "jpg", "JPG" and "swf" are known, spelt exactly so.
        {"mixed.Jpg", testsupport::MakeJpeg(4, 4), "Vantorel supports importing of jpegs"},
        {"upper.SWF", MovieBytes(6, false), "Vantorel supports importing of jpegs"},
        {"noextension", MovieBytes(6, false), "Vantorel supports importing of jpegs"},
    };
    for (const Case& c : cases) {
        boxes->Clear();
        boxes->Answer(IDOK);
        auto result = Import(Write(c.name, c.bytes));
        EXPECT_FALSE(result.imported) << c.name;
        ASSERT_EQ(boxes->Log().size(), 1u) << c.name;
        EXPECT_EQ(boxes->Log()[0].text.rfind(c.message, 0), 0u) << c.name << ": " << boxes->Log()[0].text;
        EXPECT_EQ(boxes->Log()[0].caption, "Error");
        EXPECT_EQ(Text("fileName"), "") << c.name;
        EXPECT_EQ(Text("bgType"), "") << c.name;
    }
    // No copy of a refused file stays behind.
    for (const auto& file : temporaries.Files())
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
}

TEST_F(ExternalFileImportTest, APictureIsStoredAsBaseline)
{
    const std::string path = Write("photo.JPG", testsupport::MakeJpeg(16, 8, true));
    ASSERT_TRUE(Import(path).imported);
    EXPECT_EQ(Text("bgType"), "jpg");
    const auto copy = testsupport::ReadBytes(Text("fileName"));
    ASSERT_GE(copy.size(), 2u);
    EXPECT_EQ(copy[0], 0xFF);
    EXPECT_EQ(copy[1], 0xD8);
}

TEST_F(ExternalFileImportTest, TheTipComesOnTheFourthMovieOncePerDocument)
{
    const std::string path = Write("clip.swf", MovieBytes(5, false));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Import(path).imported);
    EXPECT_TRUE(boxes->Log().empty());
    boxes->Answer(IDOK);
    ASSERT_TRUE(Import(path).imported);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text.rfind("Tip: More than three active swfs", 0), 0u);
    for (int i = 0; i < 3; ++i)
        Import(path);
    EXPECT_EQ(boxes->Log().size(), 1u);
    // A new document starts counting again.
    tip.Reset();
    for (int i = 0; i < 3; ++i)
        Import(path);
    boxes->Answer(IDOK);
    Import(path);
    EXPECT_EQ(boxes->Log().size(), 2u);
}

} // namespace
