#pragma once

#include "swf/SwfIds.h"
#include "swf/SwfObject.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// ShowFrame (1).
class CSwfShowFrame : public CSwfObject {
public:
    swf::TagCode GetTagCode() const override { return swf::TagCode::ShowFrame; }
    void Write(swf::Writer& out) override;
};

// SetBackgroundColor (9).
class CSwfSetBackgroundColor : public CSwfObject {
public:
    CSwfSetBackgroundColor(uint8_t red, uint8_t green, uint8_t blue) : red_(red), green_(green), blue_(blue)
    {
    }
    swf::TagCode GetTagCode() const override { return swf::TagCode::SetBackgroundColor; }
    // 0xRRGGBB
    uint32_t GetColor() const { return uint32_t(red_) << 16 | uint32_t(green_) << 8 | blue_; }
    void Write(swf::Writer& out) override;

private:
    uint8_t red_, green_, blue_;
};

// ScriptLimits (65).
class CSwfScriptLimits : public CSwfObject {
public:
    CSwfScriptLimits(uint16_t maxRecursionDepth, uint16_t timeoutSeconds)
        : maxRecursionDepth_(maxRecursionDepth), timeoutSeconds_(timeoutSeconds)
    {
    }
    swf::TagCode GetTagCode() const override { return swf::TagCode::ScriptLimits; }
    void Write(swf::Writer& out) override;

private:
    uint16_t maxRecursionDepth_, timeoutSeconds_;
};

// DebugID (63) with our fixed identifier.
class CSwfDebugId : public CSwfObject {
public:
    static const std::array<uint8_t, 16> kId;
    swf::TagCode GetTagCode() const override { return swf::TagCode::DebugId; }
    void Write(swf::Writer& out) override;
};

// EnableDebugger2 (64): the MD5-crypt hash of the password under our fixed salt.
class CSwfEnableDebugger2 : public CSwfObject {
public:
    static constexpr const char* kSalt = "Vt";
    explicit CSwfEnableDebugger2(std::string_view password);
    const std::string& GetHash() const { return hash_; }
    swf::TagCode GetTagCode() const override { return swf::TagCode::EnableDebugger2; }
    void Write(swf::Writer& out) override;

private:
    std::string hash_;
};

// ExportAssets (56) for one character. The tag is indexed under that character, so marking
// the character used also writes its export.
class CSwfExportedSymbol : public CSwfObject {
public:
    explicit CSwfExportedSymbol(uint16_t characterId);
    void SetName(std::string_view name) { name_ = name; }
    const std::string& GetName() const { return name_; }
    swf::TagCode GetTagCode() const override { return swf::TagCode::ExportAssets; }
    void Write(swf::Writer& out) override;

private:
    std::string name_;
};

// DefineBitsJPEG2 (21) with a new character id.
class CSwfJpegImage : public CSwfObject {
public:
    CSwfJpegImage(swf::IdCounter& characterIds, const uint8_t* bytes, size_t length);
    swf::TagCode GetTagCode() const override { return swf::TagCode::DefineBitsJpeg2; }
    const std::vector<uint8_t>& GetBytes() const { return bytes_; }
    void Write(swf::Writer& out) override;

private:
    std::vector<uint8_t> bytes_;
};
