#include "swf/SwfPlaceObject2.h"

#include "swf/SwfWriter.h"

namespace {
constexpr uint8_t kHasClipActions = 0x80;
constexpr uint8_t kHasName = 0x20;
constexpr uint8_t kHasMatrix = 0x04;
constexpr uint8_t kHasCharacter = 0x02;
} // namespace

CSwfPlaceObject2::CSwfPlaceObject2(uint16_t depth, uint16_t characterId, const CSwfMatrix& matrix,
                                   std::string_view name)
    : depth_(depth), placedId_(characterId), matrix_(matrix), name_(name)
{
    AddDependency(characterId);
}

void CSwfPlaceObject2::Write(swf::Writer& out)
{
    uint8_t flags = kHasCharacter | kHasMatrix;
    if (!name_.empty())
        flags |= kHasName;
    if (!clipActions_.empty())
        flags |= kHasClipActions;
    swf::Writer body;
    body.U8(flags);
    body.U16(depth_);
    body.U16(placedId_);
    swf::WriteMatrix(body, matrix_);
    if (!name_.empty())
        body.String(name_);
    body.Bytes(clipActions_);
    out.Tag(swf::TagCode::PlaceObject2, body.Data());
}
