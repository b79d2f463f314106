#include "swf/SwfTags.h"

#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfWriter.h"

#include <crypt.h>
#include <cstdio>
#include <memory>

void CSwfShowFrame::Write(swf::Writer& out)
{
    out.Tag(swf::TagCode::ShowFrame, {});
}

void CSwfSetBackgroundColor::Write(swf::Writer& out)
{
    const uint8_t body[] = {red_, green_, blue_};
    out.Tag(swf::TagCode::SetBackgroundColor, body);
}

void CSwfScriptLimits::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(maxRecursionDepth_);
    body.U16(timeoutSeconds_);
    out.Tag(swf::TagCode::ScriptLimits, body.Data());
}

// Our own identifier for the debugger; it only has to be constant.
const std::array<uint8_t, 16> CSwfDebugId::kId = {0x56, 0x61, 0x6e, 0x74, 0x6f, 0x72, 0x65, 0x6c,
                                                  0x9e, 0x41, 0x27, 0xd3, 0x08, 0xb5, 0x6a, 0xc1};

void CSwfDebugId::Write(swf::Writer& out)
{
    out.Tag(swf::TagCode::DebugId, kId);
}

CSwfEnableDebugger2::CSwfEnableDebugger2(std::string_view password)
{
    std::string setting = std::string("$1$") + kSalt + "$";
    // crypt_data is large; keep it off the stack of whichever thread builds the movie.
    auto data = std::make_unique<crypt_data>();
    const char* hash = crypt_r(std::string(password).c_str(), setting.c_str(), data.get());
    if (hash == nullptr || hash[0] != '$')
        throw swf::SwfError("the debugger password could not be hashed");
    hash_ = hash;
}

void CSwfEnableDebugger2::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(0);
    body.String(hash_);
    out.Tag(swf::TagCode::EnableDebugger2, body.Data());
}

CSwfExportedSymbol::CSwfExportedSymbol(uint16_t characterId) : CSwfObject(characterId)
{
    char name[32];
    std::snprintf(name, sizeof name, "embed_%d", static_cast<int>(characterId));
    name_ = name;
}

void CSwfExportedSymbol::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(1);
    body.U16(GetCharacterId());
    body.String(name_);
    out.Tag(swf::TagCode::ExportAssets, body.Data());
}

CSwfJpegImage::CSwfJpegImage(swf::IdCounter& characterIds, const uint8_t* bytes, size_t length)
    : CSwfObject(characterIds.Next()), bytes_(bytes, bytes + length)
{
}

void CSwfJpegImage::Write(swf::Writer& out)
{
    swf::Writer body;
    body.Reserve(bytes_.size() + 2);
    body.U16(GetCharacterId());
    body.Bytes(bytes_);
    out.Tag(swf::TagCode::DefineBitsJpeg2, body.Data());
}
