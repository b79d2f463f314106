#include "publish/AssetExport.h"

#include "model/ComponentCatalog.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/DocData.h"
#include "publish/ProgramContext.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WatchedChild.h"
#include "tests/swf/JpegSamples.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace {

struct Tag {
    uint16_t code;
    std::vector<uint8_t> body;
};

std::vector<Tag> Written(CSwfMovie& movie)
{
    swf::Writer out;
    movie.Write(out);
    std::vector<Tag> tags;
    swf::ForEachTag(out.Data(), 0, [&](uint16_t code, std::span<const uint8_t> body, bool, size_t) {
        tags.push_back({code, std::vector<uint8_t>(body.begin(), body.end())});
    });
    return tags;
}

std::size_t Count(const std::vector<Tag>& tags, uint16_t code)
{
    return std::count_if(tags.begin(), tags.end(), [code](const Tag& t) { return t.code == code; });
}

// A movie of the given version with a frame rectangle 0..width twips and one placed clip.
std::vector<uint8_t> UserMovie(int32_t width, uint8_t version)
{
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(0x11, 0x22, 0x33));
    auto clip = std::make_unique<CSwfSprite>(5, 1, false);
    clip->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(clip));
    movie.AddTag(std::make_unique<CSwfPlaceObject2>(1, 5, CSwfMatrix(), "inner"));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    std::vector<uint8_t> bytes = movie.WriteBytes(width, 2000, 30, false);
    bytes[3] = version;
    return bytes;
}

class AssetExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteComponentFixture(dir.path(), {"KVTestImageSymbol"});
        auto made = std::make_unique<CComponentCatalog>();
        ASSERT_TRUE(made->Load(dir.path()));
        catalog = made.get();
        context.SetCatalog(std::move(made));
        context.SetTraceSink([](std::string_view) {});
        use.emplace(context);
        testsupport::WriteBytes(dir / "logo.jpg", testsupport::MakeJpeg(30, 20));
        fs::create_directories(dir / "other");
        testsupport::WriteBytes(dir / "other" / "logo.jpg", testsupport::MakeJpeg(8, 8));
    }
    void TearDown() override { use.reset(); }

    // A component whose external-file group names pathName; fileName is the file to read.
    CParameterSet& AddImage(const std::string& pathName, bool embed, const std::string& fileName = "",
                            bool withBgType = true)
    {
        owned.push_back(catalog->FindByTypeName("KVTestImageSymbol")->CreateInstance());
        auto record = std::make_unique<CObjectRecord>();
        record->components.push_back(owned.back().get());
        doc.AddComponent(std::move(record));
        CParameterSet& set = *owned.back()->GetParameters()->FindParameter("Media")->GetSet();
        auto add = [&set](const char* name, model::ParamType type) {
            return set.Add(std::make_unique<CParameter>(name, type));
        };
        add("pathName", model::ParamType::Text)->SetString(pathName);
        set.FindParameter("fileName")->SetString(fileName.empty() ? pathName : fileName);
        add("embed", model::ParamType::Integer)->SetInt(embed ? 1 : 0);
        add("clipName", model::ParamType::Text);
        if (withBgType)
            add("bgType", model::ParamType::Text)->SetString("none");
        add("bgWidth", model::ParamType::Number);
        add("bgHeight", model::ParamType::Number);
        add("bgColor", model::ParamType::Color);
        return set;
    }

    publish::AssetExportResult Export(const fs::path& output)
    {
        return publish::ExportDocumentAssets(output, movie, doc, ids);
    }

    static std::string Text(CParameterSet& set, const char* name) { return set.FindParameter(name)->GetValueText(); }

    testsupport::TempDir dir;
    CProgramContext context;
    std::optional<CProgramContext::Scope> use;
    CComponentCatalog* catalog = nullptr;
    std::vector<std::unique_ptr<CComponent>> owned;
    CDocData doc;
    CSwfOutputMovie movie;
    swf::IdCounter ids{100};
};

TEST_F(AssetExportTest, OneFileEmbeddedTwiceAndCopiedOnceIsExportedOnceEachWay)
{
    const std::string logo = (dir / "logo.jpg").string();
    CParameterSet& first = AddImage(logo, true);
    CParameterSet& second = AddImage(logo, true);
    CParameterSet& copied = AddImage(logo, false);
    publish::AssetExportResult result = Export(dir / "report.swf");
    EXPECT_TRUE(result.problems.empty());
    EXPECT_TRUE(result.externalAssets);

    std::vector<Tag> tags = Written(movie);
    EXPECT_EQ(Count(tags, 21), 1u);
    EXPECT_EQ(Text(first, "clipName"), Text(second, "clipName"));
    EXPECT_EQ(Text(first, "clipName").rfind("embed_", 0), 0u);
    EXPECT_EQ(Text(first, "bgType"), "jpg");
    EXPECT_EQ(Text(second, "bgType"), "jpg");
    // The picture's sprite closes its frame: ShowFrame, then End.
    auto sprite = std::find_if(tags.begin(), tags.end(), [](const Tag& t) { return t.code == 39; });
    ASSERT_NE(sprite, tags.end());
    EXPECT_EQ(std::vector<uint8_t>(sprite->body.end() - 4, sprite->body.end()), (std::vector<uint8_t>{0x40, 0, 0, 0}));
    // The shape spans the picture: 30 x 20 pixels.
    auto shape = std::find_if(tags.begin(), tags.end(), [](const Tag& t) { return t.code == 2; });
    ASSERT_NE(shape, tags.end());

    EXPECT_EQ(Text(copied, "fileName"), "report/logo.jpg");
    EXPECT_EQ(testsupport::ReadBytes(dir / "report" / "logo.jpg"), testsupport::ReadBytes(logo));
}

TEST_F(AssetExportTest, CopiesKeepApartSourcesOfOneNameAndNameTheFolderAfterTheMovie)
{
    CParameterSet& a = AddImage("C:\\pictures\\logo.jpg", false, (dir / "logo.jpg").string());
    CParameterSet& b = AddImage("C:\\elsewhere\\logo.jpg", false, (dir / "other" / "logo.jpg").string());
    CParameterSet& again = AddImage("C:\\pictures\\logo.jpg", false, (dir / "logo.jpg").string());
    EXPECT_TRUE(Export(dir / "movie").problems.empty());
    EXPECT_EQ(Text(a, "fileName"), "movie/logo.jpg");
    EXPECT_EQ(Text(b, "fileName"), "movie/logo-2.jpg");
    EXPECT_EQ(Text(again, "fileName"), "movie/logo.jpg");
    EXPECT_EQ(testsupport::ReadBytes(dir / "movie" / "logo-2.jpg"), testsupport::ReadBytes(dir / "other" / "logo.jpg"));
    EXPECT_EQ(testsupport::ReadBytes(dir / "movie" / "logo.jpg"), testsupport::ReadBytes(dir / "logo.jpg"));
}

TEST_F(AssetExportTest, WhatCannotBeExportedIsReportedAndLeavesTheRecord)
{
    testsupport::WriteBytes(dir / "broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00});
    CParameterSet& missingCopy = AddImage("C:\\gone\\missing.jpg", false, (dir / "missing.jpg").string());
    CParameterSet& broken = AddImage((dir / "broken.jpg").string(), true);
    CParameterSet& png = AddImage((dir / "logo.png").string(), true);
    CParameterSet& wrongCase = AddImage((dir / "logo.Jpg").string(), true);
    CParameterSet& noType = AddImage((dir / "logo.jpg").string(), true, "", false);
    publish::AssetExportResult result = Export(dir / "out.swf");

    EXPECT_EQ(result.problems.size(), 4u);
    EXPECT_EQ(Text(missingCopy, "fileName"), (dir / "missing.jpg").string());
    EXPECT_EQ(Text(missingCopy, "bgType"), "jpg");
    EXPECT_EQ(Text(broken, "clipName"), "");
    EXPECT_EQ(Text(png, "bgType"), "none");
    EXPECT_EQ(Text(wrongCase, "bgType"), "none");
    EXPECT_EQ(Text(noType, "clipName").rfind("embed_", 0), 0u);
    EXPECT_EQ(Count(Written(movie), 21), 1u);
}

// The folder beside the movie is made for the copies; when none of them can be written there,
// the publication does not leave it behind empty. A folder that was there already stays.
TEST_F(AssetExportTest, AFolderMadeForCopiesThatAllFailIsNotLeftEmpty)
{
    const std::string tooLong = "C:\\pictures\\" + std::string(300, 'p') + ".jpg";
    AddImage(tooLong, false, (dir / "logo.jpg").string());
    publish::AssetExportResult result = Export(dir / "out.swf");
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "out"));

    fs::create_directories(dir / "kept");
    EXPECT_EQ(Export(dir / "kept.swf").problems.size(), 1u);
    EXPECT_TRUE(fs::is_directory(dir / "kept"));
}

TEST_F(AssetExportTest, ProgressivePictureIsEmbeddedAsBaseline)
{
    testsupport::WriteBytes(dir / "progressive.jpg", testsupport::MakeJpeg(16, 16, true));
    AddImage((dir / "progressive.jpg").string(), true);
    EXPECT_TRUE(Export(dir / "out.swf").problems.empty());
    std::vector<Tag> tags = Written(movie);
    auto picture = std::find_if(tags.begin(), tags.end(), [](const Tag& t) { return t.code == 21; });
    ASSERT_NE(picture, tags.end());
    const std::vector<uint8_t> sof2 = {0xFF, 0xC2};
    EXPECT_EQ(std::search(picture->body.begin(), picture->body.end(), sof2.begin(), sof2.end()), picture->body.end());
}

TEST_F(AssetExportTest, ProgressivePictureLeavesTheFilesBesideItAlone)
{
    testsupport::WriteBytes(dir / "progressive.jpg", testsupport::MakeJpeg(16, 16, true));
    // A user's own file where a converter might put its copy, and a link another user planted.
    testsupport::WriteBytes(dir / "progressive.jpg.baseline.jpg", {'m', 'i', 'n', 'e'});
    testsupport::WriteBytes(dir / "victim.txt", {'v'});
    testsupport::WriteBytes(dir / "linked.jpg", testsupport::MakeJpeg(16, 16, true));
    fs::create_symlink(dir / "victim.txt", dir / "linked.jpg.baseline.jpg");
    AddImage((dir / "progressive.jpg").string(), true);
    AddImage((dir / "linked.jpg").string(), true);
    EXPECT_TRUE(Export(dir / "out.swf").problems.empty());
    EXPECT_EQ(testsupport::ReadBytes(dir / "progressive.jpg.baseline.jpg"), (std::vector<unsigned char>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(testsupport::ReadBytes(dir / "victim.txt"), std::vector<unsigned char>{'v'});
    EXPECT_TRUE(fs::is_symlink(dir / "linked.jpg.baseline.jpg"));
}

// A document names the files to copy beside the movie: whatever they are, only a picture or an
// old enough movie is copied, and a FIFO or device does not hold the publication up.
TEST_F(AssetExportTest, CopiesAreOnlyWhatTheirNamesSayAndNothingBlocks)
{
    testsupport::WriteBytes(dir / "secret.txt", {'r', 'o', 'o', 't', ':', 'x', ':', '0'});
    testsupport::WriteBytes(dir / "new.swf", UserMovie(2000, 9));
    testsupport::WriteBytes(dir / "old.swf", UserMovie(2000, 6));
    mkfifo((dir / "fifo.jpg").c_str(), 0600);
    struct Case {
        std::string pathName;
        std::string source;
        std::string problem; // empty: copied
    };
    const Case cases[] = {
        {"logo.jpg", (dir / "secret.txt").string(), "is not a JPEG picture"},
        {"clip.swf", (dir / "secret.txt").string(), "is not a movie of version 6 or older"},
        {"new.swf", (dir / "new.swf").string(), "is not a movie of version 6 or older"},
        {"fifo.jpg", (dir / "fifo.jpg").string(), "not a regular file)"},
        {"null.jpg", "/dev/zero", "not a regular file)"},
        {"old.swf", (dir / "old.swf").string(), ""},
    };
    for (const Case& c : cases)
        AddImage(c.pathName, false, c.source);
    const testsupport::Outcome outcome = testsupport::RunWatched([&] {
        std::string report;
        for (const std::string& problem : Export(dir / "out.swf").problems)
            report += problem + "\n";
        return report;
    });
    ASSERT_FALSE(outcome.tooSlow);
    ASSERT_FALSE(outcome.tooLarge);
    for (const Case& c : cases) {
        if (c.problem.empty()) {
            EXPECT_TRUE(fs::exists(dir / "out" / c.pathName)) << c.pathName;
            continue;
        }
        EXPECT_NE(outcome.report.find(c.pathName + ": " + c.source), std::string::npos) << outcome.report;
        EXPECT_NE(outcome.report.find(c.problem + "; the asset is left out"), std::string::npos) << c.pathName;
        EXPECT_FALSE(fs::exists(dir / "out" / c.pathName)) << c.pathName;
    }
}

TEST_F(AssetExportTest, EmbeddedMovieBecomesASpriteOfItsTimelineAndNewerMoviesAreRefused)
{
    testsupport::WriteBytes(dir / "clip.swf", UserMovie(11999, 6));
    testsupport::WriteBytes(dir / "new.swf", UserMovie(2000, 9));
    CParameterSet& clip = AddImage((dir / "clip.swf").string(), true);
    CParameterSet& newer = AddImage((dir / "new.swf").string(), true);
    publish::AssetExportResult result = Export(dir / "out.swf");

    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find("version 9"), std::string::npos);
    EXPECT_EQ(Text(newer, "clipName"), "");
    EXPECT_EQ(Text(clip, "bgType"), "swf");
    EXPECT_EQ(clip.FindParameter("bgWidth")->GetDouble(), 600);
    EXPECT_EQ(clip.FindParameter("bgColor")->GetColor(), 0x112233u);
    // The user's clip definition, the new sprite holding the placement and frame, its export;
    // the user's background colour stays out.
    std::vector<Tag> tags = Written(movie);
    EXPECT_EQ(Count(tags, 9), 0u);
    EXPECT_EQ(Count(tags, 39), 2u);
    EXPECT_EQ(Count(tags, 26), 0u);
    EXPECT_EQ(tags.back().code, 56);
}

} // namespace
