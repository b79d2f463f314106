#include "swf/SwfMovie.h"

#include "base/FileRead.h"

#include "swf/ActionList.h"
#include "swf/AssetCipher.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfReader.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "swf/TagLoader.h"
#include "swf/ZlibStream.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <unordered_set>

namespace {

// Largest movie the reader accepts, inflated; far above anything the program makes or embeds.
constexpr size_t kMaxMovieBytes = size_t(256) << 20;
// zlib cannot inflate more than about 1032 bytes per input byte.
constexpr size_t kMaxInflateRatio = 1040;

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    // A movie named by a document may be a FIFO or a device: it is refused, never waited on.
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!base::ReadRegularFile(path.string(), bytes, kMaxMovieBytes, &reason))
        throw swf::SwfError("cannot read movie file " + path.string() + ": " + reason);
    return bytes;
}

bool EndsWithDat(const std::filesystem::path& path)
{
    std::string text = path.string();
    return text.size() >= 3 && text.compare(text.size() - 3, 3, "dat") == 0;
}

// The movie after its 8-byte header, inflated when compressed.
std::vector<uint8_t> MovieBody(std::span<const uint8_t> file, uint8_t& version)
{
    if (file.size() < 8)
        throw swf::SwfError("movie file of " + std::to_string(file.size()) +
                            " bytes is too short for a header");
    bool compressed = file[0] == 'C';
    if (!((file[0] == 'F' || compressed) && file[1] == 'W' && file[2] == 'S'))
        throw swf::SwfError("not a movie file (bad signature)");
    version = file[3];
    uint32_t length = static_cast<uint32_t>(file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24);
    if (length < 8 || length > kMaxMovieBytes)
        throw swf::SwfError("movie header gives an impossible length of " + std::to_string(length));
    size_t bodyLength = length - 8;
    auto packed = file.subspan(8);
    if (!compressed) {
        if (packed.size() < bodyLength)
            throw swf::SwfError("truncated movie: header says " + std::to_string(length) +
                                " bytes, file has " + std::to_string(file.size()));
        return std::vector<uint8_t>(packed.begin(), packed.begin() + bodyLength);
    }
    if (bodyLength > packed.size() * kMaxInflateRatio + 64)
        throw swf::SwfError("compressed movie claims more data than it can hold");
    std::vector<uint8_t> body(bodyLength);
    uLongf produced = static_cast<uLongf>(bodyLength);
    uLong consumed = static_cast<uLong>(packed.size());
    int rc = uncompress2(body.data(), &produced, packed.data(), &consumed);
    if (rc != Z_OK || produced != bodyLength)
        throw swf::SwfError(rc == Z_BUF_ERROR && produced == bodyLength
                                ? "compressed movie inflates to more than its header says"
                                : "damaged compressed movie (zlib error " + std::to_string(rc) + ")");
    return body;
}

} // namespace

CSwfMovie::CSwfMovie() = default;

CSwfMovie::~CSwfMovie() = default;

CSwfObject* CSwfMovie::AddTag(std::unique_ptr<CSwfObject> tag)
{
    if (!tag)
        throw swf::SwfError("null tag added to a movie");
    CSwfObject* raw = tag.get();
    tags_.push_back({raw, std::move(tag)});
    Index(raw);
    return raw;
}

void CSwfMovie::AddTag(CSwfObject* borrowed)
{
    if (!borrowed)
        throw swf::SwfError("null tag added to a movie");
    if (borrowed == this)
        throw swf::SwfError("a movie cannot hold itself");
    tags_.push_back({borrowed, nullptr});
    Index(borrowed);
}

void CSwfMovie::Index(CSwfObject* tag)
{
    if (tag->GetTagCode() == swf::TagCode::ShowFrame && frameCount_ < 0xFFFF)
        ++frameCount_;
    if (tag->GetCharacterId() != 0)
        index_.emplace(tag->GetCharacterId(), tag);
    if (auto* raw = dynamic_cast<CSwfRawTag*>(tag))
        for (uint16_t id : raw->GetExtraKeys())
            index_.emplace(id, tag);
}

void CSwfMovie::Unindex(CSwfObject* tag)
{
    std::vector<uint16_t> keys{tag->GetCharacterId()};
    if (auto* raw = dynamic_cast<CSwfRawTag*>(tag))
        keys.insert(keys.end(), raw->GetExtraKeys().begin(), raw->GetExtraKeys().end());
    for (uint16_t key : keys) {
        auto range = index_.equal_range(key);
        for (auto it = range.first; it != range.second;) {
            if (it->second == tag)
                it = index_.erase(it);
            else
                ++it;
        }
    }
    const CSwfRawData* initActions = nullptr;
    if (auto* init = dynamic_cast<CSwfDoInitAction*>(tag))
        initActions = &init->GetActions();
    for (auto& entry : clipEntries_) {
        if (entry.placement_ == tag)
            entry.placement_ = nullptr;
        if (initActions != nullptr && entry.initActions_ == initActions)
            entry.initActions_ = nullptr;
    }
}

std::unique_ptr<CSwfObject> CSwfMovie::RemoveTag(CSwfObject* tag)
{
    auto found = std::find_if(tags_.begin(), tags_.end(), [tag](const Entry& e) { return e.tag == tag; });
    if (found == tags_.end())
        return nullptr;
    Unindex(tag);
    std::unique_ptr<CSwfObject> owned = std::move(found->owned);
    tags_.erase(found);
    return owned;
}

void CSwfMovie::RemoveAllTags()
{
    clipEntries_.clear();
    index_.clear();
    tags_.clear();
    frameCount_ = 0;
}

std::vector<CSwfObject*> CSwfMovie::FindCharacter(uint16_t id) const
{
    std::vector<CSwfObject*> found;
    for (const auto& entry : tags_) {
        auto range = index_.equal_range(id);
        for (auto it = range.first; it != range.second; ++it)
            if (it->second == entry.tag) {
                found.push_back(entry.tag);
                break;
            }
    }
    return found;
}

void CSwfMovie::Write(swf::Writer& out)
{
    for (auto& entry : tags_) {
        if (!writeAll_ && entry.tag->GetUseCount() == 0)
            continue;
        auto* raw = dynamic_cast<CSwfRawTag*>(entry.tag);
        if (!writeAll_ && raw != nullptr && !raw->GetExtraKeys().empty() &&
            raw->GetCode() == static_cast<uint16_t>(swf::TagCode::ExportAssets))
            WriteUsedExports(out, *raw);
        else
            entry.tag->Write(out);
    }
}

bool CSwfMovie::IsDefinitionUsed(uint16_t id) const
{
    auto range = index_.equal_range(id);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second->GetTagCode() != swf::TagCode::ExportAssets && it->second->GetUseCount() > 0)
            return true;
    return false;
}

void CSwfMovie::WriteUsedExports(swf::Writer& out, CSwfRawTag& exports) const
{
    // An export of several characters, only some of them written: naming the others would
    // export ids this output does not define, and could hide another movie's export of a name.
    swf::Reader in(exports.GetBody(), "ExportAssets");
    uint16_t count = in.U16();
    swf::Writer kept;
    uint16_t keptCount = 0;
    kept.U16(0);
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t id = in.U16();
        std::string name = in.String();
        if (!IsDefinitionUsed(id))
            continue;
        kept.U16(id);
        kept.String(name);
        ++keptCount;
    }
    if (keptCount == count) {
        exports.Write(out);
        return;
    }
    kept.PatchU16(0, keptCount);
    if (keptCount > 0)
        out.Tag(swf::TagCode::ExportAssets, kept.Data());
}

void CSwfMovie::WriteAllTags(swf::Writer& out)
{
    for (auto& entry : tags_)
        entry.tag->Write(out);
}

void CSwfMovie::ChangeUse(uint16_t id, bool add)
{
    std::unordered_set<uint16_t> seen;
    std::vector<uint16_t> pending{id};
    while (!pending.empty()) {
        uint16_t next = pending.back();
        pending.pop_back();
        if (next == 0 || !seen.insert(next).second)
            continue;
        auto range = index_.equal_range(next);
        std::unordered_set<CSwfObject*> done;
        for (auto it = range.first; it != range.second; ++it) {
            CSwfObject* tag = it->second;
            if (!done.insert(tag).second)
                continue;
            if (add)
                tag->AddUse();
            else
                tag->RemoveUse();
            for (uint16_t dependency : tag->GetDependencies())
                pending.push_back(dependency);
        }
    }
}

void CSwfMovie::MarkCharacterUsed(uint16_t id)
{
    ChangeUse(id, true);
}

void CSwfMovie::UnmarkCharacterUsed(uint16_t id)
{
    ChangeUse(id, false);
}

void CSwfMovie::ClearForLoad()
{
    RemoveAllTags();
}

void CSwfMovie::ParseTag(swf::TagLoader& loader, uint16_t code, std::span<const uint8_t> body,
                         bool longHeader, size_t offset)
{
    auto tag = loader.Decode(code, body, longHeader, offset);
    // Our asset movies carry the marker at the top level; it goes out with them whatever is used.
    if (code == static_cast<uint16_t>(swf::TagCode::Marker))
        tag->AddUse();
    AddTag(std::move(tag));
}

void CSwfMovie::LoadFile(const std::filesystem::path& path, const swf::LoadOptions& options)
{
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    try {
        if (EndsWithDat(path))
            bytes = swf::DecipherAsset(bytes);
        LoadBytes(bytes, options);
    } catch (const swf::SwfError& e) {
        throw swf::SwfError(path.string() + ": " + e.what());
    }
}

void CSwfMovie::LoadBytes(std::span<const uint8_t> file, const swf::LoadOptions& options)
{
    ClearForLoad();

    uint8_t version = 0;
    std::vector<uint8_t> body = MovieBody(file, version);
    swf::Reader header(body, "movie header", 8);
    CSwfRect rect = swf::ReadRect(header);
    uint16_t rate = header.U16();
    uint16_t frames = header.U16();

    swf::TagLoader loader(options);
    size_t tagsAt = 8 + header.Offset();
    swf::ForEachTag(header.Rest(), tagsAt,
                    [&](uint16_t code, std::span<const uint8_t> tag, bool longHeader, size_t offset) {
                        ParseTag(loader, code, tag, longHeader, offset);
                    });
    version_ = version;
    frameRect_ = rect;
    frameRate_ = swf::FromFixed8(rate);
    frameCount_ = frames;
    BuildClipEntries(options.keepTopLevel);
}

void CSwfMovie::BuildClipEntries(bool keepTopLevel)
{
    clipEntries_.clear();
    for (const auto& entry : tags_) {
        auto* raw = dynamic_cast<CSwfRawTag*>(entry.tag);
        if (raw == nullptr || raw->GetCode() != static_cast<uint16_t>(swf::TagCode::ExportAssets))
            continue;
        swf::Reader in(raw->GetBody(), "ExportAssets");
        uint16_t count = in.U16();
        for (uint16_t i = 0; i < count; ++i) {
            uint16_t id = in.U16();
            clipEntries_.emplace_back(this, id, in.String());
        }
    }
    // The first top-level placement and the first init actions of each character.
    std::unordered_map<uint16_t, CSwfObject*> placements;
    std::unordered_map<uint16_t, const CSwfRawData*> inits;
    for (const auto& entry : tags_) {
        CSwfObject* tag = entry.tag;
        auto code = tag->GetTagCode();
        if ((code == swf::TagCode::PlaceObject2 || code == swf::TagCode::PlaceObject) &&
            tag->GetDependencies().size() == 1)
            placements.emplace(tag->GetDependencies()[0], tag);
        if (auto* init = dynamic_cast<CSwfDoInitAction*>(tag))
            inits.emplace(init->GetCharacterId(), &init->GetActions());
    }
    for (auto& clip : clipEntries_) {
        if (keepTopLevel) {
            auto placement = placements.find(clip.id_);
            if (placement != placements.end())
                clip.placement_ = placement->second;
        }
        auto init = inits.find(clip.id_);
        if (init != inits.end())
            clip.initActions_ = init->second;
    }
}

std::vector<uint8_t> CSwfMovie::WriteBytes(int32_t width, int32_t height, double frameRate, bool compress)
{
    if (width < 0 || height < 0)
        throw swf::SwfError("negative movie size");
    swf::Writer out;
    out.Bytes("FWS", 3);
    out.U8(6);
    out.U32(0);
    // 16-bit fields whenever the size allows, so the rectangle can be rewritten in place.
    bool fits = width <= 0x7FFF && height <= 0x7FFF;
    swf::WriteRect(out, CSwfRect(0, width, 0, height), fits ? 16 : 0);
    out.U16(swf::ToFixed8(frameRate));
    out.U16(frameCount_);
    WriteAllTags(out);
    out.U16(0);
    if (out.Size() > 0xFFFFFFFFu)
        throw swf::SwfError("movie too large for its header");
    out.PatchU32(4, static_cast<uint32_t>(out.Size()));
    std::vector<uint8_t> plain = out.Take();
    // Not one conditional expression: its plain operand would be copied, not moved, and a
    // large movie is tens of megabytes.
    if (compress)
        return swf::CompressMovie(plain);
    return plain;
}

void CSwfMovie::WriteFile(const std::filesystem::path& path, int32_t width, int32_t height, double frameRate,
                          bool compress, bool encipher)
{
    std::vector<uint8_t> bytes = WriteBytes(width, height, frameRate, compress);
    if (encipher)
        bytes = swf::EncipherAsset(bytes);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw swf::SwfError("cannot create movie file " + path.string());
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw swf::SwfError("cannot write movie file " + path.string());
}

std::vector<uint8_t> swf::CompressMovie(std::span<const uint8_t> plainFile)
{
    if (plainFile.size() < 8 || plainFile[0] != 'F')
        throw SwfError("only an uncompressed movie file can be compressed");
    std::vector<uint8_t> file(plainFile.begin(), plainFile.begin() + 8);
    file[0] = 'C';
    AppendZlibStream(file, plainFile.subspan(8));
    return file;
}
