#pragma once

#include <functional>
#include <string>

// Developer diagnostics; never shown to the user. A message is cut to 510 characters.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace model {

constexpr std::size_t kMaxTraceLength = 510;

using TraceSink = std::function<void(const std::string&)>;
// The one place trace lines go (standard error until a sink is installed).
void SetTraceSink(TraceSink sink);
void ResetTraceSink();

} // namespace model
