#pragma once

#include "swf/SwfIds.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

class CSwfObject;

namespace swf {

struct LoadOptions {
    // When set, every character id read becomes the next id of this counter: the movie is being
    // merged into a build (or a set of long-lived assets) that numbers its characters from it.
    IdCounter* remapIds = nullptr;
    // Links each exported clip to its top-level placement.
    bool keepTopLevel = false;
    // ConstantPool and Push records stay raw bytes instead of being decoded.
    bool keepRawActions = false;
};

// Decodes the tags of one file into tag objects, renumbering character ids on the way when
// asked. Tags it knows nothing about are kept raw; with renumbering on, a tag that might hold
// ids it cannot find is refused, as copying it would leave colliding ids. A renumbered movie is
// merged into another one, whose single JPEGTables may not be its own, so with renumbering on
// each DefineBits picture becomes a self-contained DefineBitsJPEG2 carrying the movie's tables.
class TagLoader {
public:
    explicit TagLoader(const LoadOptions& options) : options_(options) {}

    // offset: of the body in the file, for messages.
    std::unique_ptr<CSwfObject> Decode(uint16_t code, std::span<const uint8_t> body, bool longHeader,
                                       size_t offset);

    // The id a file's id becomes (itself without renumbering).
    uint16_t MapId(uint16_t id);
    const LoadOptions& GetOptions() const { return options_; }

private:
    std::unique_ptr<CSwfObject> DecodeSprite(std::span<const uint8_t> body, bool longHeader, size_t offset);
    std::unique_ptr<CSwfObject> JoinJpegTables(std::span<const uint8_t> body, size_t offset);

    LoadOptions options_;
    std::unordered_map<uint16_t, uint16_t> idMap_;
    int spriteDepth_ = 0;
    size_t tagCount_ = 0;
    size_t decodedActionBytes_ = 0;
    size_t idSites_ = 0;
    // The body of the movie's first JPEGTables, once seen.
    std::optional<std::vector<uint8_t>> jpegTables_;
};

// Walks a tag stream: calls visit(code, body, longHeader, offset) for each tag up to the End
// tag (or the end of the bytes). Throws SwfError when a tag overruns the stream.
template <class Visit> void ForEachTag(std::span<const uint8_t> stream, size_t base, Visit&& visit);

} // namespace swf

#include "swf/SwfCodes.h"
#include "swf/SwfReader.h"

template <class Visit> void swf::ForEachTag(std::span<const uint8_t> stream, size_t base, Visit&& visit)
{
    Reader in(stream, "tag stream", base);
    while (!in.AtEnd()) {
        uint16_t header = in.U16();
        uint16_t code = header >> 6;
        uint32_t length = header & 0x3F;
        bool longHeader = length == 0x3F;
        if (longHeader)
            length = in.U32();
        if (length > in.Remaining())
            in.Fail("tag " + std::to_string(code) + " of " + std::to_string(length) +
                    " bytes overruns the movie");
        size_t offset = base + in.Offset();
        auto body = in.Bytes(length);
        if (static_cast<TagCode>(code) == TagCode::End)
            return;
        visit(code, body, longHeader, offset);
    }
}
