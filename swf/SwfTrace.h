#pragma once

#include <functional>
#include <string_view>

namespace swf {

// The one place developer diagnostics of every layer go; never shown to the user. Lines go to
// standard error until a sink is installed. (model/Trace.h formats printf-style lines for it.)
using TraceSink = std::function<void(std::string_view line)>;
void SetTraceSink(TraceSink sink);
void ResetTraceSink();
void Trace(std::string_view line);

} // namespace swf
