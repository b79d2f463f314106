#include "swf/Actions.h"
#include "swf/EmbeddedSwfMovie.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfFile.h"
#include "swf/SwfFileInfo.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfReader.h"
#include "swf/SwfShape.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WatchedChild.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <zlib.h>

namespace {

using Bytes = std::vector<uint8_t>;

// A tag that counts its deletions, to see who deletes what.
struct Probe : CSwfObject {
    explicit Probe(int* deleted, uint16_t id = 0) : CSwfObject(id), deleted_(deleted) {}
    ~Probe() override { ++*deleted_; }
    void Write(swf::Writer& out) override { out.Tag(uint16_t(99), Bytes{uint8_t(GetCharacterId())}); }
    int* deleted_;
};

Bytes Tag(uint16_t code, const Bytes& body)
{
    swf::Writer out;
    out.Tag(code, body);
    return out.Take();
}

// A file around hand-made tag bytes (no End added).
Bytes File(const Bytes& tags, bool compressed = false, uint16_t frames = 1)
{
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfRawTag>(0x3FF, Bytes{})); // placeholder, replaced below
    Bytes head = movie.WriteBytes(8000, 6000, 12, false);
    // header (8) + 9-byte rect + rate + count
    Bytes file(head.begin(), head.begin() + 21);
    file[19] = static_cast<uint8_t>(frames);
    file[20] = static_cast<uint8_t>(frames >> 8);
    file.insert(file.end(), tags.begin(), tags.end());
    uint32_t length = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        file[4 + i] = static_cast<uint8_t>(length >> (8 * i));
    if (!compressed)
        return file;
    uLongf size = compressBound(file.size() - 8);
    Bytes packed(8 + size);
    std::copy(file.begin(), file.begin() + 8, packed.begin());
    packed[0] = 'C';
    compress2(packed.data() + 8, &size, file.data() + 8, file.size() - 8, 9);
    packed.resize(8 + size);
    return packed;
}

Bytes U16(uint16_t v)
{
    return {uint8_t(v), uint8_t(v >> 8)};
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A small library movie: shape 1 filled with bitmap 2, sprite 3 placing shape 1, exported as
// "clip" with a DoInitAction, a top-level placement of 3, a frame script and a frame.
Bytes LibraryMovie(bool compressed = false)
{
    CSwfMatrix identity;
    swf::Writer shape;
    shape.U16(1);
    swf::WriteRect(shape, CSwfRect(0, 200, 0, 200));
    shape.U8(1);
    shape.U8(0x41);
    shape.U16(2);
    swf::WriteMatrix(shape, identity);
    shape.U8(0);
    shape.U8(0x10); // 1 fill bit, 0 line bits
    shape.Bits(0, 6);
    shape.FlushBits();

    swf::Writer place;
    place.U8(0x02);
    place.U16(1);
    place.U16(1);

    Bytes sprite = Cat({U16(3), U16(1), Tag(26, place.Data()), Tag(1, {}), Tag(0, {})});
    Bytes exportTag = Cat({U16(1), U16(3), Bytes{'c', 'l', 'i', 'p', 0}});
    Bytes init = Cat({U16(3), Bytes{0x07, 0x00}});
    swf::Writer top;
    top.U8(0x02 | 0x20);
    top.U16(1);
    top.U16(3);
    top.String("inst");
    return File(Cat({Tag(9, {0x33, 0x66, 0x99}), Tag(21, Cat({U16(2), Bytes{0xFF, 0xD8, 0xFF, 0xD9}})),
                     Tag(2, shape.Data()), Tag(39, sprite), Tag(56, exportTag), Tag(59, init),
                     Tag(26, top.Data()), Tag(12, {0x07, 0x00}), Tag(1, {}), Tag(0, {})}),
                compressed);
}

class MovieTest : public ::testing::Test {
protected:
    swf::IdCounter ids_;
};

TEST_F(MovieTest, LoadedMovieWritesBackByteForByte)
{
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "CWS" : "FWS");
        Bytes file = LibraryMovie(compressed);
        CSwfMovie movie;
        movie.LoadBytes(file);
        EXPECT_EQ(movie.GetFrameRect(), CSwfRect(0, 8000, 0, 6000));
        EXPECT_EQ(movie.GetFrameCount(), 1);
        EXPECT_EQ(movie.GetVersion(), 6);
        EXPECT_EQ(movie.WriteBytes(8000, 6000, 12, compressed), file);
    }
}

TEST_F(MovieTest, LongTagHeadersAndUnknownTagsSurvive)
{
    Bytes longShowFrame = {0x7F, 0x00, 0, 0, 0, 0};
    Bytes unknown = Tag(200, {1, 2, 3});
    Bytes file = File(Cat({longShowFrame, unknown, Tag(0, {})}));
    CSwfMovie movie;
    movie.LoadBytes(file);
    EXPECT_EQ(movie.WriteBytes(8000, 6000, 12, false), file);
    // Renumbering cannot know what an unknown tag holds: refused rather than copied wrongly.
    CSwfMovie remapped;
    EXPECT_THROW(remapped.LoadBytes(file, {.remapIds = &ids_}), swf::SwfError);
}

TEST_F(MovieTest, RemappingMovesEveryIdAboveTheOnesInUse)
{
    ids_.Reset(500);
    CSwfMovie movie;
    movie.LoadBytes(LibraryMovie(), {.remapIds = &ids_, .keepTopLevel = true});
    ASSERT_EQ(movie.GetClipEntries().size(), 1u);
    const ClipEntry& clip = movie.GetClipEntries()[0];
    EXPECT_EQ(clip.GetName(), "clip");
    EXPECT_GE(clip.GetId(), 500);
    // Everything the clip needs is found under the new ids.
    movie.MarkCharacterUsed(clip.GetId());
    swf::Writer out;
    movie.Write(out);
    // Every id of what was written is 500 or above.
    Bytes written = out.Take();
    swf::ForEachTag(written, 0, [&](uint16_t code, std::span<const uint8_t> body, bool, size_t) {
        if (code == 2 || code == 21 || code == 39 || code == 59) {
            EXPECT_GE(body[0] | body[1] << 8, 500) << "tag " << code;
        }
    });
    EXPECT_GE(ids_.Peek(), 503);
}

TEST_F(MovieTest, MarkingWritesTheClipAndWhatItNeeds)
{
    CSwfMovie movie;
    movie.LoadBytes(LibraryMovie(), {.keepTopLevel = true});
    auto written = [&] {
        std::vector<uint16_t> codes;
        swf::Writer out;
        movie.Write(out);
        Bytes bytes = out.Take();
        swf::ForEachTag(bytes, 0, [&](uint16_t code, auto, bool, size_t) { codes.push_back(code); });
        return codes;
    };
    EXPECT_TRUE(written().empty());
    movie.MarkCharacterUsed(3);
    // bitmap, shape, sprite, export, init actions; not the top-level placement or frame script.
    EXPECT_EQ(written(), (std::vector<uint16_t>{21, 2, 39, 56, 59}));
    movie.MarkCharacterUsed(3);
    movie.UnmarkCharacterUsed(3);
    EXPECT_EQ(written().size(), 5u);
    movie.UnmarkCharacterUsed(3);
    EXPECT_TRUE(written().empty());
    movie.UnmarkCharacterUsed(3); // never below zero
    movie.SetWriteAll(true);
    EXPECT_EQ(written().size(), 9u);
}

TEST_F(MovieTest, AnExportOfSeveralCharactersNamesOnlyTheWrittenOnes)
{
    Bytes bitmap = {0xFF, 0xD8, 0xFF, 0xD9};
    Bytes exports = Cat({U16(2), U16(5), Bytes{'a', 0}, U16(6), Bytes{'b', 0}});
    Bytes file = File(
        Cat({Tag(21, Cat({U16(5), bitmap})), Tag(21, Cat({U16(6), bitmap})), Tag(56, exports), Tag(0, {})}));
    CSwfMovie movie;
    movie.LoadBytes(file);
    auto written = [&] {
        swf::Writer out;
        movie.Write(out);
        return out.Take();
    };
    movie.MarkCharacterUsed(6);
    EXPECT_EQ(written(),
              Cat({Tag(21, Cat({U16(6), bitmap})), Tag(56, Cat({U16(1), U16(6), Bytes{'b', 0}}))}));
    movie.MarkCharacterUsed(5);
    EXPECT_EQ(written(), Bytes(file.begin() + 21, file.end() - 2)); // all of it, as read
    movie.UnmarkCharacterUsed(5);
    movie.UnmarkCharacterUsed(6);
    movie.SetWriteAll(true);
    EXPECT_EQ(written(), Bytes(file.begin() + 21, file.end() - 2));
}

TEST_F(MovieTest, CyclicDependenciesEnd)
{
    // Sprite 1 places 2 and sprite 2 places 1.
    auto sprite = [](uint16_t id, uint16_t placed) {
        swf::Writer place;
        place.U8(0x02);
        place.U16(1);
        place.U16(placed);
        return Tag(39, Cat({U16(id), U16(1), Tag(26, place.Data()), Tag(1, {}), Tag(0, {})}));
    };
    CSwfMovie movie;
    movie.LoadBytes(File(Cat({sprite(1, 2), sprite(2, 1), Tag(0, {})})));
    movie.MarkCharacterUsed(1);
    EXPECT_EQ(movie.GetTag(0)->GetUseCount(), 1);
    EXPECT_EQ(movie.GetTag(1)->GetUseCount(), 1);
}

TEST_F(MovieTest, ClipEntriesGiveInitActionsAndDeleteTheirPlacement)
{
    CSwfMovie movie;
    movie.LoadBytes(LibraryMovie(), {.remapIds = &ids_, .keepTopLevel = true});
    ClipEntry& clip = movie.GetClipEntries()[0];
    ASSERT_NE(clip.GetInitActions(), nullptr);
    EXPECT_EQ(clip.GetInitActions()->GetBytes(), Bytes{0x07});
    CSwfDoAction copy(*clip.GetInitActions());
    swf::Writer out;
    copy.Write(out);
    EXPECT_EQ(out.Data(), (Bytes{0x02, 0x03, 0x07, 0x00}));

    ASSERT_NE(clip.GetPlacement(), nullptr);
    size_t before = movie.GetTagCount();
    clip.DeletePlacement();
    EXPECT_EQ(clip.GetPlacement(), nullptr);
    EXPECT_EQ(movie.GetTagCount(), before - 1);
    clip.DeletePlacement(); // twice is harmless

    // Without keeping top-level placements the entry has none.
    CSwfMovie plain;
    plain.LoadBytes(LibraryMovie());
    EXPECT_EQ(plain.GetClipEntries()[0].GetPlacement(), nullptr);
}

TEST_F(MovieTest, FrameScriptsAreDecodedAndRawKeepingApplies)
{
    CActionList actions;
    for (int i = 0; i < 20; ++i)
        actions.Add(std::make_unique<CActionPush>("V" + std::to_string(i)));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    Bytes file = File(Cat({Tag(12, actions.ToBytes(true)), Tag(1, {}), Tag(0, {})}));
    for (bool keepRaw : {false, true}) {
        SCOPED_TRACE(keepRaw ? "raw" : "decoded");
        CSwfMovie movie;
        movie.LoadBytes(file, {.keepRawActions = keepRaw});
        auto* script = dynamic_cast<CSwfDoAction*>(movie.GetTag(0));
        ASSERT_NE(script, nullptr);
        ASSERT_EQ(script->GetActions().size(), 21u);
        bool raw = dynamic_cast<const CActionRaw*>(&script->GetActions()[0]) != nullptr;
        EXPECT_EQ(raw, keepRaw);
        EXPECT_EQ(movie.WriteBytes(8000, 6000, 12, false), file);
    }
}

TEST_F(MovieTest, HugeFrameScriptsStayRaw)
{
    // Two scripts of 2.5 MB of Stop actions: decoding both would make five million objects.
    Bytes script(2'500'000, 0x07);
    script.push_back(0x00);
    swf::Writer tags;
    tags.Tag(swf::TagCode::DoAction, script);
    tags.Tag(swf::TagCode::DoAction, script);
    tags.U16(0);
    Bytes file = File(tags.Data());
    CSwfMovie movie;
    movie.LoadBytes(file);
    ASSERT_EQ(movie.GetTagCount(), 2u);
    EXPECT_NE(dynamic_cast<CSwfDoAction*>(movie.GetTag(0)), nullptr);
    EXPECT_NE(dynamic_cast<CSwfRawTag*>(movie.GetTag(1)), nullptr);
    EXPECT_TRUE(movie.WriteBytes(8000, 6000, 12, false) == file);
}

TEST_F(MovieTest, ManyIdsInOneMovie)
{
    // A sprite placing 100 characters, each twice: each id is a dependency once, in order.
    swf::Writer sprite;
    sprite.U16(1);
    sprite.U16(1);
    for (int round = 0; round < 2; ++round)
        for (uint16_t id = 2; id < 102; ++id) {
            swf::Writer place;
            place.U8(0x02);
            place.U16(id);
            place.U16(id);
            sprite.Tag(swf::TagCode::PlaceObject2, place.Data());
        }
    sprite.U16(0);
    CSwfMovie movie;
    movie.LoadBytes(File(Cat({Tag(39, sprite.Data()), Tag(0, {})})));
    std::vector<uint16_t> expected;
    for (uint16_t id = 2; id < 102; ++id)
        expected.push_back(id);
    EXPECT_EQ(movie.GetTag(0)->GetDependencies(), expected);

    // Exports of 17 x 65535 ids: more than a movie may hold, refused rather than indexed.
    Bytes exports = U16(0xFFFF);
    for (int i = 0; i < 0xFFFF; ++i)
        exports.insert(exports.end(), {uint8_t(i), uint8_t(i >> 8 | 1), 'e', 0});
    swf::Writer many;
    for (int i = 0; i < 17; ++i)
        many.Tag(swf::TagCode::ExportAssets, exports);
    many.U16(0);
    CSwfMovie huge;
    EXPECT_THROW(huge.LoadBytes(File(many.Data(), true)), swf::SwfError);

    // Below that the export table has no fixed limit.
    Bytes five = U16(5000);
    for (uint16_t i = 1; i <= 5000; ++i) {
        const std::string name = "s" + std::to_string(i);
        five.insert(five.end(), {uint8_t(i), uint8_t(i >> 8)});
        five.insert(five.end(), name.c_str(), name.c_str() + name.size() + 1);
    }
    CSwfMovie exporting;
    exporting.LoadBytes(File(Cat({Tag(56, five), Tag(0, {})})));
    ASSERT_EQ(exporting.GetClipEntries().size(), 5000u);
    EXPECT_EQ(exporting.GetClipEntries()[4999].GetName(), "s5000");
}

TEST_F(MovieTest, DeletingAMovieDeletesOnlyWhatItOwns)
{
    int deleted = 0;
    Probe borrowed(&deleted);
    borrowed.AddUse();
    {
        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<Probe>(&deleted, 7));
        movie.AddTag(&borrowed);
        auto removed = movie.RemoveTag(&borrowed);
        EXPECT_EQ(removed, nullptr); // borrowed: nothing handed back
        movie.AddTag(&borrowed);
    }
    EXPECT_EQ(deleted, 1);
}

TEST_F(MovieTest, OutputMovieWritesEverythingAMovieOnlyWhatIsUsed)
{
    int deleted = 0;
    CSwfMovie inner;
    inner.AddTag(std::make_unique<Probe>(&deleted, 1));
    inner.AddTag(std::make_unique<Probe>(&deleted, 2))->AddUse();
    CSwfOutputMovie output;
    output.SetFrameCount(1);
    output.AddTag(std::make_unique<CSwfSetBackgroundColor>(1, 2, 3));
    output.AddTag(&inner); // unused itself: an output movie writes it all the same
    output.AddTag(std::make_unique<CSwfShowFrame>());
    EXPECT_EQ(output.GetFrameCount(), 2);
    swf::Writer out;
    output.Write(out);
    EXPECT_EQ(out.Data(), Cat({Tag(9, {1, 2, 3}), Tag(99, {2}), Tag(1, {})}));
}

TEST_F(MovieTest, FileHeaderAndEndTag)
{
    CSwfOutputMovie movie;
    movie.SetFrameCount(1);
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    Bytes file = movie.WriteBytes(12000, 8000, 30, false);
    swf::Reader in(file, "test");
    EXPECT_EQ(in.U8(), 'F');
    in.Skip(2);
    EXPECT_EQ(in.U8(), 6);
    EXPECT_EQ(in.U32(), file.size());
    EXPECT_EQ(in.Bits(5), 16u); // fixed-width frame rectangle
    EXPECT_EQ(swf::ReadRect(*std::make_unique<swf::Reader>(std::span(file).subspan(8), "rect")),
              CSwfRect(0, 12000, 0, 8000));
    EXPECT_EQ(file[17], 0x00);
    EXPECT_EQ(file[18], 0x1E); // 30 fps in 8.8
    EXPECT_EQ(file[19], 2);    // SetFrameCount(1) then a ShowFrame
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0x40, 0x00, 0x00, 0x00}));

    Bytes packed = movie.WriteBytes(12000, 8000, 30, true);
    EXPECT_EQ(packed[0], 'C');
    EXPECT_EQ(Bytes(packed.begin() + 1, packed.begin() + 8), Bytes(file.begin() + 1, file.begin() + 8));
}

TEST_F(MovieTest, WriteFileAndLoadFileIncludingEncipheredAssets)
{
    testsupport::TempDir dir;
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(0x12, 0x34, 0x56));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(dir / "a.swf", 400, 300, 30, true);
    movie.WriteFile(dir / "a.dat", 400, 300, 30, false, true);

    CSwfFileInfo info;
    info.LoadFile(dir / "a.swf");
    EXPECT_EQ(info.GetBackgroundColor(), 0x123456u);
    EXPECT_FALSE(info.HasMarker());
    EXPECT_EQ(info.GetFrameRect(), CSwfRect(0, 400, 0, 300));
    EXPECT_EQ(info.GetTagCount(), 0u);
    CSwfFileInfo marked;
    marked.LoadBytes(File(Cat({Tag(666, {}), Tag(0, {})})));
    EXPECT_TRUE(marked.HasMarker());
    EXPECT_FALSE(marked.HasBackgroundColor());
    EXPECT_EQ(marked.GetBackgroundColor(), 0xFFFFFFu);

    CSwfMovie asset;
    asset.LoadFile(dir / "a.dat");
    EXPECT_EQ(asset.GetTagCount(), 2u);
    // Enciphered, it does not begin as a movie (its first bytes are a random IV: one byte alone
    // is 'F' once in 256 runs).
    const std::vector<unsigned char> enciphered = testsupport::ReadBytes(dir / "a.dat");
    ASSERT_GE(enciphered.size(), 3u);
    EXPECT_NE(std::string(enciphered.begin(), enciphered.begin() + 3), "FWS");

    EXPECT_THROW(asset.LoadFile(dir / "missing.swf"), swf::SwfError);
    // An ordinary movie under a "dat" name is not an asset.
    std::filesystem::copy_file(dir / "a.swf", dir / "b.dat");
    EXPECT_THROW(asset.LoadFile(dir / "b.dat"), swf::SwfError);
}

// A movie named by a document may be a FIFO or a device: it is refused at once, not waited on.
TEST_F(MovieTest, AFileThatIsNoRegularFileIsRefusedWithoutWaiting)
{
    testsupport::TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.swf").c_str(), 0600), 0);
    const testsupport::Outcome outcome = testsupport::RunWatched([&] {
        std::string report;
        for (const std::filesystem::path& path : {dir / "fifo.swf", std::filesystem::path("/dev/zero")}) {
            try {
                CSwfMovie movie;
                movie.LoadFile(path);
                report += "loaded\n";
            } catch (const swf::SwfError& e) {
                report += std::string(e.what()) + "\n";
            }
        }
        return report;
    });
    ASSERT_FALSE(outcome.tooSlow);
    EXPECT_EQ(outcome.report, "cannot read movie file " + (dir / "fifo.swf").string() +
                                  ": not a regular file\ncannot read movie file /dev/zero: not a regular file\n");
}

TEST_F(MovieTest, EmbeddedMovieSplitsTimelineFromDefinitions)
{
    ids_.Reset(40);
    CEmbeddedSwfMovie movie;
    movie.LoadBytes(LibraryMovie(), {.remapIds = &ids_});
    EXPECT_EQ(movie.GetBackgroundColor(), 0x336699u);
    // placement, frame script, frame
    ASSERT_EQ(movie.GetTimelineTags().size(), 3u);
    EXPECT_EQ(movie.GetTimelineTags()[0]->GetTagCode(), swf::TagCode::PlaceObject2);
    uint16_t placed = movie.GetTimelineTags()[0]->GetDependencies().at(0);
    EXPECT_GE(placed, 40);
    EXPECT_EQ(movie.GetKeptIds(), std::vector<uint16_t>{placed});
    // bitmap, shape, sprite, export, init, background
    EXPECT_EQ(movie.GetTagCount(), 6u);
}

TEST_F(MovieTest, MalformedFilesGiveErrors)
{
    Bytes good = LibraryMovie();
    Bytes goodPacked = LibraryMovie(true);
    auto with = [](Bytes bytes, size_t at, uint8_t value) {
        bytes.at(at) = value;
        return bytes;
    };
    Bytes bomb = goodPacked;
    bomb[4] = bomb[5] = bomb[6] = 0xFF;
    bomb[7] = 0x0F; // 256 MB claimed by a few hundred bytes
    Bytes nested = Tag(39, Cat({U16(1), U16(1)}));
    for (int i = 0; i < 20; ++i) {
        swf::Writer out;
        out.Tag(uint16_t(39), Cat({U16(uint16_t(i + 2)), U16(1), nested}));
        nested = out.Take();
    }
    Bytes frames;
    for (int i = 0; i < 1'000'001; ++i)
        frames.insert(frames.end(), {0x40, 0x00});
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"bad signature", with(good, 0, 'X')},
        {"truncated", Bytes(good.begin(), good.end() - 10)},
        {"length too small", with(good, 4, 3)},
        {"compressed, damaged", with(goodPacked, 12, 0xAA)},
        {"compressed, truncated", Bytes(goodPacked.begin(), goodPacked.end() - 5)},
        {"compressed bomb", bomb},
        {"tag overruns", File(Bytes{0xBF, 0x00, 0xFF, 0xFF, 0xFF, 0x00})},
        {"sprites nested deeply", File(Cat({nested, Tag(0, {})}))},
        {"a million empty tags and one, compressed", File(frames, true)},
        {"sprite tag overruns", File(Cat({Tag(39, Cat({U16(1), U16(1), Bytes{0x3F, 0x00}})), Tag(0, {})}))},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        CSwfMovie movie;
        EXPECT_THROW(movie.LoadBytes(bytes), swf::SwfError);
    }
}

TEST_F(MovieTest, PatchFrameSizeKeepsRateAndFrames)
{
    testsupport::TempDir dir;
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(dir / "stage.swf", 600, 400, 30, false);
    ASSERT_TRUE(PatchSwfFrameSize(dir / "stage.swf", 16000, 12000));
    CSwfMovie check;
    check.LoadFile(dir / "stage.swf");
    EXPECT_EQ(check.GetFrameRect(), CSwfRect(0, 16000, 0, 12000));
    EXPECT_EQ(check.GetFrameRate(), 30.0);
    EXPECT_EQ(check.GetFrameCount(), 1);

    // A file with a narrow rectangle (another writer's) is rebuilt, not overwritten blindly.
    Bytes narrow = File(Cat({Tag(1, {}), Tag(0, {})}));
    swf::Writer small;
    small.Bytes(narrow.data(), 8);
    swf::WriteRect(small, CSwfRect(0, 20, 0, 20));
    small.Bytes(narrow.data() + 17, narrow.size() - 17);
    small.PatchU32(4, uint32_t(small.Size()));
    testsupport::WriteBytes(dir / "narrow.swf", small.Data());
    ASSERT_TRUE(PatchSwfFrameSize(dir / "narrow.swf", 640 * 20, 480 * 20));
    check.LoadFile(dir / "narrow.swf");
    EXPECT_EQ(check.GetFrameRect(), CSwfRect(0, 12800, 0, 9600));
    EXPECT_EQ(check.GetFrameRate(), 12.0);

    movie.WriteFile(dir / "packed.swf", 600, 400, 30, true);
    Bytes before = testsupport::ReadBytes(dir / "packed.swf");
    EXPECT_FALSE(PatchSwfFrameSize(dir / "packed.swf", 100, 100));
    EXPECT_EQ(testsupport::ReadBytes(dir / "packed.swf"), before);
    EXPECT_FALSE(PatchSwfFrameSize(dir / "none.swf", 100, 100));
    EXPECT_FALSE(PatchSwfFrameSize(dir / "stage.swf", -1, 100));
}

TEST_F(MovieTest, IdCountersNeverHandOutTheNoBitmapIdAndResetForABuild)
{
    swf::IdCounter counter(1);
    counter.Reset(0xFFFE);
    EXPECT_EQ(counter.Next(), 0xFFFE);
    EXPECT_THROW(counter.Next(), swf::SwfError);
    counter.Reset();
    EXPECT_EQ(counter.Next(), 1);

    // Two builds from the same mark number their characters alike.
    swf::IdCounter build(300);
    CSwfSprite first(build);
    build.Reset(300);
    CSwfSprite again(build);
    EXPECT_EQ(first.GetCharacterId(), again.GetCharacterId());
}

} // namespace
