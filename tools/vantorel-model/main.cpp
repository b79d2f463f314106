// vantorel-model: imports a workbook the way a document does and shows its spreadsheet model:
// the sheets and cells that were read, then every formula compiled for the movie, in the
// order in which the movie recalculates them, with the size of its ActionScript.
//
//   vantorel-model <workbook.xlsx>

#include "publish/ModelNetwork.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/MessageText.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "swf/ActionList.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Names, formulas and texts come from the workbook: control characters in them must not
// reach the terminal as they are.
std::string Shown(const std::string& text)
{
    return sheet::PrintableText(text, std::string::npos);
}

size_t ActionBytes(const CFormulaNode& node)
{
    CActionList actions;
    node.WriteVariableAction(actions);
    return actions.ToBytes(false).size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <workbook.xlsx>\n", argv[0]);
        return 2;
    }
    CCellModel model;
    try {
        sheet::xlsx::Workbook workbook = sheet::xlsx::ReadWorkbookFile(argv[1]);
        sheet::FillResult result = sheet::FillCellModel(std::move(workbook), model);
        if (result.outcome != sheet::FillOutcome::Done) {
            std::fprintf(stderr, "%s: %s\n", argv[1], result.failure.c_str());
            return 1;
        }
    } catch (const sheet::WorkbookError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }

    std::printf("Workbook %s\n", argv[1]);
    for (const std::string& sheet : model.GetSheetNames())
        std::printf("  sheet %-20s %d rows, %d columns\n", Shown(sheet).c_str(), model.GetLastRow(sheet),
                    model.GetLastColumn(sheet));
    std::printf("  %zu cells\n", model.GetCellCount());
    for (const auto& [name, definition] : model.GetDefinedNames())
        std::printf("  name %s = %s\n", Shown(name).c_str(), Shown(definition).c_str());

    CVariableTable table;
    CModelNetwork network;
    CCellValueMap values;
    network.CompileAllFormulas(model, table, values);
    network.Link(table);

    const std::vector<CFormulaNode*>& order = network.GetEvaluationOrder();
    std::printf("\nRecalculation order: %zu formulas over %zu movie variables, %zu ranges\n", order.size(),
                table.GetCellCount(), table.GetRangeCount());
    for (size_t i = 0; i < order.size(); ++i) {
        const CFormulaNode& node = *order[i];
        std::optional<CCellRef> cell = table.GetCellAt(static_cast<size_t>(node.GetCellId()));
        std::printf("  %4zu  %-6s %-24s =%s  (%zu bytes of ActionScript)\n", i + 1,
                    cell->GetVariableName().c_str(), Shown(cell->GetText()).c_str(),
                    Shown(model.GetCell(*cell)->formula).c_str(), ActionBytes(node));
    }
    const CompileProblems& problems = network.GetProblems();
    for (const auto& cycle : problems.cycles) {
        std::printf("  circular reference:");
        for (const std::string& cell : cycle)
            std::printf(" %s", Shown(cell).c_str());
        std::printf("\n");
    }
    for (const auto& [cell, reason] : problems.unreadableFormulas)
        std::fprintf(stderr, "cannot read the formula of %s: %s\n", Shown(cell).c_str(),
                     Shown(reason).c_str());
    return problems.unreadableFormulas.empty() ? 0 : 1;
}
