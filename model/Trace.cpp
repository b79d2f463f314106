#include "model/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace model {
namespace {

std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink()
{
    static TraceSink sink;
    return sink;
}

} // namespace

void SetTraceSink(TraceSink sink)
{
    std::lock_guard<std::mutex> lock(SinkMutex());
    Sink() = std::move(sink);
}

void ResetTraceSink()
{
    SetTraceSink(nullptr);
}

} // namespace model

void Trace(const char* format, ...)
{
    char buffer[model::kMaxTraceLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::string line(buffer);
    std::lock_guard<std::mutex> lock(model::SinkMutex());
    if (model::Sink()) {
        model::Sink()(line);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}
