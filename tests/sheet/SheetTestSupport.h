#pragma once

#include "sheet/ModelVariable.h"
#include "sheet/Range.h"
#include "sheet/VariableTable.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"

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

// Actions as short words: push "V1", push 2, getvar, call ...
inline std::string Disassemble(const CActionList& actions)
{
    std::ostringstream out;
    for (const auto& action : actions) {
        if (out.tellp() > 0)
            out << "; ";
        if (const auto* push = dynamic_cast<const CActionPush*>(action.get())) {
            out << "push";
            for (const CPushValue& value : push->GetValues()) {
                switch (value.type) {
                case swf::PushType::String:
                    out << " '" << value.text << "'";
                    break;
                case swf::PushType::Integer:
                    out << ' ' << value.integer;
                    break;
                case swf::PushType::Double:
                    out << " d" << value.GetDouble();
                    break;
                case swf::PushType::Boolean:
                    out << (value.boolean ? " true" : " false");
                    break;
                case swf::PushType::Undefined:
                    out << " undef";
                    break;
                default:
                    out << " ?";
                }
            }
            continue;
        }
        switch (static_cast<swf::ActionCode>(action->GetCode())) {
        case swf::ActionCode::GetVariable:
            out << "getvar";
            break;
        case swf::ActionCode::SetVariable:
            out << "setvar";
            break;
        case swf::ActionCode::CallFunction:
            out << "call";
            break;
        case swf::ActionCode::CallMethod:
            out << "callmethod";
            break;
        default:
            out << "op" << static_cast<int>(action->GetCode());
        }
    }
    return out.str();
}

} // namespace sheettest
