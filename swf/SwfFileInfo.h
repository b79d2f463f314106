#pragma once

#include "swf/SwfMovie.h"

// Reads only what an import needs to know about a movie: its frame rectangle (of the base
// class), its background colour and whether it carries our marker tag.
class CSwfFileInfo : public CSwfMovie {
public:
    bool HasBackgroundColor() const { return hasBackground_; }
    // 0xRRGGBB; white when the movie sets none.
    uint32_t GetBackgroundColor() const { return background_; }
    bool HasMarker() const { return hasMarker_; }

protected:
    void ParseTag(swf::TagLoader& loader, uint16_t code, std::span<const uint8_t> body, bool longHeader,
                  size_t offset) override;
    void ClearForLoad() override;

private:
    uint32_t background_ = 0xFFFFFF;
    bool hasBackground_ = false;
    bool hasMarker_ = false;
};
