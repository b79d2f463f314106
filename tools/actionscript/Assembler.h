#pragma once

#include "tools/actionscript/Diagnostic.h"
#include "swf/SwfCodes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace actionscript {

using Op = swf::ActionCode;

// One value of a Push before encoding; strings go to the constant pool when that is smaller.
struct PushValue {
    enum class Kind { String, Integer, Double, Boolean, Null, Undefined, Register };
    Kind kind = Kind::Undefined;
    std::string text;
    double number = 0;
    int32_t integer = 0;

    static PushValue Str(std::string text);
    // An int32 record when the value is integral and not -0, else a double.
    static PushValue Num(double value);
    static PushValue Bool(bool value);
    static PushValue Null();
    static PushValue Undef();
    static PushValue Reg(uint8_t number);
};

struct FunctionCode;

// A body of actions under construction: instructions and labels. Jumps name labels, so every
// branch lands on an action boundary by construction; encoding checks the reach.
class Code {
public:
    struct Instr {
        uint8_t code = 0;
        std::vector<PushValue> values;    // Push
        std::vector<uint8_t> payload;     // other records with a payload
        int label = -1;                   // Jump and If
        std::unique_ptr<FunctionCode> function; // DefineFunction
        SourceLocation at;
    };

    void Emit(Op op);
    void Push(PushValue value);
    void StoreRegister(uint8_t number);
    void GetUrl2(uint8_t flags);
    void GotoFrame2(bool play);
    int NewLabel();
    void Place(int label);
    void Branch(Op op, int label, SourceLocation at); // Jump or If
    void Function(std::unique_ptr<FunctionCode> function);

    const std::vector<Instr>& Instructions() const { return instrs_; }
    std::vector<Instr>& Instructions() { return instrs_; }
    int LabelTarget(int label) const { return labels_[label]; }

private:
    std::vector<Instr> instrs_;
    std::vector<int> labels_; // instruction index each label stands before
    size_t boundary_ = SIZE_MAX; // a label stands before the next instruction
};

struct FunctionCode {
    std::string name;
    std::vector<std::string> parameters;
    Code body;
    SourceLocation at;
};

// Thrown when code cannot be encoded (a branch or a function too large).
struct AssemblyError {
    SourceLocation at;
    std::string message;
};

// Encodes a block: a ConstantPool of the strings whose pooling makes the block smaller (most
// used first, so they get one-byte indices), then the actions, without the closing End.
// Throws AssemblyError.
std::vector<uint8_t> Assemble(const Code& code, bool useConstantPool = true);

} // namespace actionscript
