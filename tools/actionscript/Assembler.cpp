#include "tools/actionscript/Assembler.h"

#include "swf/Actions.h"
#include "swf/SwfWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <unordered_map>

namespace actionscript {

PushValue PushValue::Str(std::string text)
{
    PushValue v;
    v.kind = Kind::String;
    v.text = std::move(text);
    return v;
}

PushValue PushValue::Num(double value)
{
    PushValue v;
    bool integral = value >= -2147483648.0 && value <= 2147483647.0 && std::trunc(value) == value &&
                    !(value == 0 && std::signbit(value));
    if (integral) {
        v.kind = Kind::Integer;
        v.integer = static_cast<int32_t>(value);
    } else {
        v.kind = Kind::Double;
        v.number = value;
    }
    return v;
}

PushValue PushValue::Bool(bool value)
{
    PushValue v;
    v.kind = Kind::Boolean;
    v.integer = value ? 1 : 0;
    return v;
}

PushValue PushValue::Null()
{
    PushValue v;
    v.kind = Kind::Null;
    return v;
}

PushValue PushValue::Undef() { return PushValue{}; }

PushValue PushValue::Reg(uint8_t number)
{
    PushValue v;
    v.kind = Kind::Register;
    v.integer = number;
    return v;
}

void Code::Emit(Op op)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(op);
    instrs_.push_back(std::move(instr));
}

void Code::Push(PushValue value)
{
    // Consecutive pushes share one record unless a label stands between them.
    if (!instrs_.empty() && instrs_.back().code == static_cast<uint8_t>(Op::Push) && boundary_ != instrs_.size()) {
        instrs_.back().values.push_back(std::move(value));
        return;
    }
    Instr instr;
    instr.code = static_cast<uint8_t>(Op::Push);
    instr.values.push_back(std::move(value));
    instrs_.push_back(std::move(instr));
}

void Code::StoreRegister(uint8_t number)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(Op::StoreRegister);
    instr.payload = {number};
    instrs_.push_back(std::move(instr));
}

void Code::GetUrl2(uint8_t flags)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(Op::GetUrl2);
    instr.payload = {flags};
    instrs_.push_back(std::move(instr));
}

void Code::GotoFrame2(bool play)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(Op::GotoFrame2);
    instr.payload = {static_cast<uint8_t>(play ? 1 : 0)};
    instrs_.push_back(std::move(instr));
}

int Code::NewLabel()
{
    labels_.push_back(-1);
    return static_cast<int>(labels_.size()) - 1;
}

void Code::Place(int label)
{
    labels_[label] = static_cast<int>(instrs_.size());
    boundary_ = instrs_.size();
}

void Code::Branch(Op op, int label, SourceLocation at)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(op);
    instr.label = label;
    instr.at = at;
    instrs_.push_back(std::move(instr));
}

void Code::Function(std::unique_ptr<FunctionCode> function)
{
    Instr instr;
    instr.code = static_cast<uint8_t>(Op::DefineFunction);
    instr.at = function->at;
    instr.function = std::move(function);
    instrs_.push_back(std::move(instr));
}

namespace {

constexpr size_t kMaxRecord = 0xFFFF;

using Pool = std::unordered_map<std::string_view, uint16_t>;

struct StringUse {
    size_t count = 0;
    size_t first = 0;
};

// Keys are views of the strings of the code, which outlives the count.
using StringUses = std::unordered_map<std::string_view, StringUse>;

void CountStrings(const Code& code, StringUses& uses, size_t& order)
{
    for (const auto& instr : code.Instructions()) {
        for (const auto& v : instr.values) {
            if (v.kind != PushValue::Kind::String)
                continue;
            auto [it, added] = uses.try_emplace(v.text);
            if (added)
                it->second.first = order++;
            ++it->second.count;
        }
        if (instr.function)
            CountStrings(instr.function->body, uses, order);
    }
}

// Pools a string when its pool entry plus short references cost less than writing it inline
// at every use.
std::vector<std::string> ChoosePool(const Code& code)
{
    StringUses uses;
    size_t order = 0;
    CountStrings(code, uses, order);
    std::vector<std::pair<std::string_view, StringUse>> candidates;
    for (auto& [text, use] : uses) {
        size_t inlineCost = use.count * (text.size() + 2);
        size_t pooledCost = text.size() + 1 + use.count * 2;
        if (pooledCost < inlineCost)
            candidates.emplace_back(text, use);
    }
    std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        if (a.second.count != b.second.count)
            return a.second.count > b.second.count;
        return a.second.first < b.second.first;
    });
    std::vector<std::string> pool;
    size_t bytes = 2;
    for (auto& [text, use] : candidates) {
        if (bytes + text.size() + 1 > kMaxRecord || pool.size() == 0xFFFF)
            continue;
        bytes += text.size() + 1;
        pool.emplace_back(text);
    }
    return pool;
}

// The value as the movie library writes it: a pooled string becomes a one- or two-byte index.
CPushValue Encoded(const PushValue& v, const Pool& pool)
{
    switch (v.kind) {
    case PushValue::Kind::String: {
        auto it = pool.find(v.text);
        if (it == pool.end())
            return {.type = swf::PushType::String, .text = v.text};
        return {.type = it->second < 256 ? swf::PushType::Constant8 : swf::PushType::Constant16,
                .constant = it->second};
    }
    case PushValue::Kind::Integer: return {.type = swf::PushType::Integer, .integer = v.integer};
    case PushValue::Kind::Double:
        return {.type = swf::PushType::Double, .doubleBits = std::bit_cast<uint64_t>(v.number)};
    case PushValue::Kind::Boolean: return {.type = swf::PushType::Boolean, .boolean = v.integer != 0};
    case PushValue::Kind::Null: return {.type = swf::PushType::Null};
    case PushValue::Kind::Undefined: return {.type = swf::PushType::Undefined};
    case PushValue::Kind::Register:
        return {.type = swf::PushType::Register, .registerNumber = static_cast<uint8_t>(v.integer)};
    }
    return {};
}

void WriteRecord(swf::Writer& out, uint8_t code, std::span<const uint8_t> payload, SourceLocation at)
{
    if (payload.size() > kMaxRecord)
        throw AssemblyError{at, "an action record would exceed 65,535 bytes (a string that long?)"};
    CActionRaw(code, std::vector<uint8_t>(payload.begin(), payload.end())).Write(out);
}

size_t PushValueSize(const PushValue& v, const Pool& pool)
{
    switch (v.kind) {
    case PushValue::Kind::String: {
        auto it = pool.find(v.text);
        return it == pool.end() ? v.text.size() + 2 : it->second < 256 ? 2 : 3;
    }
    case PushValue::Kind::Integer: return 5;
    case PushValue::Kind::Double: return 9;
    case PushValue::Kind::Boolean:
    case PushValue::Kind::Register: return 2;
    default: return 1;
    }
}

// Push records, split where one would pass the record size limit.
void WritePush(swf::Writer& out, const std::vector<PushValue>& values, const Pool& pool, SourceLocation at)
{
    size_t i = 0;
    while (i < values.size()) {
        size_t size = PushValueSize(values[i], pool);
        size_t end = i + 1;
        while (end < values.size() && size + PushValueSize(values[end], pool) <= kMaxRecord)
            size += PushValueSize(values[end++], pool);
        if (size > kMaxRecord)
            throw AssemblyError{at, "an action record would exceed 65,535 bytes (a string that long?)"};
        CActionPush push;
        for (; i < end; ++i)
            push.AddValue(Encoded(values[i], pool));
        push.Write(out);
    }
}

std::vector<uint8_t> AssembleBody(const Code& code, const Pool& pool);

void WriteFunction(swf::Writer& out, const FunctionCode& fn, const Pool& pool)
{
    std::vector<uint8_t> body = AssembleBody(fn.body, pool);
    if (body.size() > kMaxRecord)
        throw AssemblyError{fn.at, "function body is " + std::to_string(body.size()) +
                                       " bytes, more than the 65,535 a function may hold; split it"};
    swf::Writer header;
    header.String(fn.name);
    header.U16(static_cast<uint16_t>(fn.parameters.size()));
    for (const auto& p : fn.parameters)
        header.String(p);
    header.U16(static_cast<uint16_t>(body.size()));
    WriteRecord(out, static_cast<uint8_t>(Op::DefineFunction), header.Data(), fn.at);
    out.Bytes(body);
}

std::vector<uint8_t> AssembleBody(const Code& code, const Pool& pool)
{
    const auto& instrs = code.Instructions();
    swf::Writer out;
    out.Reserve(instrs.size() * 6); // about what an action takes, so the buffer rarely grows
    std::vector<size_t> starts(instrs.size() + 1);
    std::vector<size_t> branches; // instruction indices of jumps, patched once all offsets are known
    for (size_t i = 0; i < instrs.size(); ++i) {
        const auto& instr = instrs[i];
        starts[i] = out.Size();
        if (instr.code == static_cast<uint8_t>(Op::Push)) {
            WritePush(out, instr.values, pool, instr.at);
        } else if (instr.function) {
            WriteFunction(out, *instr.function, pool);
        } else if (instr.label >= 0) {
            out.U8(instr.code);
            out.U16(2);
            out.U16(0);
            branches.push_back(i);
        } else if (instr.code >= 0x80) {
            WriteRecord(out, instr.code, instr.payload, instr.at);
        } else {
            out.U8(instr.code);
        }
    }
    starts[instrs.size()] = out.Size();
    for (size_t i : branches) {
        int target = code.LabelTarget(instrs[i].label);
        long offset = static_cast<long>(starts[static_cast<size_t>(target)]) - static_cast<long>(starts[i] + 5);
        if (offset < -32768 || offset > 32767)
            throw AssemblyError{instrs[i].at, "a branch here would span " + std::to_string(offset < 0 ? -offset : offset) +
                                                  " bytes, more than the 32,767 a branch reaches; split the code into functions"};
        out.PatchU16(starts[i] + 3, static_cast<uint16_t>(static_cast<int16_t>(offset)));
    }
    return out.Take();
}

} // namespace

std::vector<uint8_t> Assemble(const Code& code, bool useConstantPool)
{
    std::vector<std::string> strings;
    if (useConstantPool)
        strings = ChoosePool(code);
    Pool pool;
    swf::Writer out;
    for (size_t i = 0; i < strings.size(); ++i)
        pool.emplace(strings[i], static_cast<uint16_t>(i));
    if (!strings.empty())
        CActionConstantPool(strings).Write(out);
    out.Bytes(AssembleBody(code, pool));
    return out.Take();
}

} // namespace actionscript
