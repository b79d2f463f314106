#include "model/Trace.h"

#include "swf/SwfTrace.h"

#include <cstdarg>
#include <cstdio>

void Trace(const char* format, ...)
{
    char buffer[model::kMaxTraceLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    swf::Trace(buffer);
}
