#pragma once

#include "swf/ActionList.h"
#include "swf/SwfCodes.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One action record. The base writes the code byte alone, which is all the opcode-only actions
// need, and an empty length after the codes that always carry one.
class CAction {
public:
    explicit CAction(uint8_t code = 0) : code_(code) {}
    explicit CAction(swf::ActionCode code) : code_(static_cast<uint8_t>(code)) {}
    virtual ~CAction() = default;

    uint8_t GetCode() const { return code_; }
    virtual void Write(swf::Writer& out) const;
    // How many bytes Write writes; scratch is a writer to write into for that, if need be.
    virtual size_t WrittenSize(swf::Writer& scratch) const;

protected:
    // Code, 16-bit length and payload; a payload over 65535 bytes cannot be written and throws.
    void WriteRecord(swf::Writer& out, std::span<const uint8_t> payload) const;
    // The same for a payload written straight after the header: BeginRecord writes the code
    // and returns where the payload starts, EndRecord fills the length in.
    size_t BeginRecord(swf::Writer& out) const;
    void EndRecord(swf::Writer& out, size_t payloadStart) const;

private:
    uint8_t code_;
};

// An action made of its code alone (Stop, GetVariable, SetMember, ...).
class CActionCode : public CAction {
public:
    explicit CActionCode(swf::ActionCode code) : CAction(code) {}
    explicit CActionCode(uint8_t code) : CAction(code) {}
};

class CActionPop : public CAction {
public:
    CActionPop() : CAction(swf::ActionCode::Pop) {}
};

class CActionCallFunction : public CAction {
public:
    CActionCallFunction() : CAction(swf::ActionCode::CallFunction) {}
};

// Any action kept as its code and payload bytes: actions the library does not decode, and
// ConstantPool and Push while raw keeping is on.
class CActionRaw : public CAction {
public:
    CActionRaw(uint8_t code, std::vector<uint8_t> payload) : CAction(code), payload_(std::move(payload)) {}
    const std::vector<uint8_t>& GetPayload() const { return payload_; }
    void Write(swf::Writer& out) const override;

private:
    std::vector<uint8_t> payload_;
};

// Records already written, kept as their bytes and written as they are. A large model's
// generated code is kept this way as soon as it is made: its action objects take many times
// the memory of the bytes they write. The code is that of the first record (0 when empty).
class CActionBytes : public CAction {
public:
    explicit CActionBytes(std::vector<uint8_t> bytes)
        : CAction(bytes.empty() ? uint8_t(0) : bytes.front()), bytes_(std::move(bytes))
    {
        // Written bytes come from buffers grown as they were filled; thousands of them are kept.
        bytes_.shrink_to_fit();
    }
    const std::vector<uint8_t>& GetBytes() const { return bytes_; }
    void Write(swf::Writer& out) const override;
    size_t WrittenSize(swf::Writer&) const override { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

namespace swf {

// Gathers generated records and appends them to a list as their written bytes, a batch at a
// time: code made for every cell of a large model never holds all its action objects at
// once. Finish appends what is left; it, like Step, throws SwfError for a record that cannot
// be written.
class ActionBytesBatch {
public:
    explicit ActionBytesBatch(CActionList& out) : out_(out) {}
    // Where the records go until they are written.
    CActionList& List() { return pending_; }
    // Writes the pending records once there are enough of them.
    void Step()
    {
        if (pending_.size() >= kRecords)
            Flush();
    }
    void Finish() { Flush(); }

private:
    static constexpr size_t kRecords = 4096;
    void Flush();

    CActionList& out_;
    CActionList pending_;
};

} // namespace swf

// One value of a Push record.
struct CPushValue {
    swf::PushType type = swf::PushType::Undefined;
    std::string text{};      // String
    uint64_t doubleBits = 0; // Double, kept as bits so a read value writes back unchanged
    uint32_t floatBits = 0;  // Float
    int32_t integer = 0;     // Integer
    uint8_t registerNumber = 0;
    bool boolean = false;
    uint16_t constant = 0; // Constant8 / Constant16

    double GetDouble() const;
    bool operator==(const CPushValue&) const = default;
};

// Push (0x96). Made with one value by the generators; a Push read from a file may hold several.
class CActionPush : public CAction {
public:
    CActionPush() : CAction(swf::ActionCode::Push) {}
    explicit CActionPush(std::string_view text);
    static std::unique_ptr<CActionPush> CActionPushInt(int32_t value);
    static std::unique_ptr<CActionPush> CActionPushBool(bool value);
    static std::unique_ptr<CActionPush> CActionPushDouble(double value);
    static std::unique_ptr<CActionPush> CActionPushUndefined();

    void AddValue(CPushValue value);
    std::span<const CPushValue> GetValues() const;
    void Write(swf::Writer& out) const override;
    // The values as the record's payload holds them, without its code and length.
    void WriteValues(swf::Writer& out) const;

private:
    // The one value of a generated push is kept in the action itself: a movie's scripts hold
    // hundreds of thousands of pushes. Several values live in more_, the first one included.
    // The flag first, where it fits beside the code; the rest behind a pointer, as generated
    // pushes never have it.
    bool hasFirst_ = false;
    CPushValue first_;
    std::unique_ptr<std::vector<CPushValue>> more_;
};

// DefineFunction (0x9B). The body follows the record and its size is a 16-bit field: a body
// over 65535 bytes cannot be written and throws instead of writing a corrupt script.
class CActionDefineFunction : public CAction {
public:
    explicit CActionDefineFunction(std::string_view name);
    static std::unique_ptr<CActionDefineFunction> CActionDefineFunctionEmpty();

    const std::string& GetName() const { return name_; }
    CActionList& GetBody() { return body_; }
    const CActionList& GetBody() const { return body_; }
    // Parameters occur only in functions read from files; the generators define none.
    std::vector<std::string>& GetParameters() { return parameters_; }
    const std::vector<std::string>& GetParameters() const { return parameters_; }
    void Write(swf::Writer& out) const override;

private:
    std::string name_;
    std::vector<std::string> parameters_;
    CActionList body_;
};

// SetTarget (0x8B); the empty name returns to the main timeline.
class CActionSetTarget : public CAction {
public:
    explicit CActionSetTarget(std::string_view name) : CAction(swf::ActionCode::SetTarget), name_(name) {}
    const std::string& GetName() const { return name_; }
    void Write(swf::Writer& out) const override;

private:
    std::string name_;
};

// ConstantPool (0x88).
class CActionConstantPool : public CAction {
public:
    explicit CActionConstantPool(std::vector<std::string> constants)
        : CAction(swf::ActionCode::ConstantPool), constants_(std::move(constants))
    {
    }
    const std::vector<std::string>& GetConstants() const { return constants_; }
    void Write(swf::Writer& out) const override;

private:
    std::vector<std::string> constants_;
};

namespace swf {

class Reader;

// One record of an action body as it lies in the bytes. The body of a DefineFunction or With
// follows its record and is not part of it.
struct ActionRecord {
    size_t offset = 0;
    uint8_t code = 0;
    std::span<const uint8_t> payload; // empty for codes below 0x80
    size_t end = 0;                   // where the next record starts
};

// The record at offset of bytes, which must lie inside them. Throws SwfError when its header or
// its payload runs past the bytes; base is added to offsets in messages.
ActionRecord ReadActionRecord(std::span<const uint8_t> bytes, size_t offset, size_t base = 0);

// The next value of a Push payload. Throws SwfError for a value of unknown kind or one cut off.
CPushValue ReadPushValue(Reader& in);

} // namespace swf
