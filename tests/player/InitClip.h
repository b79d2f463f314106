#pragma once

// Compiled scripts and initialised clips, as the movie makers of the player checks add them.

#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace playertest {

// The actions of the source; throws on a compile error or on the first problem the action
// check finds, named by `name`.
inline std::vector<uint8_t> CompileChecked(const std::string& source, const std::string& name)
{
    actionscript::CompileResult result = actionscript::CompileSource(source, name);
    if (!result.ok())
        throw std::runtime_error(result.error->ToString());
    if (auto problems = actionscript::CheckActions(result.actions); !problems.empty())
        throw std::runtime_error(name + ": " + problems.front());
    return std::move(result.actions);
}

// A one-frame empty sprite `id`, exported as `symbol` unless that is empty, and its
// DoInitAction running `actions`.
inline void AddInitClip(CSwfMovie& movie, uint16_t id, const std::string& symbol, std::span<const uint8_t> actions)
{
    auto sprite = std::make_unique<CSwfSprite>(id, 1, false);
    sprite->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(sprite));
    if (!symbol.empty()) {
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName(symbol);
        movie.AddTag(std::move(exported));
    }
    std::vector<uint8_t> body = {static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>(id >> 8)};
    body.insert(body.end(), actions.begin(), actions.end());
    body.push_back(0);
    movie.AddTag(
        std::make_unique<CSwfRawTag>(static_cast<uint16_t>(swf::TagCode::DoInitAction), std::move(body)));
}

} // namespace playertest
