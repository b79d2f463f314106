// A compiled network written as a published movie computes it, for the movie makers of the
// player checks: range arrays as the calling convention has them, constants, formulas in order.
#pragma once

#include "publish/ModelNetwork.h"
#include "sheet/CellRef.h"
#include "sheet/Range.h"
#include "sheet/VariableTable.h"
#include "swf/Actions.h"
#include "tests/player/PlayerReport.h"

#include <memory>
#include <string>
#include <vector>

namespace playertest {

// "A" + index = rows of the range's variable names, first row first.
inline void WriteRangeArrays(const CVariableTable& table, CActionList& actions)
{
    for (size_t i = 0; i < table.GetRangeCount(); ++i) {
        const CRange* range = table.GetRange(i);
        int rows = 0, columns = 0;
        range->GetAreaSize(0, rows, columns);
        actions.Add(std::make_unique<CActionPush>(RangeArrayName(static_cast<int32_t>(i))));
        for (int r = rows - 1; r >= 0; --r) {
            for (int c = columns - 1; c >= 0; --c)
                actions.Add(std::make_unique<CActionPush>(
                    range->GetCell(static_cast<size_t>(r * columns + c))->GetVariableName()));
            actions.Add(CActionPush::CActionPushInt(columns));
            actions.Add(std::make_unique<CActionCode>(swf::ActionCode::InitArray));
        }
        actions.Add(CActionPush::CActionPushInt(rows));
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::InitArray));
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
    }
}

// The range arrays, the constants and the formulas of a linked network, in evaluation order.
inline void WriteNetwork(const CVariableTable& table, const CModelNetwork& network, CActionList& actions)
{
    WriteRangeArrays(table, actions);
    for (const auto& [id, node] : network.PlainConstants())
        node->WriteVariableAction(actions);
    for (const CFormulaNode* node : network.GetEvaluationOrder())
        node->WriteVariableAction(actions);
}

} // namespace playertest
