#pragma once

#include <functional>
#include <string_view>

namespace swf {

// Where the library's diagnostic lines go (standard error until a sink is installed; an empty
// function restores that).
using TraceSink = std::function<void(std::string_view line)>;
void SetTraceSink(TraceSink sink);
void Trace(std::string_view line);

} // namespace swf
