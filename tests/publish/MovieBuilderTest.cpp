#include "publish/MovieBuilder.h"

#include "model/ComponentCatalog.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/ComponentScripts.h"
#include "publish/DocData.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ProgramContext.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"
#include "swf/SwfIds.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/swf/JpegSamples.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace {

struct Tag {
    uint16_t code;
    std::vector<uint8_t> body;
};

struct Movie {
    std::string signature;
    uint8_t version = 0;
    uint16_t frameRate = 0; // 8.8 fixed point: fraction byte, then whole frames
    uint16_t frameCount = 0;
    std::vector<Tag> tags;

    std::vector<uint16_t> Codes() const
    {
        std::vector<uint16_t> codes;
        for (const Tag& tag : tags)
            codes.push_back(tag.code);
        return codes;
    }
    // The first frame's script: the last top-level DoAction before the "mgr" placement.
    const Tag* FrameScript() const
    {
        const Tag* found = nullptr;
        for (const Tag& tag : tags)
            if (tag.code == 12)
                found = &tag;
        return found;
    }
};

// Our own inflate and tag walk, independent of the movie classes that wrote the file.
Movie ReadMovie(const std::vector<uint8_t>& file)
{
    Movie movie;
    EXPECT_GE(file.size(), 8u);
    movie.signature.assign(file.begin(), file.begin() + 3);
    movie.version = file[3];
    uLongf length = file[4] | file[5] << 8 | file[6] << 16 | uLongf(file[7]) << 24;
    std::vector<uint8_t> body(length - 8);
    uLongf produced = body.size();
    EXPECT_EQ(uncompress(body.data(), &produced, file.data() + 8, uLong(file.size() - 8)), Z_OK);
    const std::size_t rectBytes = (5 + (body[0] >> 3) * 4 + 7) / 8;
    movie.frameRate = uint16_t(body[rectBytes] << 8 | body[rectBytes + 1]);
    movie.frameCount = uint16_t(body[rectBytes + 2] | body[rectBytes + 3] << 8);
    std::span<const uint8_t> tags(body.data() + rectBytes + 4, body.size() - rectBytes - 4);
    swf::ForEachTag(tags, 0, [&](uint16_t code, std::span<const uint8_t> tag, bool, size_t) {
        movie.tags.push_back({code, std::vector<uint8_t>(tag.begin(), tag.end())});
    });
    return movie;
}

// Where each text is pushed in an action body, in order of first appearance.
std::size_t Position(const std::vector<uint8_t>& body, const std::string& text)
{
    std::string quoted = text + std::string(1, '\0');
    auto at = std::search(body.begin(), body.end(), quoted.begin(), quoted.end());
    return at == body.end() ? std::string::npos : std::size_t(at - body.begin());
}

class MovieBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteComponentFixture(dir.path(), {"KVTestGaugeSymbol", "FScrollBoxSymbol", "FScrollEditSymbol"});
        auto made = std::make_unique<CComponentCatalog>();
        ASSERT_TRUE(made->Load(dir.path()));
        catalog = made.get();
        context.SetCatalog(std::move(made));
        context.SetComponentScripts(&GetComponentScriptGenerator());
        context.SetTraceSink([](std::string_view) {});
        use.emplace(context);
        context.SetFunctionLibrary(
            std::make_unique<CFunctionLibrary>((testsupport::InstallDir() / "asset" / "func.dat").string()));
        ids.Reset(catalog->GetAssetIds().Peek());
        base = CBaseMovie::Create(testsupport::InstallDir(), ids, depths);
        context.UseBaseMovie(base.get());
        base->SetGuidSource([] { return std::string("00000000-0000-0000-0000-000000000000"); });
        firstId = ids.Peek();
        doc.SetBaseMovie(base.get());
        doc.SetStageSize(640, 480);
        doc.SetPaperColor(0x12, 0x34, 0x56);
    }

    void TearDown() override
    {
        base.reset();
        context.UseBaseMovie(nullptr);
        use.reset();
    }

    void AddGauges(int count)
    {
        for (int i = 0; i < count; ++i) {
            owned.push_back(catalog->FindByTypeName("KVTestGaugeSymbol")->CreateInstance());
            auto record = std::make_unique<CObjectRecord>();
            record->components.push_back(owned.back().get());
            doc.AddComponent(std::move(record));
        }
    }

    std::vector<uint8_t> Build(bool preview, const fs::path& name = "movie.swf")
    {
        publish::BuildAndWriteMovie(dir / name.string(), doc, *catalog, 12800, 9600, preview, {ids, firstId, depths});
        return testsupport::ReadBytes(dir / name.string());
    }

    // Writing the catalogue on its own shows whether any use mark is left.
    std::vector<uint8_t> CatalogOnItsOwn()
    {
        swf::Writer out;
        catalog->Write(out);
        return out.Take();
    }

    testsupport::TempDir dir;
    CProgramContext context;
    std::optional<CProgramContext::Scope> use;
    CComponentCatalog* catalog = nullptr;
    swf::IdCounter ids{1};
    swf::IdCounter depths{1};
    std::unique_ptr<CBaseMovie> base;
    uint16_t firstId = 1;
    std::vector<std::unique_ptr<CComponent>> owned;
    CDocData doc;
};

// The header tags, then the used symbols (the two scroll symbols and the gauge: sprite and
// export each), the placements of the two gauges, and the base movie ending with the manager.
TEST_F(MovieBuilderTest, PlainMovieHasTheFixedTagOrderAndFrameScript)
{
    AddGauges(2);
    Movie movie = ReadMovie(Build(false));
    EXPECT_EQ(movie.signature, "CWS");
    EXPECT_EQ(movie.version, 6);
    EXPECT_EQ(movie.frameRate, 30);
    EXPECT_EQ(movie.frameCount, 1);

    std::vector<uint16_t> codes = movie.Codes();
    ASSERT_GE(codes.size(), 6u);
    EXPECT_EQ(std::vector<uint16_t>(codes.begin(), codes.begin() + 3), (std::vector<uint16_t>{64, 63, 9}));
    EXPECT_EQ(movie.tags[2].body, (std::vector<uint8_t>{0x12, 0x34, 0x56}));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 65), 0);
    // Symbols first, then the two placements, then the base movie's frame script, init-code
    // sprite, its export, its init code and the "mgr" placement last.
    auto firstPlacement = std::find(codes.begin(), codes.end(), 26);
    ASSERT_NE(firstPlacement, codes.end());
    EXPECT_EQ(std::count(codes.begin() + 3, firstPlacement, 39), 3);
    EXPECT_EQ(*(firstPlacement + 1), 26);
    // ... and the ShowFrame that closes the only frame.
    EXPECT_EQ(std::vector<uint16_t>(codes.end() - 6, codes.end()), (std::vector<uint16_t>{12, 39, 56, 59, 26, 1}));

    const Tag* frame = movie.FrameScript();
    ASSERT_NE(frame, nullptr);
    std::vector<std::size_t> order;
    // What follows the first calculation is a function, which the manager's kvFirstCalc calls
    // once the model is calculated.
    for (const char* name : {"kvAfterFirstCalc", "kvInitModel", "kvWidth", "kvHeight", "kvInitData", "_quality",
                             "BEST", "modelInit", "kvFirstCalc"})
        order.push_back(Position(frame->body, name));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << "frame script out of order";
    EXPECT_EQ(std::count(order.begin(), order.end(), std::string::npos), 0);
    // The function ends with Stop; the script with the call (CallFunction, Pop), then End.
    const std::vector<uint8_t> end(frame->body.end() - 3, frame->body.end());
    EXPECT_EQ(end, (std::vector<uint8_t>{0x3D, 0x17, 0x00}));
    const CActionList actions = swf::ParseActions(frame->body);
    ASSERT_FALSE(actions.empty());
    const auto* rest = dynamic_cast<const CActionDefineFunction*>(&actions[0]);
    ASSERT_NE(rest, nullptr);
    ASSERT_FALSE(rest->GetBody().empty());
    EXPECT_EQ(rest->GetBody()[rest->GetBody().size() - 1].GetCode(), static_cast<uint8_t>(swf::ActionCode::Stop));
}

TEST_F(MovieBuilderTest, PreviewAndWebServiceModesAddTheirTagsAndFrames)
{
    AddGauges(1);
    base->GetExportSettings().realTimeCollaboration = true;
    Movie preview = ReadMovie(Build(true));
    EXPECT_EQ(preview.frameCount, 3);
    std::vector<uint16_t> codes = preview.Codes();
    EXPECT_EQ(std::vector<uint16_t>(codes.begin(), codes.begin() + 4), (std::vector<uint16_t>{64, 63, 9, 65}));
    EXPECT_EQ(preview.tags[3].body, (std::vector<uint8_t>{0, 1, 60, 0}));
    // The scenario movie follows the manager placement; no collaboration clip is placed.
    auto manager = std::find(codes.begin(), codes.end(), 59);
    ASSERT_NE(manager, codes.end());
    EXPECT_GT(codes.end() - manager, 2);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 26), 2);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1), 3);

    base->GetExportSettings().realTimeCollaboration = false;
    base->GetExportFlags().webService = true;
    Movie service = ReadMovie(Build(false, "service.swf"));
    EXPECT_EQ(service.frameCount, 2);
    codes = service.Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1), 2);
    // The connection script comes before the component's placement, after the symbols.
    auto placement = std::find(codes.begin(), codes.end(), 26);
    auto connection = std::find(codes.begin(), codes.end(), 12);
    EXPECT_LT(connection, placement);
    // The load-data movie between them ends the first frame.
    EXPECT_EQ(std::count(connection, placement, 1), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 12), 2 + std::count(connection + 1, placement, 12));
}

// Collaboration makes the connection clip part of the movie, real-time or not: its
// initialisation makes the connection the first frame and the components use. Only real-time
// collaboration places it, as "collab".
TEST_F(MovieBuilderTest, CollaborationCarriesTheConnectionClipAndRealTimePlacesIt)
{
    AddGauges(1);
    const auto initCode = [](const Movie& movie) {
        std::vector<uint16_t> codes = movie.Codes();
        return std::count(codes.begin(), codes.end(), 59);
    };
    const auto placedAsCollab = [](const Movie& movie) {
        const std::string name("collab", 7);
        return std::any_of(movie.tags.begin(), movie.tags.end(), [&](const Tag& tag) {
            return tag.code == 26 && std::search(tag.body.begin(), tag.body.end(), name.begin(), name.end()) != tag.body.end();
        });
    };
    const Movie plain = ReadMovie(Build(false, "plain.swf"));
    base->GetExportSettings().collaboration = true;
    const Movie saved = ReadMovie(Build(false, "saved.swf"));
    EXPECT_EQ(initCode(saved), initCode(plain) + 1);
    EXPECT_FALSE(placedAsCollab(saved));
    EXPECT_EQ(saved.frameCount, 1);

    base->GetExportSettings().realTimeCollaboration = true;
    const Movie live = ReadMovie(Build(false, "live.swf"));
    EXPECT_EQ(initCode(live), initCode(plain) + 1);
    EXPECT_TRUE(placedAsCollab(live));
}

// A dashboard of hundreds of components is built over several frames, each placing a part of
// them and running the scripts of just those; only the last frame stops the playhead.
TEST_F(MovieBuilderTest, ManyComponentsAreBuiltOverFramesEachWithItsOwnScripts)
{
    AddGauges(450);
    Movie movie = ReadMovie(Build(false));
    ASSERT_EQ(movie.frameCount, 3);
    // Frames as the tags close them, with the placements and the scripts of each.
    struct Frame {
        std::vector<const Tag*> placements;
        std::vector<const Tag*> scripts;
    };
    std::vector<Frame> frames(1);
    for (const Tag& tag : movie.tags) {
        if (tag.code == 1)
            frames.emplace_back();
        else if (tag.code == 26)
            frames.back().placements.push_back(&tag);
        else if (tag.code == 12)
            frames.back().scripts.push_back(&tag);
    }
    ASSERT_EQ(frames.size(), 4u) << "three frames, then the End tag";
    EXPECT_EQ(frames[0].placements.size(), 201u) << "the first 200 and the manager";
    EXPECT_EQ(frames[1].placements.size(), 200u);
    EXPECT_EQ(frames[2].placements.size(), 50u);
    std::size_t index = 0;
    for (std::size_t f = 0; f < 3; ++f) {
        ASSERT_EQ(frames[f].scripts.size(), 1u);
        const std::vector<uint8_t>& script = frames[f].scripts[0]->body;
        const std::size_t count = f < 2 ? 200 : 50;
        // Each frame's script starts its own components and no other frame's.
        EXPECT_NE(Position(script, owned[index]->GetName()), std::string::npos) << "frame " << f;
        EXPECT_NE(Position(script, owned[index + count - 1]->GetName()), std::string::npos) << "frame " << f;
        if (f < 2) {
            EXPECT_EQ(Position(script, owned[index + count]->GetName()), std::string::npos) << "frame " << f;
        }
        const bool stops = std::vector<uint8_t>(script.end() - 2, script.end()) == std::vector<uint8_t>{0x07, 0x00};
        EXPECT_EQ(stops, f == 2) << "frame " << f;
        index += count;
    }
}

TEST_F(MovieBuilderTest, SecondBuildGivesTheSameBytesAndLeavesNoUseMarks)
{
    AddGauges(3);
    ASSERT_TRUE(CatalogOnItsOwn().empty());
    std::vector<uint8_t> first = Build(false);
    EXPECT_TRUE(CatalogOnItsOwn().empty());
    EXPECT_EQ(Build(false), first);
    EXPECT_EQ(Build(true, "preview.swf"), Build(true, "preview2.swf"));
    EXPECT_TRUE(CatalogOnItsOwn().empty());
}

// A copied picture is found again by the next build: the document keeps naming its source.
TEST_F(MovieBuilderTest, CopiedAssetSurvivesASecondBuild)
{
    AddGauges(1);
    testsupport::WriteBytes(dir / "logo.jpg", testsupport::MakeJpeg(4, 4));
    CParameterSet& media = *owned[0]->GetParameters()->FindParameter("Media")->GetSet();
    media.Add(std::make_unique<CParameter>("pathName", model::ParamType::Text))->SetString("C:\\art\\logo.jpg");
    media.FindParameter("fileName")->SetString((dir / "logo.jpg").string());

    for (int build = 0; build < 2; ++build) {
        publish::MovieBuildResult result =
            publish::BuildAndWriteMovie(dir / "movie.swf", doc, *catalog, 12800, 9600, false, {ids, firstId, depths});
        EXPECT_TRUE(result.externalAssets);
        EXPECT_TRUE(result.assetProblems.empty()) << result.assetProblems.front();
        EXPECT_EQ(media.FindParameter("fileName")->GetValueText(), (dir / "logo.jpg").string());
        EXPECT_TRUE(fs::exists(dir / "movie" / "logo.jpg"));
        fs::remove_all(dir / "movie");
    }
}

TEST_F(MovieBuilderTest, FailedBuildReportsAndLeavesNothingBehind)
{
    AddGauges(2);
    const fs::path missing = dir / "no-such-folder" / "movie.swf";
    EXPECT_THROW(publish::BuildAndWriteMovie(missing, doc, *catalog, 12800, 9600, false, {ids, firstId, depths}),
                 publish::MovieBuildError);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    EXPECT_TRUE(CatalogOnItsOwn().empty());

    // A movie that cannot be built (no model) does not replace the movie already there.
    std::vector<uint8_t> good = Build(false);
    CDocData orphan;
    EXPECT_THROW(publish::BuildAndWriteMovie(dir / "movie.swf", orphan, *catalog, 100, 100, false, {ids, firstId, depths}),
                 publish::MovieBuildError);
    EXPECT_EQ(testsupport::ReadBytes(dir / "movie.swf"), good);
}

TEST_F(MovieBuilderTest, CatalogueWithoutScrollSymbolsAndDocumentWithoutComponents)
{
    testsupport::TempDir bare;
    testsupport::WriteComponentFixture(bare.path(), {"KVTestGaugeSymbol"});
    CComponentCatalog small;
    ASSERT_TRUE(small.Load(bare.path()));
    publish::BuildAndWriteMovie(dir / "bare.swf", doc, small, 12800, 9600, false, {ids, firstId, depths});
    std::vector<uint16_t> codes = ReadMovie(testsupport::ReadBytes(dir / "bare.swf")).Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 26), 1); // "mgr" only
}

} // namespace
