#include "swf/SwfSprite.h"

#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfShape.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"

CSwfSprite::CSwfSprite(swf::IdCounter& characterIds) : CSwfObject(characterIds.Next())
{
}

CSwfSprite::CSwfSprite(uint16_t characterId, uint16_t frameCount, bool longHeader)
    : CSwfObject(characterId), frameCount_(frameCount), countFrames_(false), longHeader_(longHeader)
{
}

CSwfSprite::~CSwfSprite() = default;

CSwfObject* CSwfSprite::AddTag(std::unique_ptr<CSwfObject> tag)
{
    if (!tag)
        throw swf::SwfError("null tag added to a sprite");
    if (countFrames_ && tag->GetTagCode() == swf::TagCode::ShowFrame)
        ++frameCount_;
    for (uint16_t id : tag->GetDependencies())
        AddDependency(id);
    tags_.push_back(std::move(tag));
    return tags_.back().get();
}

void CSwfSprite::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(GetCharacterId());
    body.U16(frameCount_);
    for (auto& tag : tags_)
        tag->Write(body);
    body.U16(0);
    out.Tag(swf::TagCode::DefineSprite, body.Data(), longHeader_);
}

CSwfSprite& AddPictureSprite(CSwfMovie& movie, swf::IdCounter& ids, std::uint16_t bitmap, int width,
                             int height)
{
    const std::int32_t w = width * 20;
    const std::int32_t h = height * 20;
    auto shape = std::make_unique<CSwfShape>(ids, CSwfRect(0, w, 0, h));
    shape->AddFillStyle(CSwfFillStyle::Bitmap(0xFFFF, CSwfMatrix::CSwfMatrixScaled(10 << 16, 10 << 16)));
    const int fill =
        shape->AddFillStyle(CSwfFillStyle::Bitmap(bitmap, CSwfMatrix::CSwfMatrixScaled(20 << 16, 20 << 16)));
    shape->EndStyles();
    shape->AddRecord(std::make_unique<CStyleChangeRecord>(w, h, -1, fill));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(-w, 0));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(0, -h));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(w, 0));
    shape->AddRecord(std::make_unique<CStraightEdgeRecord>(0, h));
    shape->AddRecord(std::make_unique<CEndShapeRecord>());
    const std::uint16_t shapeId = shape->GetCharacterId();
    movie.AddTag(std::move(shape));
    auto sprite = std::make_unique<CSwfSprite>(ids);
    sprite->AddTag(std::make_unique<CSwfPlaceObject2>(1, shapeId, CSwfMatrix(), ""));
    // Without a frame of its own the sprite shows nothing in some players.
    sprite->AddTag(std::make_unique<CSwfShowFrame>());
    return static_cast<CSwfSprite&>(*movie.AddTag(std::move(sprite)));
}
