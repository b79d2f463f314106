// Scanner, parser and compiler of spreadsheet formulas on arbitrary text.
#include "sheet/cells/CellModel.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/FormulaScanner.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);

    CFormulaScanner scanner(text.substr(0, 20000));
    for (;;) {
        FormulaToken token = scanner.Next();
        if (token.kind == TokenKind::End || token.kind == TokenKind::Invalid)
            break;
    }

    static CCellModel* model = [] {
        auto* m = new CCellModel;
        m->SetCell("Sheet1", 50, 8, CCellData{"1", "number", "", false});
        m->SetCell("My Sheet", 3, 2, CCellData{"x", "string", "", false});
        m->SetDefinedName("Sales", "Sheet1!$A$1:$B$4");
        m->SetDefinedName("Loop", "Loop*2");
        return m;
    }();
    CVariableTable table;
    FormulaContext context;
    context.sheet = "Sheet1";
    context.table = &table;
    context.model = model;
    FormulaError error;
    auto tree = CFormulaParser::Parse(text, context, &error);
    if (!tree)
        return 0;
    std::vector<CCellRef> cells;
    std::vector<int> ranges;
    tree->CollectReferences(cells, ranges, table);
    auto compiled = CCompiledExpr::Compile(*tree);
    if (compiled) {
        CActionList actions;
        compiled->WriteActions(actions);
    }
    return 0;
}
