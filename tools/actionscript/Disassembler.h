#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace actionscript {

// Action records as text, one action a line; function bodies are indented between braces and
// branches name labels ("L1:") that stand on lines of their own before their targets. Strings
// taken from the constant pool print as "text"#index. Damaged records end the listing with a
// line starting "; error".
std::string Disassemble(std::span<const uint8_t> actions);

} // namespace actionscript
