#pragma once

#include "swf/SwfObject.h"

#include <cstdint>
#include <span>
#include <vector>

// A block of raw bytes, such as an action body taken from a file (without its closing End).
class CSwfRawData {
public:
    CSwfRawData() = default;
    explicit CSwfRawData(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    CSwfRawData(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
    static CSwfRawData CSwfRawDataCopy(const CSwfRawData& other) { return CSwfRawData(other.bytes_); }

    const std::vector<uint8_t>& GetBytes() const { return bytes_; }
    size_t GetSize() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

// A tag kept as its code and body bytes: every tag read from a file that the library has no
// class of its own for. Character ids in the body have already been renumbered by the reader.
class CSwfRawTag : public CSwfObject {
public:
    CSwfRawTag(uint16_t code, std::vector<uint8_t> body, bool longHeader = false)
        : code_(code), body_(std::move(body)), longHeader_(longHeader)
    {
    }

    uint16_t GetCode() const { return code_; }
    swf::TagCode GetTagCode() const override { return static_cast<swf::TagCode>(code_); }
    const std::vector<uint8_t>& GetBody() const { return body_; }
    void Write(swf::Writer& out) override;

    // Further ids under which a movie indexes this tag (an export of several characters).
    const std::vector<uint16_t>& GetExtraKeys() const { return extraKeys_; }
    void AddExtraKey(uint16_t id) { extraKeys_.push_back(id); }

private:
    uint16_t code_;
    std::vector<uint8_t> body_;
    bool longHeader_;
    std::vector<uint16_t> extraKeys_;
};
