#include "swf/SwfSprite.h"

#include "swf/SwfError.h"
#include "swf/SwfIds.h"
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
