#pragma once

#include "swf/SwfMovie.h"

#include <memory>
#include <unordered_set>
#include <vector>

// A user's movie read for embedding: definitions go to the tag list, timeline tags (frames,
// placements, frame scripts, sounds) to a separate list that the embedder moves into a sprite.
class CEmbeddedSwfMovie : public CSwfMovie {
public:
    CEmbeddedSwfMovie();
    ~CEmbeddedSwfMovie() override;

    std::vector<std::unique_ptr<CSwfObject>>& GetTimelineTags() { return timeline_; }
    // Characters the movie's own scripts may reach by name (exported or initialised by a
    // DoInitAction): they must be written even when no placement uses them.
    const std::vector<uint16_t>& GetKeptIds() const { return keptIds_; }
    bool HasBackgroundColor() const { return hasBackground_; }
    uint32_t GetBackgroundColor() const { return background_; }

protected:
    void ParseTag(swf::TagLoader& loader, uint16_t code, std::span<const uint8_t> body, bool longHeader,
                  size_t offset) override;
    void ClearForLoad() override;

private:
    std::vector<std::unique_ptr<CSwfObject>> timeline_;
    std::vector<uint16_t> keptIds_;
    std::unordered_set<uint16_t> keptSet_;
    uint32_t background_ = 0xFFFFFF;
    bool hasBackground_ = false;
};
