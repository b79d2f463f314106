#pragma once

// How the movies of the player checks report to the test: fscommand(command, value), which
// the page running the player records as an event.

#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <memory>
#include <string>
#include <vector>

namespace playertest {

// fscommand(command, the variable's value): GetURL2 with "FSCommand:<command>" as the URL; an
// empty variable name sends the empty text.
inline void Report(CActionList& actions, const std::string& command, const std::string& variable)
{
    actions.Add(std::make_unique<CActionPush>("FSCommand:" + command));
    if (variable.empty()) {
        actions.Add(std::make_unique<CActionPush>(""));
    } else {
        actions.Add(std::make_unique<CActionPush>(variable));
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetVariable));
    }
    actions.Add(std::make_unique<CActionRaw>(static_cast<uint8_t>(swf::ActionCode::GetUrl2),
                                             std::vector<uint8_t>{0}));
}

} // namespace playertest
