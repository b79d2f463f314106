#include "swf/TagLoader.h"

#include "base/ScopeGuard.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfRecords.h"
#include "swf/SwfSprite.h"

#include <algorithm>

namespace swf {
namespace {

// Valid movies never nest sprites; a little slack, then a hostile nesting is refused.
constexpr int kMaxSpriteNesting = 8;
// Every tag becomes an object of about a hundred bytes, so a compressed stream of empty tags
// would otherwise turn a small file into gigabytes. Long animations stay far below this.
constexpr size_t kMaxTags = 1'000'000;
constexpr size_t kMaxDecodedActionBytes = size_t(4) << 20;
// Character ids found in the tags of one movie (definitions, references, exports): each costs an
// index entry or an exported-symbol entry, so their number is bounded like the tags'.
constexpr size_t kMaxIdSites = 1'000'000;

// Where the character ids of one tag body are: keys are the ids the tag defines or is indexed
// under, references the ids it needs.
struct IdSites {
    std::vector<size_t> keys;
    std::vector<size_t> references;
};

void Key(Reader& in, IdSites& sites)
{
    sites.keys.push_back(in.Offset());
    in.U16();
}

void Reference(Reader& in, IdSites& sites)
{
    sites.references.push_back(in.Offset());
    in.U16();
}

void Color(Reader& in, bool alpha)
{
    in.Skip(alpha ? 4 : 3);
}

void ColorTransformWithAlpha(Reader& in)
{
    in.AlignBits();
    bool hasAdd = in.Bits(1) != 0;
    bool hasMult = in.Bits(1) != 0;
    int bits = static_cast<int>(in.Bits(4));
    for (int i = 0; i < (hasMult ? 4 : 0) + (hasAdd ? 4 : 0); ++i)
        in.SignedBits(bits);
    in.AlignBits();
}

void SoundInfo(Reader& in)
{
    uint8_t flags = in.U8();
    if (flags & 0x01)
        in.U32();
    if (flags & 0x02)
        in.U32();
    if (flags & 0x04)
        in.U16();
    if (flags & 0x08)
        in.Skip(size_t(in.U8()) * 8);
}

// shapeVersion 1, 2 or 3 (DefineShape, DefineShape2, DefineShape3).
void FillStyles(Reader& in, int shapeVersion, IdSites& sites)
{
    size_t count = in.U8();
    if (count == 0xFF && shapeVersion >= 2)
        count = in.U16();
    for (size_t i = 0; i < count; ++i) {
        uint8_t type = in.U8();
        if (type == 0x00) {
            Color(in, shapeVersion >= 3);
        } else if (type == 0x10 || type == 0x12 || type == 0x13) {
            ReadMatrix(in);
            int records = in.U8() & 0x0F;
            for (int r = 0; r < records; ++r) {
                in.U8();
                Color(in, shapeVersion >= 3);
            }
            if (type == 0x13)
                in.U16();
        } else if (type >= 0x40 && type <= 0x43) {
            Reference(in, sites);
            ReadMatrix(in);
        } else {
            in.Fail("unknown fill style " + std::to_string(type));
        }
    }
}

void LineStyles(Reader& in, int shapeVersion)
{
    size_t count = in.U8();
    if (count == 0xFF && shapeVersion >= 2)
        count = in.U16();
    for (size_t i = 0; i < count; ++i) {
        in.U16();
        Color(in, shapeVersion >= 3);
    }
}

void Shape(Reader& in, int shapeVersion, IdSites& sites)
{
    Key(in, sites);
    ReadRect(in);
    FillStyles(in, shapeVersion, sites);
    LineStyles(in, shapeVersion);
    int fillBits = static_cast<int>(in.Bits(4));
    int lineBits = static_cast<int>(in.Bits(4));
    for (;;) {
        if (in.Bits(1) == 0) {
            uint32_t flags = in.Bits(5);
            if (flags == 0)
                break;
            if (flags & 0x01) {
                int bits = static_cast<int>(in.Bits(5));
                in.SignedBits(bits);
                in.SignedBits(bits);
            }
            if (flags & 0x02)
                in.Bits(fillBits);
            if (flags & 0x04)
                in.Bits(fillBits);
            if (flags & 0x08)
                in.Bits(lineBits);
            if (flags & 0x10) {
                in.AlignBits();
                FillStyles(in, shapeVersion, sites);
                LineStyles(in, shapeVersion);
                fillBits = static_cast<int>(in.Bits(4));
                lineBits = static_cast<int>(in.Bits(4));
            }
        } else if (in.Bits(1) == 1) {
            int bits = static_cast<int>(in.Bits(4)) + 2;
            if (in.Bits(1) == 1) {
                in.SignedBits(bits);
                in.SignedBits(bits);
            } else {
                in.Bits(1);
                in.SignedBits(bits);
            }
        } else {
            int bits = static_cast<int>(in.Bits(4)) + 2;
            for (int i = 0; i < 4; ++i)
                in.SignedBits(bits);
        }
    }
}

void MorphShape(Reader& in, IdSites& sites)
{
    Key(in, sites);
    ReadRect(in);
    ReadRect(in);
    in.U32();
    size_t count = in.U8();
    if (count == 0xFF)
        count = in.U16();
    for (size_t i = 0; i < count; ++i) {
        uint8_t type = in.U8();
        if (type == 0x00) {
            in.Skip(8);
        } else if (type == 0x10 || type == 0x12) {
            ReadMatrix(in);
            ReadMatrix(in);
            in.Skip(size_t(in.U8() & 0x0F) * 10);
        } else if (type >= 0x40 && type <= 0x43) {
            Reference(in, sites);
            ReadMatrix(in);
            ReadMatrix(in);
        } else {
            in.Fail("unknown morph fill style " + std::to_string(type));
        }
    }
}

void Text(Reader& in, bool alpha, IdSites& sites)
{
    Key(in, sites);
    ReadRect(in);
    ReadMatrix(in);
    int glyphBits = in.U8();
    int advanceBits = in.U8();
    if (glyphBits > 32 || advanceBits > 32)
        in.Fail("glyph field wider than 32 bits");
    for (;;) {
        uint8_t flags = in.U8();
        if (flags == 0)
            break;
        if (flags & 0x08)
            Reference(in, sites);
        if (flags & 0x04)
            Color(in, alpha);
        if (flags & 0x01)
            in.S16();
        if (flags & 0x02)
            in.S16();
        if (flags & 0x08)
            in.U16();
        int glyphs = in.U8();
        for (int g = 0; g < glyphs; ++g) {
            in.Bits(glyphBits);
            in.Bits(advanceBits);
        }
        in.AlignBits();
    }
}

void Button(Reader& in, bool version2, IdSites& sites)
{
    Key(in, sites);
    if (version2) {
        in.U8();
        in.U16();
    }
    for (;;) {
        uint8_t flags = in.U8();
        if (flags == 0)
            break;
        if (version2 && (flags & 0x30))
            in.Fail("button record with filters or blend mode");
        Reference(in, sites);
        in.U16();
        ReadMatrix(in);
        if (version2)
            ColorTransformWithAlpha(in);
    }
}

// Tags that carry no character id at all.
bool IsIdFree(uint16_t code)
{
    switch (static_cast<TagCode>(code)) {
    case TagCode::ShowFrame:
    case TagCode::JpegTables:
    case TagCode::SetBackgroundColor:
    case TagCode::DoAction:
    case TagCode::SoundStreamHead:
    case TagCode::SoundStreamBlock:
    case TagCode::Protect:
    case TagCode::RemoveObject2:
    case TagCode::ProductInfo:
    case TagCode::FrameLabel:
    case TagCode::SoundStreamHead2:
    case TagCode::EnableDebugger:
    case TagCode::DebugId:
    case TagCode::EnableDebugger2:
    case TagCode::ScriptLimits:
    case TagCode::SetTabIndex:
    case TagCode::FileAttributes:
    case TagCode::Metadata:
    case TagCode::Marker:
        return true;
    default:
        return false;
    }
}

// Finds the ids of a tag. False when the tag is not one whose layout the library knows.
bool FindIdSites(uint16_t code, Reader& in, IdSites& sites)
{
    switch (static_cast<TagCode>(code)) {
    case TagCode::DefineShape:
        Shape(in, 1, sites);
        return true;
    case TagCode::DefineShape2:
        Shape(in, 2, sites);
        return true;
    case TagCode::DefineShape3:
        Shape(in, 3, sites);
        return true;
    case TagCode::DefineMorphShape:
        MorphShape(in, sites);
        return true;
    case TagCode::DefineText:
        Text(in, false, sites);
        return true;
    case TagCode::DefineText2:
        Text(in, true, sites);
        return true;
    case TagCode::DefineButton:
        Button(in, false, sites);
        return true;
    case TagCode::DefineButton2:
        Button(in, true, sites);
        return true;
    case TagCode::DefineBits:
    case TagCode::DefineFont:
    case TagCode::DefineFontInfo: // indexed under its font
    case TagCode::DefineSound:
    case TagCode::DefineBitsLossless:
    case TagCode::DefineBitsJpeg2:
    case TagCode::DefineButtonCxform: // indexed under its button
    case TagCode::DefineBitsJpeg3:
    case TagCode::DefineBitsLossless2:
    case TagCode::DefineFont2:
    case TagCode::DefineVideoStream:
    case TagCode::DefineFontInfo2:
        Key(in, sites);
        return true;
    case TagCode::PlaceObject:
    case TagCode::RemoveObject:
    case TagCode::StartSound:
    case TagCode::NameCharacter:
    case TagCode::VideoFrame:
        Reference(in, sites);
        return true;
    case TagCode::DefineButtonSound:
        Key(in, sites);
        for (int i = 0; i < 4; ++i) {
            size_t at = in.Offset();
            if (in.U16() != 0) {
                sites.references.push_back(at);
                SoundInfo(in);
            }
        }
        return true;
    case TagCode::PlaceObject2: {
        uint8_t flags = in.U8();
        in.U16();
        if (flags & 0x02)
            Reference(in, sites);
        return true;
    }
    case TagCode::DefineEditText: {
        Key(in, sites);
        ReadRect(in);
        uint8_t flags = in.U8();
        in.U8();
        if (flags & 0x01)
            Reference(in, sites);
        return true;
    }
    case TagCode::ExportAssets: {
        uint16_t count = in.U16();
        for (uint16_t i = 0; i < count; ++i) {
            Key(in, sites);
            in.String();
        }
        return true;
    }
    case TagCode::ImportAssets: {
        in.String();
        uint16_t count = in.U16();
        for (uint16_t i = 0; i < count; ++i) {
            Key(in, sites);
            in.String();
        }
        return true;
    }
    default:
        return IsIdFree(code);
    }
}

// Whether an action body ends with the End action at its very last byte, so it can be kept
// without it and written back with it.
bool EndsWithEnd(std::span<const uint8_t> actions)
{
    size_t pos = 0;
    while (pos < actions.size()) {
        uint8_t code = actions[pos];
        if (code == 0)
            return pos + 1 == actions.size();
        if (code < 0x80) {
            ++pos;
            continue;
        }
        if (pos + 3 > actions.size())
            return false;
        pos += 3 + size_t(actions[pos + 1] | actions[pos + 2] << 8);
    }
    return false;
}

uint16_t ReadU16At(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void WriteU16At(std::vector<uint8_t>& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

} // namespace

uint16_t TagLoader::MapId(uint16_t id)
{
    if (!options_.remapIds || id == 0 || id == 0xFFFF)
        return id;
    auto found = idMap_.find(id);
    if (found != idMap_.end())
        return found->second;
    uint16_t fresh = options_.remapIds->Next();
    idMap_.emplace(id, fresh);
    return fresh;
}

std::unique_ptr<CSwfObject> TagLoader::DecodeSprite(std::span<const uint8_t> body, bool longHeader,
                                                    size_t offset)
{
    if (spriteDepth_ >= kMaxSpriteNesting)
        throw SwfError("sprites nested too deeply at offset " + std::to_string(offset));
    Reader in(body, "DefineSprite", offset);
    uint16_t id = MapId(in.U16());
    uint16_t frames = in.U16();
    auto sprite = std::make_unique<CSwfSprite>(id, frames, longHeader);
    ++spriteDepth_;
    ScopeGuard leave([this] { --spriteDepth_; });
    ForEachTag(in.Rest(), offset + 4, [&](uint16_t code, std::span<const uint8_t> tag, bool longTag, size_t at) {
        sprite->AddTag(Decode(code, tag, longTag, at));
    });
    return sprite;
}

std::unique_ptr<CSwfObject> TagLoader::JoinJpegTables(std::span<const uint8_t> body, size_t offset)
{
    Reader in(body, "DefineBits", offset);
    uint16_t id = MapId(in.U16());
    auto picture = in.Rest();
    std::vector<uint8_t> joined;
    joined.reserve(2 + jpegTables_->size() + picture.size());
    joined.push_back(static_cast<uint8_t>(id));
    joined.push_back(static_cast<uint8_t>(id >> 8));
    joined.insert(joined.end(), jpegTables_->begin(), jpegTables_->end());
    joined.insert(joined.end(), picture.begin(), picture.end());
    auto tag =
        std::make_unique<CSwfRawTag>(static_cast<uint16_t>(TagCode::DefineBitsJpeg2), std::move(joined));
    tag->SetCharacterId(id);
    return tag;
}

std::unique_ptr<CSwfObject> TagLoader::Decode(uint16_t code, std::span<const uint8_t> body, bool longHeader,
                                              size_t offset)
{
    if (++tagCount_ > kMaxTags)
        throw SwfError("movie holds more than " + std::to_string(kMaxTags) + " tags (at offset " +
                       std::to_string(offset) + ")");
    const auto kind = static_cast<TagCode>(code);
    if (kind == TagCode::JpegTables && !jpegTables_)
        jpegTables_.emplace(body.begin(), body.end());
    if (kind == TagCode::DefineBits && options_.remapIds && jpegTables_)
        return JoinJpegTables(body, offset);
    if (kind == TagCode::DefineSprite)
        return DecodeSprite(body, longHeader, offset);

    // A short body under a long header cannot be written back by a decoded list.
    bool headerAsWritten = longHeader == (body.size() >= 0x3F);
    if (kind == TagCode::DoAction) {
        // Decoded, every action byte can become an object of some forty bytes; past a budget per
        // movie, frame scripts stay raw, which writes back the same.
        if (headerAsWritten && body.size() <= kMaxDecodedActionBytes - decodedActionBytes_) {
            decodedActionBytes_ += body.size();
            try {
                ActionParseOptions parse;
                parse.keepRawConstants = options_.keepRawActions;
                CActionList actions = ParseActions(body, parse, offset);
                // Only a body that the records write back exactly is kept decoded, so a movie
                // always writes back as it was read.
                if (std::ranges::equal(actions.ToBytes(true), body))
                    return std::make_unique<CSwfDoAction>(std::move(actions));
            } catch (const SwfError&) {
                // Scripts are opaque to the library: an unusual one is kept as it stands.
            }
        }
        return std::make_unique<CSwfRawTag>(code, std::vector<uint8_t>(body.begin(), body.end()), longHeader);
    }

    if (kind == TagCode::DoInitAction) {
        Reader in(body, "DoInitAction", offset);
        uint16_t sprite = MapId(in.U16());
        auto actions = in.Rest();
        if (EndsWithEnd(actions))
            return std::make_unique<CSwfDoInitAction>(sprite, CSwfRawData(actions.data(), actions.size() - 1),
                                                      longHeader);
        std::vector<uint8_t> bytes(body.begin(), body.end());
        WriteU16At(bytes, 0, sprite);
        auto tag = std::make_unique<CSwfRawTag>(code, std::move(bytes), longHeader);
        tag->SetCharacterId(sprite);
        return tag;
    }

    IdSites sites;
    bool known = false;
    {
        Reader in(body, "tag " + std::to_string(code), offset);
        try {
            known = FindIdSites(code, in, sites);
        } catch (const SwfError&) {
            if (options_.remapIds)
                throw;
            // Without renumbering the tag is copied as it stands; only its index is lost.
            sites = {};
        }
    }
    if (!known && options_.remapIds)
        throw SwfError("tag " + std::to_string(code) + " at offset " + std::to_string(offset) +
                       " may hold character ids that cannot be renumbered");

    idSites_ += sites.keys.size() + sites.references.size();
    if (idSites_ > kMaxIdSites)
        throw SwfError("movie holds more than " + std::to_string(kMaxIdSites) + " character ids (at offset " +
                       std::to_string(offset) + ")");
    std::vector<uint8_t> bytes(body.begin(), body.end());
    std::vector<uint16_t> keys, references;
    for (size_t at : sites.keys) {
        keys.push_back(MapId(ReadU16At(bytes, at)));
        WriteU16At(bytes, at, keys.back());
    }
    for (size_t at : sites.references) {
        references.push_back(MapId(ReadU16At(bytes, at)));
        WriteU16At(bytes, at, references.back());
    }
    auto tag = std::make_unique<CSwfRawTag>(code, std::move(bytes), longHeader);
    for (uint16_t id : keys) {
        if (tag->GetCharacterId() == 0)
            tag->SetCharacterId(id);
        else if (id != tag->GetCharacterId())
            tag->AddExtraKey(id);
    }
    for (uint16_t id : references)
        tag->AddDependency(id);
    return tag;
}

} // namespace swf
