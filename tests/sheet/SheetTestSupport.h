#pragma once

#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <sstream>
#include <string>

namespace sheettest {

// A tree as a compact S-expression: (+ Sheet1!A1 2), ranges by their text.
inline std::string Describe(const CModelVariable& node, const CVariableTable* table = nullptr)
{
    std::ostringstream out;
    switch (node.GetKind()) {
    case ModelKind::Function:
        out << '(' << node.GetText();
        for (std::size_t i = 0; i < node.GetChildCount(); ++i)
            out << ' ' << Describe(node.GetChild(i), table);
        out << ')';
        break;
    case ModelKind::Range: {
        const CRange* range =
            table ? table->GetRange(static_cast<std::size_t>(node.GetRangeIndex())) : nullptr;
        out << '[' << (range ? range->GetText() : "?") << ']';
        break;
    }
    case ModelKind::Cell:
        out << node.GetCell().sheet << '!' << node.GetCell().GetShortText();
        break;
    case ModelKind::String:
        out << '"' << node.GetText() << '"';
        break;
    case ModelKind::Boolean:
        out << (node.GetBoolean() ? "TRUE" : "FALSE");
        break;
    case ModelKind::Number:
    case ModelKind::Integer:
        out << node.GetNumber();
        break;
    case ModelKind::Missing:
        out << '_';
        break;
    case ModelKind::NoValue:
        out << "undef";
        break;
    }
    return out.str();
}

} // namespace sheettest
