#include "swf/Actions.h"

#include "base/ScopeGuard.h"
#include "swf/SwfError.h"
#include "swf/SwfReader.h"
#include "swf/SwfWriter.h"

#include <bit>
#include <cstring>
#include <iterator>

namespace {

// Function bodies nest; a hostile movie must not be able to exhaust the stack.
constexpr int kMaxFunctionNesting = 64;

} // namespace

// ---------------------------------------------------------------------------------------------
// Action list

CActionList::CActionList() = default;
CActionList::~CActionList() = default;
CActionList::CActionList(CActionList&&) noexcept = default;
CActionList& CActionList::operator=(CActionList&&) noexcept = default;

int CActionList::Add(std::unique_ptr<CAction> action)
{
    if (!action)
        throw swf::SwfError("null action added to an action list");
    actions_.push_back(std::move(action));
    return static_cast<int>(actions_.size());
}

void CActionList::Append(CActionList&& other)
{
    actions_.insert(actions_.end(), std::make_move_iterator(other.actions_.begin()),
                    std::make_move_iterator(other.actions_.end()));
    other.actions_.clear();
}

void CActionList::RemoveAll()
{
    actions_.clear();
}

void CActionList::Write(swf::Writer& out) const
{
    for (const auto& action : actions_)
        action->Write(out);
}

void CActionList::WriteAndRelease(swf::Writer& out)
{
    std::size_t written = 0;
    // However the writing ends, the records written are gone and no empty entry is left.
    ScopeGuard drop(
        [&] { actions_.erase(actions_.begin(), actions_.begin() + static_cast<std::ptrdiff_t>(written)); });
    for (; written < actions_.size(); ++written) {
        actions_[written]->Write(out);
        actions_[written].reset();
    }
}

void CActionList::WriteJoiningPushes(swf::Writer& out) const
{
    constexpr size_t kMostPayload = 0xFFFF;
    swf::Writer values;
    // Where the payload of the Push record being added to starts; 0 while there is none.
    size_t open = 0;
    for (const auto& action : actions_) {
        const auto* push = dynamic_cast<const CActionPush*>(action.get());
        if (!push) {
            open = 0;
            action->Write(out);
            continue;
        }
        values.Clear();
        push->WriteValues(values);
        if (open == 0 || out.Size() - open + values.Size() > kMostPayload) {
            out.U8(static_cast<uint8_t>(swf::ActionCode::Push));
            out.U16(0);
            open = out.Size();
        }
        if (out.Size() - open + values.Size() > kMostPayload)
            throw swf::SwfError("a push has a payload of " + std::to_string(values.Size()) + " bytes, more than 65535");
        out.Bytes(values.Data());
        out.PatchU16(open - 2, static_cast<uint16_t>(out.Size() - open));
    }
}

size_t CActionList::WrittenSize() const
{
    swf::Writer scratch;
    size_t size = 0;
    for (const auto& action : actions_)
        size += action->WrittenSize(scratch);
    return size;
}

std::vector<uint8_t> CActionList::ToBytes(bool withEnd) const
{
    swf::Writer out;
    Write(out);
    if (withEnd)
        out.U8(0);
    return out.Take();
}

// ---------------------------------------------------------------------------------------------
// Records

void CAction::Write(swf::Writer& out) const
{
    // Codes from 0x80 on always carry a length, even with nothing after it.
    if (code_ >= 0x80) {
        WriteRecord(out, {});
        return;
    }
    out.U8(code_);
}

void CAction::WriteRecord(swf::Writer& out, std::span<const uint8_t> payload) const
{
    const size_t start = BeginRecord(out);
    out.Bytes(payload);
    EndRecord(out, start);
}

size_t CAction::WrittenSize(swf::Writer& scratch) const
{
    scratch.Clear();
    Write(scratch);
    return scratch.Size();
}

size_t CAction::BeginRecord(swf::Writer& out) const
{
    out.U8(code_);
    out.U16(0);
    return out.Size();
}

void CAction::EndRecord(swf::Writer& out, size_t payloadStart) const
{
    const size_t size = out.Size() - payloadStart;
    if (size > 0xFFFF)
        throw swf::SwfError("action " + std::to_string(code_) + " has a payload of " + std::to_string(size) +
                            " bytes, more than 65535");
    out.PatchU16(payloadStart - 2, static_cast<uint16_t>(size));
}

void CActionBytes::Write(swf::Writer& out) const
{
    out.Bytes(bytes_);
}

void swf::ActionBytesBatch::Flush()
{
    if (pending_.empty())
        return;
    out_.Add(std::make_unique<CActionBytes>(pending_.ToBytes(false)));
    pending_.RemoveAll();
}

void CActionRaw::Write(swf::Writer& out) const
{
    if (GetCode() < 0x80) {
        CAction::Write(out);
        return;
    }
    WriteRecord(out, payload_);
}

double CPushValue::GetDouble() const
{
    return std::bit_cast<double>(doubleBits);
}

CActionPush::CActionPush(std::string_view text) : CAction(swf::ActionCode::Push)
{
    AddValue({.type = swf::PushType::String, .text = std::string(text)});
}

void CActionPush::AddValue(CPushValue value)
{
    if (!hasFirst_ && !more_) {
        first_ = std::move(value);
        hasFirst_ = true;
        return;
    }
    if (hasFirst_) {
        more_ = std::make_unique<std::vector<CPushValue>>();
        more_->push_back(std::move(first_));
        first_ = {};
        hasFirst_ = false;
    }
    more_->push_back(std::move(value));
}

std::span<const CPushValue> CActionPush::GetValues() const
{
    if (hasFirst_)
        return {&first_, 1};
    if (more_)
        return *more_;
    return {};
}

namespace {

std::unique_ptr<CActionPush> PushOf(CPushValue value)
{
    auto push = std::make_unique<CActionPush>();
    push->AddValue(std::move(value));
    return push;
}

} // namespace

std::unique_ptr<CActionPush> CActionPush::CActionPushInt(int32_t value)
{
    return PushOf({.type = swf::PushType::Integer, .integer = value});
}

std::unique_ptr<CActionPush> CActionPush::CActionPushBool(bool value)
{
    return PushOf({.type = swf::PushType::Boolean, .boolean = value});
}

std::unique_ptr<CActionPush> CActionPush::CActionPushDouble(double value)
{
    return PushOf({.type = swf::PushType::Double, .doubleBits = std::bit_cast<uint64_t>(value)});
}

std::unique_ptr<CActionPush> CActionPush::CActionPushUndefined()
{
    return PushOf({});
}

void CActionPush::Write(swf::Writer& out) const
{
    // Written in place: a movie's scripts are mostly pushes.
    const size_t start = BeginRecord(out);
    WriteValues(out);
    EndRecord(out, start);
}

void CActionPush::WriteValues(swf::Writer& out) const
{
    for (const auto& v : GetValues()) {
        out.U8(static_cast<uint8_t>(v.type));
        switch (v.type) {
        case swf::PushType::String:
            out.String(v.text);
            break;
        case swf::PushType::Float:
            out.U32(v.floatBits);
            break;
        case swf::PushType::Null:
        case swf::PushType::Undefined:
            break;
        case swf::PushType::Register:
            out.U8(v.registerNumber);
            break;
        case swf::PushType::Boolean:
            out.U8(v.boolean ? 1 : 0);
            break;
        case swf::PushType::Double:
            // The player stores a double as two little-endian words, the high word first.
            out.U32(static_cast<uint32_t>(v.doubleBits >> 32));
            out.U32(static_cast<uint32_t>(v.doubleBits));
            break;
        case swf::PushType::Integer:
            out.S32(v.integer);
            break;
        case swf::PushType::Constant8:
            out.U8(static_cast<uint8_t>(v.constant));
            break;
        case swf::PushType::Constant16:
            out.U16(v.constant);
            break;
        default:
            throw swf::SwfError("push value of unknown kind " + std::to_string(static_cast<int>(v.type)));
        }
    }
}

CActionDefineFunction::CActionDefineFunction(std::string_view name)
    : CAction(swf::ActionCode::DefineFunction), name_(name)
{
}

std::unique_ptr<CActionDefineFunction> CActionDefineFunction::CActionDefineFunctionEmpty()
{
    return std::make_unique<CActionDefineFunction>("");
}

void CActionDefineFunction::Write(swf::Writer& out) const
{
    if (parameters_.size() > 0xFFFF)
        throw swf::SwfError("function \"" + name_ + "\" has too many parameters");
    const size_t start = BeginRecord(out);
    out.String(name_);
    out.U16(static_cast<uint16_t>(parameters_.size()));
    for (const auto& p : parameters_)
        out.String(p);
    out.U16(0);
    EndRecord(out, start);
    // The body follows the record; its size, known once it is written, closes the record.
    const size_t bodyStart = out.Size();
    body_.Write(out);
    const size_t bodySize = out.Size() - bodyStart;
    if (bodySize > 0xFFFF)
        throw swf::SwfError("function \"" + name_ + "\" has a body of " + std::to_string(bodySize) +
                            " bytes, more than 65535");
    out.PatchU16(bodyStart - 2, static_cast<uint16_t>(bodySize));
}

void CActionSetTarget::Write(swf::Writer& out) const
{
    swf::Writer payload;
    payload.String(name_);
    WriteRecord(out, payload.Data());
}

void CActionConstantPool::Write(swf::Writer& out) const
{
    if (constants_.size() > 0xFFFF)
        throw swf::SwfError("constant pool of more than 65535 entries");
    swf::Writer payload;
    payload.U16(static_cast<uint16_t>(constants_.size()));
    for (const auto& c : constants_)
        payload.String(c);
    WriteRecord(out, payload.Data());
}

// ---------------------------------------------------------------------------------------------
// Parser

namespace swf {
namespace {

std::unique_ptr<CAction> DecodePush(std::span<const uint8_t> payload, size_t base)
{
    Reader in(payload, "Push action", base);
    auto push = std::make_unique<CActionPush>();
    while (!in.AtEnd())
        push->AddValue(ReadPushValue(in));
    return push;
}

// body: the bytes of one body, base: where they start in the file.
void ParseInto(CActionList& list, std::span<const uint8_t> body, const ActionParseOptions& options, int depth,
               bool topLevel, size_t base)
{
    if (depth > kMaxFunctionNesting)
        throw SwfError("function definitions nested too deeply in actions at offset " + std::to_string(base));
    size_t pos = 0;
    while (pos < body.size()) {
        const ActionRecord r = ReadActionRecord(body, pos, base);
        pos = r.end;
        if (r.code == 0 && topLevel)
            return;
        if (r.code < 0x80) {
            list.Add(std::make_unique<CActionCode>(r.code));
            continue;
        }
        const std::span<const uint8_t> payload = r.payload;
        const size_t payloadBase = base + r.offset + 3;
        const uint8_t code = r.code;
        switch (static_cast<ActionCode>(code)) {
        case ActionCode::Push:
            if (options.keepRawConstants)
                list.Add(
                    std::make_unique<CActionRaw>(code, std::vector<uint8_t>(payload.begin(), payload.end())));
            else
                list.Add(DecodePush(payload, payloadBase));
            break;
        case ActionCode::ConstantPool: {
            if (options.keepRawConstants) {
                list.Add(
                    std::make_unique<CActionRaw>(code, std::vector<uint8_t>(payload.begin(), payload.end())));
                break;
            }
            Reader p(payload, "ConstantPool action", payloadBase);
            uint16_t count = p.U16();
            std::vector<std::string> constants;
            for (uint16_t i = 0; i < count; ++i)
                constants.push_back(p.String());
            if (!p.AtEnd())
                p.Fail("bytes after the constants");
            list.Add(std::make_unique<CActionConstantPool>(std::move(constants)));
            break;
        }
        case ActionCode::SetTarget: {
            Reader p(payload, "SetTarget action", payloadBase);
            std::string name = p.String();
            if (!p.AtEnd())
                p.Fail("bytes after the target name");
            list.Add(std::make_unique<CActionSetTarget>(name));
            break;
        }
        case ActionCode::DefineFunction: {
            Reader p(payload, "DefineFunction action", payloadBase);
            auto function = std::make_unique<CActionDefineFunction>(p.String());
            uint16_t count = p.U16();
            for (uint16_t i = 0; i < count; ++i)
                function->GetParameters().push_back(p.String());
            uint16_t codeSize = p.U16();
            if (!p.AtEnd())
                p.Fail("bytes after the body size");
            if (codeSize > body.size() - pos)
                throw SwfError("function body of " + std::to_string(codeSize) +
                               " bytes runs past the actions at offset " + std::to_string(base + pos));
            ParseInto(function->GetBody(), body.subspan(pos, codeSize), options, depth + 1, false, base + pos);
            pos += codeSize;
            list.Add(std::move(function));
            break;
        }
        default:
            list.Add(
                std::make_unique<CActionRaw>(code, std::vector<uint8_t>(payload.begin(), payload.end())));
            break;
        }
    }
}

} // namespace

CActionList ParseActions(std::span<const uint8_t> bytes, const ActionParseOptions& options, size_t base)
{
    CActionList list;
    ParseInto(list, bytes, options, 0, true, base);
    return list;
}

ActionRecord ReadActionRecord(std::span<const uint8_t> bytes, size_t offset, size_t base)
{
    ActionRecord record;
    record.offset = offset;
    record.code = bytes[offset];
    if (record.code < 0x80) {
        record.end = offset + 1;
        return record;
    }
    if (bytes.size() - offset < 3)
        throw SwfError("action record header cut off at offset " + std::to_string(base + offset));
    const size_t length = bytes[offset + 1] | (static_cast<size_t>(bytes[offset + 2]) << 8);
    if (bytes.size() - offset - 3 < length)
        throw SwfError("action record at offset " + std::to_string(base + offset) +
                       " runs past the end of its body");
    record.payload = bytes.subspan(offset + 3, length);
    record.end = offset + 3 + length;
    return record;
}

CPushValue ReadPushValue(Reader& in)
{
    CPushValue v;
    const uint8_t type = in.U8();
    if (type > static_cast<uint8_t>(PushType::Constant16))
        in.Fail("unknown push value kind " + std::to_string(type));
    v.type = static_cast<PushType>(type);
    switch (v.type) {
    case PushType::String:
        v.text = in.String();
        break;
    case PushType::Float:
        v.floatBits = in.U32();
        break;
    case PushType::Null:
    case PushType::Undefined:
        break;
    case PushType::Register:
        v.registerNumber = in.U8();
        break;
    case PushType::Boolean:
        v.boolean = in.U8() != 0;
        break;
    case PushType::Double: {
        uint64_t high = in.U32();
        uint64_t low = in.U32();
        v.doubleBits = high << 32 | low;
        break;
    }
    case PushType::Integer:
        v.integer = in.S32();
        break;
    case PushType::Constant8:
        v.constant = in.U8();
        break;
    case PushType::Constant16:
        v.constant = in.U16();
        break;
    }
    return v;
}

} // namespace swf
