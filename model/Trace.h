#pragma once

#include <cstddef>

// Developer diagnostics in printf style, for the model and the layers above it. The line, cut
// to kMaxTraceLength characters, goes to the one trace sink (swf/SwfTrace.h).
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace model {
constexpr std::size_t kMaxTraceLength = 510;
} // namespace model
