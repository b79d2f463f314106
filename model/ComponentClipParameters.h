#pragma once

#include <cstdint>
#include <vector>

class CActionList;
class CParameterSet;

namespace model {

// The actions that give a placed component clip its parameters before its class constructor
// runs: every parameter of the component's top-level groups becomes a member of the clip
// under its own name (the names cell bindings write to), a parameter outside groups likewise.
// Nested groups become objects, lists arrays, a choice its current value, a cell binding the
// value it holds, a colour its number 0xRRGGBB. Parameters without a name or a value are left
// out.
void EmitClipParameters(const CParameterSet& parameters, CActionList& actions);

// The PlaceObject2 clip-actions block (SWF 6 form) that runs those actions when the clip
// initialises; empty when there is nothing to assign.
std::vector<std::uint8_t> BuildParameterClipActions(const CParameterSet& parameters);

} // namespace model
