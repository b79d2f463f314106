#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfWriter.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Movie(uint16_t code, const Bytes& body)
{
    swf::Writer out;
    out.Bytes("FWS", 3);
    out.U8(6);
    out.U32(0);
    out.U8(0); // empty 0-bit rectangle
    out.U16(12 << 8);
    out.U16(0);
    out.Tag(code, body);
    out.U16(0);
    out.PatchU32(4, uint32_t(out.Size()));
    return out.Take();
}

struct Case {
    const char* name;
    uint16_t code;
    Bytes body;
    std::vector<size_t> idAt; // offsets of the character ids in the body
};

// Each tag kind that holds character ids, with the places the ids are in. Renumbering must
// change exactly those bytes.
const std::vector<Case> kCases = {
    {"PlaceObject", 4, {5, 5, 1, 0, 0}, {0}},
    {"RemoveObject", 5, {5, 5, 1, 0}, {0}},
    {"StartSound", 15, {6, 6, 0}, {0}},
    {"DefineButtonSound", 17, {7, 7, 8, 8, 4, 2, 0, 0, 0, 9, 9, 0, 0, 0}, {0, 2, 9}},
    {"PlaceObject2", 26, {0x02, 1, 0, 3, 3}, {3}},
    {"PlaceObject2 move only", 26, {0x01, 1, 0}, {}},
    {"DefineEditText", 37, {4, 4, 0x00, 0x01, 0x00, 0xC, 0xC, 0xF0, 0}, {0, 5}},
    {"DefineButton", 7, {0xA, 0xA, 0x0F, 0xB, 0xB, 1, 0, 0x00, 0x00, 0x00}, {0, 3}},
    {"DefineButton2", 34, {0xA, 0xA, 0, 0, 0, 0x0F, 0xB, 0xB, 1, 0, 0x00, 0x00, 0x00}, {0, 6}},
    {"DefineText", 11, {2, 2, 0x00, 0x00, 1, 1, 0x88, 0xC, 0xC, 0xF0, 0, 1, 0x80, 0x00}, {0, 7}},
    {"ExportAssets", 56, {2, 0, 0xD, 0xD, 'a', 0, 0xE, 0xE, 'b', 0}, {2, 6}},
    {"ImportAssets", 57, {'u', 0, 1, 0, 0xD, 0xD, 'n', 0}, {4}},
    {"DefineFontInfo", 13, {0xC, 0xC, 1, 'f', 0}, {0}},
    {"DefineShape3 with new styles",
     32,
     {1, 1, 0x00, 1, 0x41, 0xF, 0xF, 0x00, 0, 0x10, 0x40, 1, 0x40, 0x10, 0x10, 0x00, 0, 0x10, 0x00},
     {0, 5, 13}},
    {"DefineShape without a bitmap", 2, {1, 1, 0x00, 1, 0x41, 0xFF, 0xFF, 0x00, 0, 0x10, 0x00}, {0}},
    {"DefineMorphShape", 46, {1, 1, 0x00, 0x00, 0, 0, 0, 0, 1, 0x41, 0xF, 0xF, 0x00, 0x00}, {0, 10}},
    {"DefineBitsLossless", 20, {3, 3, 3, 1, 0, 1, 0}, {0}},
    {"DoInitAction", 59, {3, 3, 0x07, 0x00}, {0}},
    {"SetBackgroundColor", 9, {1, 2, 3}, {}},
    // The product and build stamp that authoring tools put in their movies.
    {"ProductInfo", 41, Bytes(26, 0x11), {}},
};

TEST(Renumbering, ChangesExactlyTheIdsOfEachTagKind)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        swf::IdCounter ids(1000);
        CSwfMovie movie;
        movie.LoadBytes(Movie(c.code, c.body), {.remapIds = &ids});
        swf::Writer out;
        movie.SetWriteAll(true);
        movie.Write(out);
        Bytes written = out.Take();
        size_t header = c.body.size() < 63 ? 2 : 6;
        ASSERT_EQ(written.size(), header + c.body.size());
        Bytes body(written.begin() + header, written.end());

        Bytes expected = c.body;
        std::map<uint16_t, uint16_t> mapping;
        uint16_t next = 1000;
        for (size_t at : c.idAt) {
            uint16_t id = uint16_t(c.body[at] | c.body[at + 1] << 8);
            if (!mapping.count(id))
                mapping[id] = next++;
            expected[at] = uint8_t(mapping[id]);
            expected[at + 1] = uint8_t(mapping[id] >> 8);
        }
        EXPECT_EQ(body, expected);
    }
}

TEST(Renumbering, KeysAndDependenciesFollowTheNewIds)
{
    swf::IdCounter ids(1000);
    CSwfMovie movie;
    // A button (id 0x0A0A -> 1000) showing character 0x0B0B (-> 1001).
    movie.LoadBytes(Movie(7, {0xA, 0xA, 0x0F, 0xB, 0xB, 1, 0, 0x00, 0x00, 0x00}), {.remapIds = &ids});
    EXPECT_EQ(movie.GetTag(0)->GetCharacterId(), 1000);
    EXPECT_EQ(movie.GetTag(0)->GetDependencies(), std::vector<uint16_t>{1001});
    // An export of two characters is found under both.
    CSwfMovie exports;
    exports.LoadBytes(Movie(56, {2, 0, 0xD, 0xD, 'a', 0, 0xE, 0xE, 'b', 0}));
    EXPECT_EQ(exports.FindCharacter(0x0D0D).size(), 1u);
    EXPECT_EQ(exports.FindCharacter(0x0E0E).size(), 1u);
}

TEST(Renumbering, PicturesSharingTheMovieJpegTablesBecomeSelfContained)
{
    const Bytes tables = {0xFF, 0xD8, 0xFF, 0xDB, 0xFF, 0xD9};
    const Bytes picture = {0xFF, 0xD8, 0xFF, 0xDA, 0xFF, 0xD9};
    swf::Writer tags;
    tags.Tag(swf::TagCode::JpegTables, tables);
    Bytes bits = {7, 0};
    bits.insert(bits.end(), picture.begin(), picture.end());
    tags.Tag(swf::TagCode::DefineBits, bits);
    Bytes file = Movie(1, {});
    file.insert(file.end() - 4, tags.Data().begin(), tags.Data().end());
    swf::Writer length;
    length.U32(uint32_t(file.size()));
    std::copy(length.Data().begin(), length.Data().end(), file.begin() + 4);

    // A plain load keeps the movie as it is.
    CSwfMovie plain;
    plain.LoadBytes(file);
    EXPECT_EQ(plain.WriteBytes(0, 0, 12, false).size(), file.size() + 8);
    EXPECT_EQ(plain.GetTag(1)->GetTagCode(), swf::TagCode::DefineBits);

    swf::IdCounter ids(300);
    CSwfMovie merged;
    merged.LoadBytes(file, {.remapIds = &ids});
    auto* joined = dynamic_cast<CSwfRawTag*>(merged.GetTag(1));
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->GetCode(), 21);
    EXPECT_EQ(joined->GetCharacterId(), 300);
    Bytes expected = {44, 1};
    expected.insert(expected.end(), tables.begin(), tables.end());
    expected.insert(expected.end(), picture.begin(), picture.end());
    EXPECT_EQ(joined->GetBody(), expected);
}

TEST(Renumbering, AMalformedTagIsRefusedOnlyWhenItMustBeRenumbered)
{
    // A shape with a fill style kind that does not exist.
    Bytes file = Movie(2, {1, 1, 0x00, 1, 0x77, 0, 0});
    CSwfMovie plain;
    EXPECT_NO_THROW(plain.LoadBytes(file));
    EXPECT_EQ(plain.WriteBytes(0, 0, 12, false).size(), file.size() + 8); // header rect is 9 bytes
    CSwfMovie renumbered;
    swf::IdCounter ids;
    EXPECT_THROW(renumbered.LoadBytes(file, {.remapIds = &ids}), swf::SwfError);
}

} // namespace
