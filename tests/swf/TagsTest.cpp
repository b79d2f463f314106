#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfReader.h"
#include "swf/SwfShape.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Written(CSwfObject& tag)
{
    swf::Writer out;
    tag.Write(out);
    return out.Take();
}

TEST(Tags, FixedLayouts)
{
    CSwfScriptLimits limits(256, 60);
    EXPECT_EQ(Written(limits), (Bytes{0x44, 0x10, 0x00, 0x01, 60, 0}));
    CSwfSetBackgroundColor background(0x11, 0x22, 0x33);
    EXPECT_EQ(Written(background), (Bytes{0x43, 0x02, 0x11, 0x22, 0x33}));
    EXPECT_EQ(background.GetColor(), 0x112233u);
    CSwfShowFrame frame;
    EXPECT_EQ(Written(frame), (Bytes{0x40, 0x00}));
    CSwfDebugId debugId;
    Bytes id = Written(debugId);
    ASSERT_EQ(id.size(), 18u);
    EXPECT_EQ(id[0] | id[1] << 8, 63 << 6 | 16);

    CSwfExportedSymbol exported(12);
    EXPECT_EQ(exported.GetName(), "embed_12");
    exported.SetName("initCode");
    Bytes bytes = Written(exported);
    EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.end()),
              (Bytes{1, 0, 12, 0, 'i', 'n', 'i', 't', 'C', 'o', 'd', 'e', 0}));
}

// A tag written in place comes out as Tag writes it, in the short form under 63 bytes and the
// long one from there, with what came before it kept.
TEST(Tags, ATagWrittenInPlaceIsTheOneWrittenApart)
{
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(62), std::size_t(63), std::size_t(5000)}) {
        SCOPED_TRACE(size);
        Bytes body(size);
        for (std::size_t i = 0; i < size; ++i)
            body[i] = static_cast<uint8_t>(i * 7 + 1);
        swf::Writer apart;
        apart.U8(0xAB);
        apart.Tag(swf::TagCode::DoAction, body);
        swf::Writer inPlace;
        inPlace.U8(0xAB);
        const std::size_t start = inPlace.BeginTag();
        inPlace.Bytes(body);
        inPlace.EndTag(swf::TagCode::DoAction, start);
        EXPECT_EQ(inPlace.Data(), apart.Data());
    }
}

TEST(Tags, DebuggerPasswordIsAnMd5CryptHash)
{
    CSwfEnableDebugger2 empty("");
    // The "$1$" method's values, as other MD5-crypt implementations compute them.
    EXPECT_EQ(empty.GetHash(), "$1$Vt$IKCLGXsZTmPx9Pbkepezb1");
    EXPECT_EQ(CSwfEnableDebugger2("secret").GetHash(), "$1$Vt$U954trCNgGjPMin1aWIOd1");
    EXPECT_EQ(CSwfEnableDebugger2("").GetHash(), empty.GetHash()); // fixed salt: reproducible
    EXPECT_NE(CSwfEnableDebugger2("secret").GetHash(), empty.GetHash());
    Bytes bytes = Written(empty);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes.back(), 0);
}

TEST(Tags, PlacementWithAndWithoutName)
{
    CSwfPlaceObject2 named(3, 9, CSwfMatrix(), "mgr");
    EXPECT_EQ(named.GetDependencies(), std::vector<uint16_t>{9});
    Bytes bytes = Written(named);
    EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.end()), (Bytes{0x26, 3, 0, 9, 0, 0x00, 'm', 'g', 'r', 0}));
    CSwfPlaceObject2 scaled(1, 2, CSwfMatrix::CSwfMatrixScaled(0x140000, 0x140000), "");
    bytes = Written(scaled);
    swf::Reader in(std::span<const uint8_t>(bytes).subspan(2), "placement");
    EXPECT_EQ(in.U8(), 0x06);
    in.Skip(4);
    CSwfMatrix m = swf::ReadMatrix(in);
    EXPECT_EQ(m, CSwfMatrix::CSwfMatrixScaled(0x140000, 0x140000));
    EXPECT_TRUE(in.AtEnd());
}

TEST(Tags, RecordsRoundTrip)
{
    const CSwfRect rects[] = {{0, 0, 0, 0}, {0, 12000, 0, 8000}, {-5, 7, -1000000, 1000000}};
    for (const auto& r : rects) {
        swf::Writer out;
        swf::WriteRect(out, r);
        swf::Reader in(out.Data(), "rect");
        EXPECT_EQ(swf::ReadRect(in), r);
        EXPECT_TRUE(in.AtEnd());
    }
    CSwfMatrix rotated;
    rotated.hasRotate = true;
    rotated.rotateSkew0 = -65536;
    rotated.rotateSkew1 = 3;
    rotated.translateX = -40;
    rotated.translateY = 17;
    swf::Writer out;
    swf::WriteMatrix(out, rotated);
    swf::Reader in(out.Data(), "matrix");
    EXPECT_EQ(swf::ReadMatrix(in), rotated);
    swf::Writer narrow;
    EXPECT_THROW(swf::WriteRect(narrow, CSwfRect(0, 40000, 0, 1), 16), swf::SwfError);
    // A value needing 32 bits has no 5-bit width: refused, not written as a 0-bit field.
    EXPECT_THROW(swf::WriteMatrix(narrow, CSwfMatrix::CSwfMatrixScaled(INT32_MIN, 1)), swf::SwfError);
    CSwfMatrix far;
    far.translateX = INT32_MAX;
    EXPECT_THROW(swf::WriteMatrix(narrow, far), swf::SwfError);
    // Plain bit fields are checked the same way instead of losing their high bits.
    swf::Writer fields;
    EXPECT_THROW(fields.Bits(8, 3), swf::SwfError);
    EXPECT_THROW(fields.Bits(1, 0), swf::SwfError);
    EXPECT_THROW(fields.SignedBits(-5, 3), swf::SwfError);
    fields.Bits(5, 3);
    fields.SignedBits(-4, 3);
    fields.Bits(0xFFFFFFFFu, 32);
    fields.FlushBits();
    swf::Reader bits(fields.Data(), "bits");
    EXPECT_EQ(bits.Bits(3), 5u);
    EXPECT_EQ(bits.SignedBits(3), -4);
    EXPECT_EQ(bits.Bits(32), 0xFFFFFFFFu);
}

// The shape an embedded picture gets, read back by the movie reader: the bitmap fill's id must
// be found (and renumbered) inside the shape.
TEST(Tags, PictureShapeIsReadableAndItsBitmapRenumbered)
{
    swf::IdCounter buildIds(10);
    const int w = 64 * 20, h = 48 * 20;
    CSwfOutputMovie movie;
    auto* shape = new CSwfShape(buildIds, CSwfRect(0, w, 0, h));
    shape->AddFillStyle(CSwfFillStyle::Bitmap(0xFFFF, CSwfMatrix::CSwfMatrixScaled(10 << 16, 10 << 16)));
    shape->AddFillStyle(CSwfFillStyle::Bitmap(77, CSwfMatrix::CSwfMatrixScaled(20 << 16, 20 << 16)));
    shape->EndStyles();
    EXPECT_THROW(shape->AddFillStyle(CSwfFillStyle::Solid(0)), swf::SwfError);
    shape->AddRecord(std::make_unique<CStyleChangeRecord>(w, h, -1, 2));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(-w, 0));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(0, -h));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(w, 0));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(0, h));
    shape->AddRecord(std::make_unique<CEndShapeRecord>());
    EXPECT_EQ(shape->GetDependencies(), std::vector<uint16_t>{77});
    uint16_t shapeId = shape->GetCharacterId();
    movie.AddTag(std::unique_ptr<CSwfObject>(shape));
    auto sprite = std::make_unique<CSwfSprite>(buildIds);
    sprite->AddTag(std::make_unique<CSwfPlaceObject2>(1, shapeId, CSwfMatrix(), ""));
    sprite->AddTag(std::make_unique<CSwfShowFrame>());
    EXPECT_EQ(sprite->GetFrameCount(), 1);
    EXPECT_EQ(sprite->GetDependencies(), std::vector<uint16_t>{shapeId});
    movie.AddTag(std::move(sprite));
    Bytes file = movie.WriteBytes(100, 100, 30, false);

    swf::IdCounter mergeIds(1000);
    CSwfMovie loaded;
    loaded.LoadBytes(file, {.remapIds = &mergeIds});
    ASSERT_EQ(loaded.GetTagCount(), 2u);
    const CSwfObject* readShape = loaded.GetTag(0);
    EXPECT_GE(readShape->GetCharacterId(), 1000);
    ASSERT_EQ(readShape->GetDependencies().size(), 1u);
    EXPECT_GE(readShape->GetDependencies()[0], 1000); // 77 renumbered, 0xFFFF kept
    EXPECT_EQ(loaded.GetTag(1)->GetDependencies(), std::vector<uint16_t>{readShape->GetCharacterId()});
}

TEST(Tags, ShapeRecordSelectingAMissingStyleIsRefused)
{
    swf::IdCounter ids;
    CSwfShape shape(ids, CSwfRect(0, 20, 0, 20));
    shape.AddFillStyle(CSwfFillStyle::Solid(0xFF0000));
    shape.AddRecord(std::make_unique<CStyleChangeRecord>(0, 0, -1, 2));
    swf::Writer out;
    EXPECT_THROW(shape.Write(out), swf::SwfError);
}

} // namespace
