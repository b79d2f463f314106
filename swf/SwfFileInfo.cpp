#include "swf/SwfFileInfo.h"

#include "swf/SwfCodes.h"

void CSwfFileInfo::ClearForLoad()
{
    CSwfMovie::ClearForLoad();
    background_ = 0xFFFFFF;
    hasBackground_ = false;
    hasMarker_ = false;
}

void CSwfFileInfo::ParseTag(swf::TagLoader&, uint16_t code, std::span<const uint8_t> body, bool, size_t)
{
    if (code == static_cast<uint16_t>(swf::TagCode::SetBackgroundColor) && body.size() >= 3 &&
        !hasBackground_) {
        background_ = uint32_t(body[0]) << 16 | uint32_t(body[1]) << 8 | body[2];
        hasBackground_ = true;
    } else if (code == static_cast<uint16_t>(swf::TagCode::Marker)) {
        hasMarker_ = true;
    }
}
