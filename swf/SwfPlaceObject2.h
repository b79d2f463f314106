#pragma once

#include "swf/SwfObject.h"
#include "swf/SwfRecords.h"

#include <string>
#include <string_view>
#include <vector>

// PlaceObject2 (26) placing a character at a depth with a matrix and an instance name. Clip
// actions, when given, are written as they stand (the block that starts with its reserved
// 16-bit field and ends with the 32-bit zero end flag).
class CSwfPlaceObject2 : public CSwfObject {
public:
    CSwfPlaceObject2(uint16_t depth, uint16_t characterId, const CSwfMatrix& matrix, std::string_view name);

    uint16_t GetDepth() const { return depth_; }
    uint16_t GetPlacedId() const { return placedId_; }
    const CSwfMatrix& GetMatrix() const { return matrix_; }
    const std::string& GetName() const { return name_; }
    void SetClipActions(std::vector<uint8_t> block) { clipActions_ = std::move(block); }

    swf::TagCode GetTagCode() const override { return swf::TagCode::PlaceObject2; }
    void Write(swf::Writer& out) override;

private:
    uint16_t depth_;
    uint16_t placedId_;
    CSwfMatrix matrix_;
    std::string name_;
    std::vector<uint8_t> clipActions_;
};
