#include "tools/cli/Progress.h"

#include <unistd.h>

namespace cli {

Progress::Progress(std::FILE* stream, bool quiet)
    : stream_(stream), enabled_(!quiet && isatty(fileno(stream)) == 1)
{
}

Progress::~Progress()
{
    Done();
}

void Progress::Step(std::string_view text)
{
    if (!enabled_)
        return;
    std::fprintf(stream_, "\r\033[K%.*s...", static_cast<int>(text.size()), text.data());
    std::fflush(stream_);
    shown_ = true;
}

void Progress::Done()
{
    if (!shown_)
        return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

} // namespace cli
