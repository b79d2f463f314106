#pragma once

#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <sstream>
#include <string>

namespace testsupport {

// Actions as short words on one line, for tests that compare what a generator wrote:
// push 'V1' 2; getvar; callmethod. Only the actions generated code uses have names.
inline std::string ActionText(const CActionList& actions)
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
        case swf::ActionCode::GetMember:
            out << "getmember";
            break;
        case swf::ActionCode::SetMember:
            out << "setmember";
            break;
        case swf::ActionCode::CallFunction:
            out << "call";
            break;
        case swf::ActionCode::CallMethod:
            out << "callmethod";
            break;
        case swf::ActionCode::NewObject:
            out << "new";
            break;
        case swf::ActionCode::InitArray:
            out << "initarray";
            break;
        case swf::ActionCode::InitObject:
            out << "initobject";
            break;
        case swf::ActionCode::Pop:
            out << "pop";
            break;
        default:
            out << "op" << static_cast<int>(action->GetCode());
        }
    }
    return out.str();
}

} // namespace testsupport
