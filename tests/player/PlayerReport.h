#pragma once

// How the movies of the player checks report to the test: fscommand(command, value), which
// the page running the player records as an event.

#include "swf/ActionEmitter.h"

#include <string>
#include <vector>

namespace playertest {

// fscommand(command, the variable's value): GetURL2 with "FSCommand:<command>" as the URL; an
// empty variable name sends the empty text.
inline void Report(CActionList& actions, const std::string& command, const std::string& variable)
{
    swf::ActionEmitter emit(actions);
    emit.Str("FSCommand:" + command);
    if (variable.empty())
        emit.Str("");
    else
        emit.Get(variable);
    emit.Raw(static_cast<uint8_t>(swf::ActionCode::GetUrl2), {0});
}

} // namespace playertest
