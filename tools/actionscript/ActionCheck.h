#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace actionscript {

// Strict checks of an action body (a frame script or an initialisation, with or without its
// closing End) for a SWF 6 player: every record fits, every action exists in SWF 6, Push values
// and pools are well formed and refer to pool entries that exist, registers are the four the
// player has, function bodies lie inside their enclosing body, and every branch lands on a
// record boundary of its own body. Returns the problems found, none for sound code.
std::vector<std::string> CheckActions(std::span<const uint8_t> bytes);

} // namespace actionscript
