#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/LoadDataMovie.h"
#include "publish/ScenarioMovie.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTrace.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Bytes = std::vector<uint8_t>;

struct RawTag {
    uint16_t code;
    Bytes body;
};

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

// The tags an object writes, as (code, body).
std::vector<RawTag> Written(CSwfObject& object)
{
    swf::Writer out;
    object.Write(out);
    std::vector<RawTag> tags;
    swf::ForEachTag(out.Data(), 0, [&](uint16_t code, std::span<const uint8_t> body, bool, size_t) {
        tags.push_back({code, Bytes(body.begin(), body.end())});
    });
    return tags;
}

std::vector<uint16_t> Codes(const std::vector<RawTag>& tags)
{
    std::vector<uint16_t> codes;
    for (const RawTag& tag : tags)
        codes.push_back(tag.code);
    return codes;
}

TEST_F(SubMovies, LoadDataPassesScriptsThroughByteForByte)
{
    WriteAsset(CLoadDataMovie::kAssetName, {{12, kScript}, {1, {}}});
    CLoadDataMovie loadData(dir.path(), ids);
    std::vector<RawTag> tags = Written(loadData);
    ASSERT_EQ(Codes(tags), (std::vector<uint16_t>{12, 1}));
    EXPECT_EQ(tags[0].body, kScript);
}

TEST_F(SubMovies, ScenarioWritesAShowFrameBeforeItsTags)
{
    WriteAsset(CScenarioMovie::kAssetName, {{12, kScript}, {1, {}}});
    CScenarioMovie scenario(dir.path(), ids);
    EXPECT_EQ(Codes(Written(scenario)), (std::vector<uint16_t>{1, 12, 1}));
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
        EXPECT_TRUE(Written(loadData).empty());
        EXPECT_EQ(Codes(Written(scenario)), std::vector<uint16_t>{1});
        EXPECT_TRUE(Written(collab).empty());
        EXPECT_FALSE(collab.GetClipId());
        EXPECT_FALSE(traces.empty());
        traces.clear();
    }
}

TEST_F(SubMovies, CollabWithoutAnExportedClipCountsAsAbsent)
{
    WriteAsset(CCollabMovie::kAssetName,
               {{2, {1, 0, 0x00, 1, 0x41, 0xFF, 0xFF, 0x00, 0, 0x10, 0x00}}, {1, {}}});
    CCollabMovie collab(dir.path(), ids, settings);
    settings.realTimeCollaboration = true;
    collab.PrepareBuild(ids);
    EXPECT_FALSE(collab.GetClipId());
    EXPECT_TRUE(Written(collab).empty());
}

TEST_F(SubMovies, CollabWritesItsClipAloneAndTheSameTagsEveryTime)
{
    WriteAsset(CCollabMovie::kAssetName, kClipAsset);
    CCollabMovie collab(dir.path(), ids, settings);
    ASSERT_TRUE(collab.GetClipId());
    collab.PrepareBuild(ids);
    std::vector<RawTag> first = Written(collab);
    EXPECT_EQ(Codes(first), (std::vector<uint16_t>{2, 39, 56, 59}));
    std::vector<RawTag> second = Written(collab);
    ASSERT_EQ(Codes(second), Codes(first));
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
        std::vector<RawTag> tags = Written(collab);
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

} // namespace
