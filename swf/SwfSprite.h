#pragma once

#include "swf/SwfIds.h"
#include "swf/SwfObject.h"

#include <cstdint>
#include <memory>
#include <vector>

// DefineSprite (39): a character with its own timeline of tags, which it owns.
class CSwfSprite : public CSwfObject {
public:
    // A new sprite takes the next id of the build's counter.
    explicit CSwfSprite(swf::IdCounter& characterIds);
    // A sprite read from a file keeps its id, frame count and header form.
    CSwfSprite(uint16_t characterId, uint16_t frameCount, bool longHeader);
    ~CSwfSprite() override;

    // Appends; a ShowFrame adds a frame. The tag's dependencies become the sprite's.
    CSwfObject* AddTag(std::unique_ptr<CSwfObject> tag);
    size_t GetTagCount() const { return tags_.size(); }
    CSwfObject* GetTag(size_t index) const { return tags_[index].get(); }
    uint16_t GetFrameCount() const { return frameCount_; }

    swf::TagCode GetTagCode() const override { return swf::TagCode::DefineSprite; }
    void Write(swf::Writer& out) override;

private:
    std::vector<std::unique_ptr<CSwfObject>> tags_;
    uint16_t frameCount_ = 0;
    bool countFrames_ = true;
    bool longHeader_ = false;
};

class CSwfMovie;

// A shape filling width by height pixels with the bitmap, as a sprite of one frame; both are
// added to the movie.
CSwfSprite& AddPictureSprite(CSwfMovie& movie, swf::IdCounter& ids, std::uint16_t bitmap, int width,
                             int height);
