#pragma once

// A one-frame movie whose frame runs ActionScript source compiled by the program's compiler:
// the probes of the player checks that load a published movie into level 1 and report on it.

#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTags.h"
#include "tools/actionscript/Compiler.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace playertest {

// width and height in twips; throws with the compiler's message when the source is wrong.
inline void WriteScriptMovie(const std::filesystem::path& file, const std::string& source, std::int32_t width,
                             std::int32_t height)
{
    actionscript::CompileResult result = actionscript::CompileSource(source, file.filename());
    if (!result.ok())
        throw std::runtime_error(result.error->ToString());
    std::vector<uint8_t> body = std::move(result.actions);
    body.push_back(0);
    CSwfOutputMovie out;
    out.AddTag(std::make_unique<CSwfRawTag>(static_cast<uint16_t>(swf::TagCode::DoAction), std::move(body)));
    out.AddTag(std::make_unique<CSwfShowFrame>());
    out.WriteFile(file, width, height, 30, true);
}

} // namespace playertest
