#include "swf/EmbeddedSwfMovie.h"

#include "swf/SwfReader.h"
#include "swf/TagLoader.h"

namespace {

// The tags a sprite's timeline may hold.
bool IsTimelineTag(swf::TagCode code)
{
    using swf::TagCode;
    switch (code) {
    case TagCode::ShowFrame:
    case TagCode::PlaceObject:
    case TagCode::PlaceObject2:
    case TagCode::RemoveObject:
    case TagCode::RemoveObject2:
    case TagCode::DoAction:
    case TagCode::StartSound:
    case TagCode::FrameLabel:
    case TagCode::SoundStreamHead:
    case TagCode::SoundStreamHead2:
    case TagCode::SoundStreamBlock:
    case TagCode::VideoFrame:
        return true;
    default:
        return false;
    }
}

} // namespace

CEmbeddedSwfMovie::CEmbeddedSwfMovie() = default;
CEmbeddedSwfMovie::~CEmbeddedSwfMovie() = default;

void CEmbeddedSwfMovie::ClearForLoad()
{
    CSwfMovie::ClearForLoad();
    timeline_.clear();
    keptIds_.clear();
    keptSet_.clear();
    hasBackground_ = false;
    background_ = 0xFFFFFF;
}

void CEmbeddedSwfMovie::ParseTag(swf::TagLoader& loader, uint16_t code, std::span<const uint8_t> body,
                                 bool longHeader, size_t offset)
{
    auto tag = loader.Decode(code, body, longHeader, offset);
    auto kind = tag->GetTagCode();
    if (kind == swf::TagCode::SetBackgroundColor && body.size() >= 3) {
        background_ = uint32_t(body[0]) << 16 | uint32_t(body[1]) << 8 | body[2];
        hasBackground_ = true;
    }
    if (IsTimelineTag(kind)) {
        timeline_.push_back(std::move(tag));
        return;
    }
    if (kind == swf::TagCode::ExportAssets || kind == swf::TagCode::DoInitAction) {
        std::vector<uint16_t> ids;
        if (kind == swf::TagCode::DoInitAction) {
            ids.push_back(tag->GetCharacterId());
        } else {
            swf::Reader in(body, "ExportAssets", offset);
            uint16_t count = in.U16();
            for (uint16_t i = 0; i < count; ++i) {
                ids.push_back(loader.MapId(in.U16()));
                in.String();
            }
        }
        for (uint16_t id : ids)
            if (id != 0 && keptSet_.insert(id).second)
                keptIds_.push_back(id);
    }
    AddTag(std::move(tag));
}
