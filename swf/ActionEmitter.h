#pragma once

#include "swf/ActionList.h"
#include "swf/SwfCodes.h"
#include "swf/SwfWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace swf {

// Appends action records one call at a time, one value per Push unless asked to join them:
//
//     ActionEmitter(list).Str("xmlUrl").New("Object").Op(ActionCode::SetVariable);
//
// is xmlUrl = new Object().
class ActionEmitter {
public:
    explicit ActionEmitter(CActionList& out) : out_(&out) {}
    // Writes the records straight into `bytes`, as the list would write them, without making an
    // action object for each: for code made for every cell or range of a large model. List()
    // may not be called on such an emitter.
    explicit ActionEmitter(Writer& bytes) : bytes_(&bytes) {}

    // From now on, a value pushed right after another goes into the same Push record while it
    // stays within the record's 65,535 bytes: Push a; Push b is written Push a, b, which the
    // player reads as fewer records. Only for an emitter writing bytes whose code no branch
    // jumps into.
    ActionEmitter& JoinPushes();

    ActionEmitter& Str(std::string_view text);
    ActionEmitter& Int(int32_t value);
    ActionEmitter& Dbl(double value);
    ActionEmitter& Bool(bool value);
    ActionEmitter& Undefined();
    // An action without operands; one of the codes that carry a length gets an empty one.
    ActionEmitter& Op(ActionCode code);
    // An action the code enumeration does not name, with its payload (none for codes below
    // 0x80).
    ActionEmitter& Raw(uint8_t code, std::vector<uint8_t> payload = {});

    // The value of a variable: Push name, GetVariable.
    ActionEmitter& Get(std::string_view name) { return Str(name).Op(ActionCode::GetVariable); }
    // new C() without arguments: Push 0, Push C, NewObject.
    ActionEmitter& New(std::string_view className) { return Int(0).Str(className).Op(ActionCode::NewObject); }

    CActionList& List();

private:
    // One Push record of a single value, its type byte and payloadBytes more to follow.
    void BeginPush(PushType type, std::size_t payloadBytes);

    CActionList* out_ = nullptr;
    Writer* bytes_ = nullptr;
    bool join_ = false;
    // Where the last Push record written starts and ends; a value is added to it only while
    // nothing else was written after it.
    std::size_t pushStart_ = 0;
    std::size_t pushEnd_ = 0;
};

} // namespace swf
