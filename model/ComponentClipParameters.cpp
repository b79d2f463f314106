#include "model/ComponentClipParameters.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"

#include "swf/ActionEmitter.h"
#include "swf/ActionList.h"
#include "swf/SwfWriter.h"

using swf::ActionCode;
using swf::ActionEmitter;

namespace model {
namespace {

// Deeper values would only come from damaged documents; the player's stack stays bounded.
constexpr int kMaxDepth = 32;
// The clip event that runs before a registered class's constructor.
constexpr std::uint32_t kClipEventInitialize = 0x200;

bool HasValue(const CParameter& parameter)
{
    ParamType type = parameter.GetType();
    return !parameter.GetName().empty() && type != ParamType::NoValue && type != ParamType::OtherNoValue;
}

// Pushes the parameter's value; false (nothing pushed) when it has none.
bool PushValue(const CParameter& parameter, ActionEmitter& out, int depth)
{
    if (depth > kMaxDepth) {
        return false;
    }
    switch (parameter.GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        out.Str(parameter.GetString());
        return true;
    case ParamType::Number:
        out.Dbl(parameter.GetDouble());
        return true;
    case ParamType::Boolean:
        out.Bool(parameter.GetBool());
        return true;
    case ParamType::Integer:
        out.Int(parameter.GetInt());
        return true;
    case ParamType::Color:
        out.Int(static_cast<std::int32_t>(parameter.GetColor() & 0xFFFFFF));
        return true;
    case ParamType::Choice:
        return parameter.GetValueList() && PushValue(parameter.GetValueList()->GetPrototype(), out, depth + 1);
    case ParamType::CellBinding:
        return parameter.GetBinding() && PushValue(parameter.GetBinding()->GetValue(), out, depth + 1);
    case ParamType::List:
    case ParamType::CellList:
    case ParamType::CellTable: {
        // InitArray takes the last pushed value as element 0.
        int count = parameter.GetElementCount();
        for (int i = count - 1; i >= 0; --i) {
            if (!PushValue(*parameter.GetElement(i), out, depth + 1)) {
                out.Undefined();
            }
        }
        out.Int(count).Op(ActionCode::InitArray);
        return true;
    }
    case ParamType::Group: {
        int count = 0;
        if (const CParameterSet* set = parameter.GetSet()) {
            for (int i = 0; i < set->GetCount(); ++i) {
                const CParameter& member = *set->GetAt(i);
                if (!HasValue(member)) {
                    continue;
                }
                out.Str(member.GetName());
                if (PushValue(member, out, depth + 1)) {
                    ++count;
                } else {
                    out.Op(ActionCode::Pop);
                }
            }
        }
        out.Int(count).Op(ActionCode::InitObject);
        return true;
    }
    case ParamType::NoValue:
    case ParamType::OtherNoValue:
        break;
    }
    return false;
}

void EmitAssignment(const CParameter& parameter, ActionEmitter& out)
{
    if (!HasValue(parameter)) {
        return;
    }
    out.Str(parameter.GetName());
    if (PushValue(parameter, out, 0)) {
        out.Op(ActionCode::SetVariable);
    } else {
        out.Op(ActionCode::Pop);
    }
}

} // namespace

void EmitClipParameters(const CParameterSet& parameters, CActionList& actions)
{
    ActionEmitter out(actions);
    for (int i = 0; i < parameters.GetCount(); ++i) {
        const CParameter& parameter = *parameters.GetAt(i);
        const CParameterSet* group = parameter.GetType() == ParamType::Group ? parameter.GetSet() : nullptr;
        if (!group) {
            EmitAssignment(parameter, out);
            continue;
        }
        for (int j = 0; j < group->GetCount(); ++j) {
            EmitAssignment(*group->GetAt(j), out);
        }
    }
}

std::vector<std::uint8_t> BuildParameterClipActions(const CParameterSet& parameters)
{
    CActionList actions;
    EmitClipParameters(parameters, actions);
    if (actions.empty()) {
        return {};
    }
    std::vector<std::uint8_t> code = actions.ToBytes(true);
    swf::Writer out;
    out.U16(0);
    out.U32(kClipEventInitialize);
    out.U32(kClipEventInitialize);
    out.U32(static_cast<std::uint32_t>(code.size()));
    out.Bytes(code);
    out.U32(0);
    return out.Take();
}

} // namespace model
