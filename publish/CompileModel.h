#pragma once

#include <vector>

class CBaseMovie;
class CComponent;

// Compiles the cells the published movie needs into the base movie's network: the cells the
// components bind, the URL cells of active cell-bound XML maps and of the export settings,
// and everything their formulas read. Gives every constant a value record, links the network
// and the binding links, and clears the model-changed flag. Does nothing while that flag is
// clear. What could not be compiled is left in the network's problems.
void CompileModel(CBaseMovie& movie, const std::vector<CComponent*>& components);
