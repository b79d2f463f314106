#pragma once

#include <cstdio>
#include <string_view>

// One line of progress on a terminal ("reading x.xlsx", "compiling 4168 formulas"), each
// step replacing the last, cleared when the work ends. Silent when the stream is not a
// terminal (a log or a pipe wants only the results) or when asked to be quiet.
namespace cli {

class Progress {
public:
    Progress(std::FILE* stream, bool quiet);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Step(std::string_view text);
    // Clears the line, so the results that follow start on a clean one.
    void Done();
    bool Enabled() const { return enabled_; }

private:
    std::FILE* stream_;
    bool enabled_;
    bool shown_ = false;
};

} // namespace cli
