#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/LoadDataMovie.h"
#include "publish/ScenarioMovie.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTrace.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Bytes = std::vector<uint8_t>;

using publishtest::TagCodes;
using publishtest::WrittenTag;
using publishtest::WrittenTags;
using RawTag = WrittenTag;

// A frame script whose constant pool and constant push must pass through as they are.
const Bytes kScript = {0x88, 0x07, 0x00, 0x02, 0x00, 'x', 0x00, 'y', 0x00, 0x00, // pool x, y
                       0x96, 0x02, 0x00, 0x08, 0x01,                             // push constant 1
                       0x17, 0x00};                                              // pop, end

// Shape 1 drawn by sprite 2, which is exported as "clip" with its initialisation and placed at
// the top level; shape 3 is unrelated to the clip.
const std::vector<RawTag> kClipAsset = {
    {2, {1, 0, 0x00, 1, 0x41, 0xFF, 0xFF, 0x00, 0, 0x10, 0x00}},
    {39, {2, 0, 1, 0, /*PlaceObject2*/ 0x85, 0x06, 0x02, 1, 0, 1, 0, /*ShowFrame*/ 0x40, 0x00, 0, 0}},
    {56, {1, 0, 2, 0, 'c', 'l', 'i', 'p', 0}},
    {59, {2, 0, 0x07, 0x00}},
    {26, {0x02, 1, 0, 2, 0}},
    {2, {3, 0, 0x00, 1, 0x41, 0xFF, 0xFF, 0x00, 0, 0x10, 0x00}},
    {1, {}},
};

class SubMovies : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "asset");
        swf::SetTraceSink([this](std::string_view line) { traces.emplace_back(line); });
    }
    void TearDown() override { swf::SetTraceSink({}); }

    void WriteAsset(const char* name, const std::vector<RawTag>& tags)
    {
        CSwfOutputMovie movie;
        for (const RawTag& tag : tags)
            movie.AddTag(std::make_unique<CSwfRawTag>(tag.code, tag.body));
        movie.WriteFile(dir.path() / "asset" / name, 2000, 2000, 30, true, /*encipher=*/true);
    }

    testsupport::TempDir dir;
    swf::IdCounter ids{1};
    CExportSettings settings;
    std::vector<std::string> traces;
};

// Frames, frame labels and exports: the frame accounting of the movie builder and the data
// query rely on this shape of the sub-movies.
std::vector<std::string> Outline(const std::vector<WrittenTag>& tags)
{
    std::vector<std::string> outline;
    for (const WrittenTag& tag : tags) {
        auto text = [&](std::size_t from) {
            return std::string(tag.body.begin() + from, std::find(tag.body.begin() + from, tag.body.end(), 0));
        };
        if (tag.code == 1)
            outline.push_back("frame");
        else if (tag.code == 43)
            outline.push_back("label " + text(0));
        else if (tag.code == 56)
            outline.push_back("export " + text(4));
    }
    return outline;
}

TEST_F(SubMovies, LoadDataPassesScriptsThroughAndScenarioShowsAFrameFirst)
{
    WriteAsset(CLoadDataMovie::kAssetName, {{12, kScript}, {1, {}}});
    WriteAsset(CScenarioMovie::kAssetName, {{12, kScript}, {1, {}}});
    CLoadDataMovie loadData(dir.path(), ids);
    std::vector<RawTag> tags = WrittenTags(loadData);
    ASSERT_EQ(TagCodes(tags), (std::vector<uint16_t>{12, 1}));
    EXPECT_EQ(tags[0].body, kScript);
    CScenarioMovie scenario(dir.path(), ids);
    EXPECT_EQ(TagCodes(WrittenTags(scenario)), (std::vector<uint16_t>{1, 12, 1}));
}

TEST_F(SubMovies, MissingOrBrokenAssetsLeaveEmptySubMovies)
{
    for (bool broken : {false, true}) {
        if (broken) {
            for (const char* name : {"loaddata.dat", "scenario.dat", "collab.dat"})
                std::ofstream(dir.path() / "asset" / name) << std::string(100, 'x');
        }
        CLoadDataMovie loadData(dir.path(), ids);
        CScenarioMovie scenario(dir.path(), ids);
        CCollabMovie collab(dir.path(), ids, settings);
        settings.realTimeCollaboration = true;
        collab.PrepareBuild(ids);
        EXPECT_TRUE(WrittenTags(loadData).empty());
        EXPECT_EQ(TagCodes(WrittenTags(scenario)), std::vector<uint16_t>{1});
        EXPECT_TRUE(WrittenTags(collab).empty());
        EXPECT_FALSE(collab.GetClipId());
        EXPECT_FALSE(traces.empty());
        traces.clear();
    }
    // A collaboration asset without an exported clip counts as absent.
    WriteAsset(CCollabMovie::kAssetName, {{2, {1, 0, 0x00, 1, 0x41, 0xFF, 0xFF, 0x00, 0, 0x10, 0x00}}, {1, {}}});
    CCollabMovie collab(dir.path(), ids, settings);
    collab.PrepareBuild(ids);
    EXPECT_FALSE(collab.GetClipId());
    EXPECT_TRUE(WrittenTags(collab).empty());
}

TEST_F(SubMovies, CollabWritesItsClipAloneAndTheSameTagsEveryTime)
{
    WriteAsset(CCollabMovie::kAssetName, kClipAsset);
    CCollabMovie collab(dir.path(), ids, settings);
    ASSERT_TRUE(collab.GetClipId());
    collab.PrepareBuild(ids);
    std::vector<RawTag> first = WrittenTags(collab);
    EXPECT_EQ(TagCodes(first), (std::vector<uint16_t>{2, 39, 56, 59}));
    std::vector<RawTag> second = WrittenTags(collab);
    ASSERT_EQ(TagCodes(second), TagCodes(first));
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(second[i].body, first[i].body);
}

TEST_F(SubMovies, RealTimeCollaborationPlacesTheClipAtANewDepthEachBuild)
{
    WriteAsset(CCollabMovie::kAssetName, kClipAsset);
    CCollabMovie collab(dir.path(), ids, settings);
    settings.realTimeCollaboration = true;
    swf::IdCounter depths{1};
    depths.Next(); // a component placed before
    std::vector<uint16_t> placedDepths;
    for (int build = 0; build < 2; ++build) {
        collab.PrepareBuild(depths);
        std::vector<RawTag> tags = WrittenTags(collab);
        ASSERT_EQ(tags.size(), 5u);
        const Bytes& place = tags.back().body;
        ASSERT_EQ(tags.back().code, 26);
        // Character, identity matrix and name; no other field.
        EXPECT_EQ(place[0], 0x02 | 0x04 | 0x20);
        EXPECT_EQ(place[3] | place[4] << 8, *collab.GetClipId());
        EXPECT_EQ(Bytes(place.begin() + 5, place.end()), (Bytes{0x00, 'c', 'o', 'l', 'l', 'a', 'b', 0}));
        placedDepths.push_back(uint16_t(place[1] | place[2] << 8));
    }
    EXPECT_EQ(placedDepths, (std::vector<uint16_t>{2, 3}));
}

// The sub-movies as the build's installation folder ships them.
TEST(ShippedSubMovies, LoaderScenarioAndCollaborationHaveTheirFramesLabelsAndExport)
{
    swf::IdCounter ids{1};
    CLoadDataMovie loader(testsupport::InstallDir(), ids);
    ASSERT_FALSE(loader.IsEmpty()) << testsupport::InstallDir();
    EXPECT_EQ(Outline(WrittenTags(loader)), std::vector<std::string>{"frame"});

    CScenarioMovie scenario(testsupport::InstallDir(), ids);
    ASSERT_FALSE(scenario.IsEmpty());
    EXPECT_EQ(Outline(WrittenTags(scenario)),
              (std::vector<std::string>{"frame", "label GetData", "frame", "label GetData2", "frame"}));

    CExportSettings settings;
    CCollabMovie collab(testsupport::InstallDir(), ids, settings);
    ASSERT_TRUE(collab.GetClipId());
    std::vector<WrittenTag> tags = WrittenTags(collab);
    EXPECT_EQ(Outline(tags), std::vector<std::string>{"export kvCollab"});
    EXPECT_TRUE(std::any_of(tags.begin(), tags.end(), [](const WrittenTag& t) { return t.code == 59; }));
}

} // namespace
