// vantorel-model: imports a workbook the way a document does and shows its spreadsheet model:
// the sheets and cells that were read, then every formula compiled for the movie, in the
// order in which the movie recalculates them, with the size of its ActionScript.
//
//   vantorel-model <workbook.xlsx>

#include "sheet/CellModel.h"
#include "sheet/ExprNodes.h"
#include "sheet/FormulaNode.h"
#include "sheet/FormulaParser.h"
#include "sheet/ModelVariable.h"
#include "sheet/VariableTable.h"
#include "sheet/WorkbookError.h"
#include "sheet/WorkbookImport.h"
#include "sheet/XlsxReader.h"
#include "swf/ActionList.h"

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct CompiledModel {
    CVariableTable table;
    std::map<int32_t, std::unique_ptr<CFormulaNode>> nodes;
    std::map<int32_t, std::string> formulas;
};

// Compiles every formula cell of the model and every cell a formula reads, then links each
// formula to the nodes of the cells it refers to.
bool Compile(const CCellModel& model, CompiledModel& out)
{
    std::vector<CCellRef> pending;
    model.ForEachCell([&](const CCellRef& cell, const CCellData& data) {
        if (!data.formula.empty())
            pending.push_back(*out.table.GetCellAt(
                static_cast<size_t>(out.table.AddCell(cell.sheet, cell.row, cell.column))));
    });
    std::map<int32_t, std::vector<int32_t>> references;
    bool ok = true;
    while (!pending.empty()) {
        CCellRef cell = pending.back();
        pending.pop_back();
        if (out.nodes.count(cell.id))
            continue;
        if (!model.HasFormula(cell)) {
            auto constant = model.MakeConstantNode(cell);
            out.nodes[cell.id] = std::make_unique<CConstantCellNode>(
                cell.id, constant ? CCompiledExpr::Compile(*constant) : nullptr);
            continue;
        }
        FormulaError error;
        auto tree = model.ParseCellFormula(cell, out.table, &error);
        if (!tree) {
            std::fprintf(stderr, "cannot read the formula of %s: %s\n", cell.GetText().c_str(),
                         error.message.c_str());
            ok = false;
            continue;
        }
        std::vector<CCellRef> cells;
        std::vector<int> ranges;
        tree->CollectReferences(cells, ranges, out.table);
        for (const CCellRef& referenced : cells) {
            references[cell.id].push_back(referenced.id);
            pending.push_back(referenced);
        }
        out.formulas[cell.id] = model.GetCell(cell)->formula;
        out.nodes[cell.id] = std::make_unique<CFormulaCellNode>(cell.id, CCompiledExpr::Compile(*tree));
    }
    for (const auto& [id, referenced] : references)
        for (int32_t precedent : referenced)
            if (auto found = out.nodes.find(precedent); found != out.nodes.end()) {
                out.nodes[id]->AddPrecedent(found->second.get());
                found->second->AddDependent(out.nodes[id].get());
            }
    return ok;
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
        sheet::FillResult result = sheet::FillCellModel(workbook, model);
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
        std::printf("  sheet %-20s %d rows, %d columns\n", sheet.c_str(), model.GetLastRow(sheet),
                    model.GetLastColumn(sheet));
    std::printf("  %zu cells\n", model.GetCellCount());
    for (const auto& [name, definition] : model.GetDefinedNames())
        std::printf("  name %s = %s\n", name.c_str(), definition.c_str());

    CompiledModel compiled;
    bool ok = Compile(model, compiled);

    std::vector<CFormulaNode*> order;
    NodeVisitSet visited;
    CycleList cycles;
    for (const auto& [id, node] : compiled.nodes)
        if (!node->IsConstant() && !node->HasDependents())
            node->AppendInOrder(order, visited, &cycles);
    // Formulas that only reach each other have no end point; order them too.
    for (const auto& [id, node] : compiled.nodes)
        if (!node->IsConstant() && !visited.Contains(node.get()))
            node->AppendInOrder(order, visited, &cycles);

    std::printf("\nRecalculation order: %zu formulas over %zu movie variables, %zu ranges\n", order.size(),
                compiled.table.GetCellCount(), compiled.table.GetRangeCount());
    for (size_t i = 0; i < order.size(); ++i) {
        const CFormulaNode& node = *order[i];
        std::optional<CCellRef> cell = compiled.table.GetCellAt(static_cast<size_t>(node.GetCellId()));
        std::printf("  %4zu  %-6s %-24s =%s  (%zu bytes of ActionScript)\n", i + 1,
                    cell->GetVariableName().c_str(), cell->GetText().c_str(),
                    compiled.formulas[node.GetCellId()].c_str(), ActionBytes(node));
    }
    for (const auto& cycle : cycles) {
        std::printf("  circular reference:");
        for (int32_t id : cycle)
            std::printf(" %s", compiled.table.GetCellAt(static_cast<size_t>(id))->GetText().c_str());
        std::printf("\n");
    }
    return ok ? 0 : 1;
}
