#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <unistd.h>

// A screen suite that dies of a signal says in which test and where, before the signal takes
// its usual course: an abort from the C library or the toolkit otherwise leaves only the
// shell's "Aborted" in the log of a long run.
namespace screentest {

inline void WriteText(const char* text)
{
    if (text != nullptr && ::write(STDERR_FILENO, text, std::strlen(text)) < 0) {
        return;
    }
}

inline void ReportCrash(int signal)
{
    WriteText(signal == SIGABRT ? "\nscreen test aborted" : "\nscreen test crashed");
    if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
        WriteText(" in ");
        WriteText(test->test_suite_name());
        WriteText(".");
        WriteText(test->name());
    }
    WriteText("; the calls that led there:\n");
    void* frames[48];
    backtrace_symbols_fd(frames, backtrace(frames, 48), STDERR_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Only aborts and bus errors: the sanitizers of the checked build keep their own report of bad
// memory accesses.
inline void ReportCrashes()
{
    std::signal(SIGABRT, ReportCrash);
    std::signal(SIGBUS, ReportCrash);
}

} // namespace screentest
