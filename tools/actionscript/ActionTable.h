#pragma once

#include "swf/SwfCodes.h"

#include <cstdint>
#include <string_view>

namespace actionscript {

// One action code: its name and the first movie version whose player runs it. Codes of
// versions above 6 exist in the table only so that readers can name what they refuse.
struct ActionInfo {
    swf::ActionCode code;
    std::string_view name;
    int version;
};

// Codes and Push value types as the bytes that switch statements over records compare.
constexpr uint8_t Code(swf::ActionCode code) { return static_cast<uint8_t>(code); }
constexpr uint8_t Type(swf::PushType type) { return static_cast<uint8_t>(type); }

// The entry of a code, or null for a code no version defines.
const ActionInfo* FindAction(uint8_t code);

} // namespace actionscript
