// A compiled network written as a published movie computes it, for the movie makers of the
// player checks: range arrays as the calling convention has them, constants, formulas in order.
#pragma once

#include "publish/ModelNetwork.h"
#include "publish/ModelScriptBuilder.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/Actions.h"
#include "tests/player/PlayerReport.h"

#include <memory>
#include <string>
#include <vector>

namespace playertest {

// The range arrays (with the rows cells hides, when given), the constants and the formulas of a
// linked network, in evaluation order.
inline void WriteNetwork(const CVariableTable& table, const CModelNetwork& network, CActionList& actions,
                         const CCellModel* cells = nullptr)
{
    ::WriteRangeArrays(table, actions, nullptr, cells);
    for (const auto& [id, node] : network.PlainConstants())
        node->WriteVariableAction(actions);
    for (const CFormulaNode* node : network.GetEvaluationOrder())
        node->WriteVariableAction(actions);
}

} // namespace playertest
