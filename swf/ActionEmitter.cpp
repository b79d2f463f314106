#include "swf/ActionEmitter.h"

#include "swf/Actions.h"
#include "swf/SwfError.h"

#include <bit>

namespace swf {

CActionList& ActionEmitter::List()
{
    if (!out_)
        throw SwfError("an emitter writing bytes has no action list");
    return *out_;
}

ActionEmitter& ActionEmitter::JoinPushes()
{
    if (!bytes_)
        throw SwfError("only an emitter writing bytes joins its pushes");
    join_ = true;
    return *this;
}

void ActionEmitter::BeginPush(PushType type, std::size_t payloadBytes)
{
    const std::size_t length = 1 + payloadBytes;
    if (length > 0xFFFF)
        throw SwfError("action " + std::to_string(static_cast<int>(ActionCode::Push)) + " has a payload of " +
                       std::to_string(length) + " bytes, more than 65535");
    const std::size_t end = bytes_->Size();
    // A value right behind the last push's values grows that push's record (code and length,
    // then its values) while the record's length fits.
    const bool follows = join_ && pushEnd_ != 0 && end == pushEnd_;
    const std::size_t joined = follows ? end - pushStart_ - 3 + length : 0;
    if (follows && joined <= 0xFFFF) {
        bytes_->PatchU16(pushStart_ + 1, static_cast<uint16_t>(joined));
    } else {
        pushStart_ = end;
        bytes_->U8(static_cast<uint8_t>(ActionCode::Push));
        bytes_->U16(static_cast<uint16_t>(length));
    }
    bytes_->U8(static_cast<uint8_t>(type));
    pushEnd_ = bytes_->Size() + payloadBytes;
}

ActionEmitter& ActionEmitter::Str(std::string_view text)
{
    if (!bytes_) {
        out_->Add(std::make_unique<CActionPush>(text));
        return *this;
    }
    BeginPush(PushType::String, text.size() + 1);
    bytes_->String(text);
    return *this;
}

ActionEmitter& ActionEmitter::Int(int32_t value)
{
    if (!bytes_) {
        out_->Add(CActionPush::CActionPushInt(value));
        return *this;
    }
    BeginPush(PushType::Integer, 4);
    bytes_->S32(value);
    return *this;
}

ActionEmitter& ActionEmitter::Dbl(double value)
{
    if (!bytes_) {
        out_->Add(CActionPush::CActionPushDouble(value));
        return *this;
    }
    // The player stores a double as two little-endian words, the high word first.
    const auto bits = std::bit_cast<uint64_t>(value);
    BeginPush(PushType::Double, 8);
    bytes_->U32(static_cast<uint32_t>(bits >> 32));
    bytes_->U32(static_cast<uint32_t>(bits));
    return *this;
}

ActionEmitter& ActionEmitter::Bool(bool value)
{
    if (!bytes_) {
        out_->Add(CActionPush::CActionPushBool(value));
        return *this;
    }
    BeginPush(PushType::Boolean, 1);
    bytes_->U8(value ? 1 : 0);
    return *this;
}

ActionEmitter& ActionEmitter::Undefined()
{
    if (!bytes_) {
        out_->Add(CActionPush::CActionPushUndefined());
        return *this;
    }
    BeginPush(PushType::Undefined, 0);
    return *this;
}

ActionEmitter& ActionEmitter::Op(ActionCode code)
{
    if (!bytes_) {
        out_->Add(std::make_unique<CActionCode>(code));
        return *this;
    }
    pushEnd_ = 0;
    // Codes from 0x80 on always carry a length, even with nothing after it.
    bytes_->U8(static_cast<uint8_t>(code));
    if (static_cast<uint8_t>(code) >= 0x80)
        bytes_->U16(0);
    return *this;
}

ActionEmitter& ActionEmitter::Raw(uint8_t code, std::vector<uint8_t> payload)
{
    if (!bytes_) {
        out_->Add(std::make_unique<CActionRaw>(code, std::move(payload)));
        return *this;
    }
    pushEnd_ = 0;
    bytes_->U8(code);
    if (code >= 0x80) {
        if (payload.size() > 0xFFFF)
            throw SwfError("action " + std::to_string(code) + " has a payload of " + std::to_string(payload.size()) +
                           " bytes, more than 65535");
        bytes_->U16(static_cast<uint16_t>(payload.size()));
        bytes_->Bytes(payload);
    }
    return *this;
}

} // namespace swf
