#include "swf/SwfTrace.h"

#include <cstdio>
#include <mutex>

namespace swf {
namespace {

std::mutex g_traceMutex;
TraceSink g_traceSink;

} // namespace

void SetTraceSink(TraceSink sink)
{
    std::lock_guard lock(g_traceMutex);
    g_traceSink = std::move(sink);
}

void ResetTraceSink()
{
    SetTraceSink(nullptr);
}

void Trace(std::string_view line)
{
    std::lock_guard lock(g_traceMutex);
    if (g_traceSink)
        g_traceSink(line);
    else
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace swf
