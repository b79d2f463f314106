#pragma once
// Work on hostile input run in a child process that must end within a time and memory limit.
// The limits are watched from outside, so they hold under the sanitizers too, where
// address-space limits do not work.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

namespace testsupport {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTOREL_HOSTILE_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANTOREL_HOSTILE_SANITIZED 1
#endif

#ifdef VANTOREL_HOSTILE_SANITIZED
// The sanitizers run code several times slower and keep freed memory in quarantine.
inline constexpr double kSeconds = 40;
inline constexpr long kMegabytes = 1280;
#else
inline constexpr double kSeconds = 8;
inline constexpr long kMegabytes = 640;
#endif

// The processor time a process has used so far, in seconds (user and system): unlike the time
// on the clock, it does not grow while a busy machine keeps the process waiting.
inline double ProcessorSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold spaces; the fields counted follow its end.
    std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::strtoull(field.c_str(), nullptr, 10);
        if (i == 15)
            system = std::strtoull(field.c_str(), nullptr, 10);
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

inline long StatusKilobytes(const std::string& statusFile, const std::string& field)
{
    std::ifstream in(statusFile);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return 0;
}

// How the child ended: its report, or that the watch stopped it.
struct Outcome {
    std::string report;
    bool tooSlow = false;
    bool tooLarge = false;
    long growthMegabytes = 0; // the child's own peak above its start
};

// Runs work in a child process; work's text is the report. The peak is measured by the child
// itself (its high-water mark reset at the start), and the parent stops a child that runs
// too long or grows too large, so a regression fails the test instead of the machine.
inline Outcome RunWatched(const std::function<std::string()>& work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {"pipe failed"};
    long parentRss = StatusKilobytes("/proc/self/status", "VmRSS");
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        {
            std::ofstream reset("/proc/self/clear_refs");
            reset << "5"; // high-water mark back to the current size
        }
        long start = StatusKilobytes("/proc/self/status", "VmRSS");
        // Without the reset the mark is the parent's peak, which says nothing about the work.
        bool measured = StatusKilobytes("/proc/self/status", "VmHWM") <= start + 4096;
        std::string report;
        try {
            report = work();
        } catch (const std::exception& e) {
            report = std::string("refused: ") + e.what();
        }
        long peak = StatusKilobytes("/proc/self/status", "VmHWM");
        std::string out = std::to_string(measured ? (peak - start) / 1024 : 0) + "\n" + report;
        for (std::size_t done = 0; done < out.size();) {
            ssize_t n = write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    Outcome outcome;
    std::string received;
    auto began = std::chrono::steady_clock::now();
    const double processors = std::max(1u, std::thread::hardware_concurrency());
    std::string status = "/proc/" + std::to_string(pid) + "/status";
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 20) > 0) {
            char buffer[4096];
            ssize_t n = read(fds[0], buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n > 0)
                received.append(buffer, static_cast<std::size_t>(n));
        }
        // The limit is on the work's processor time (the limit on each processor the work may
        // use), so that a machine busy with other work does not fail the test; the clock only
        // catches a child that waits instead of working.
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        outcome.tooSlow = ProcessorSeconds(pid) > kSeconds * processors || seconds > kSeconds * 15;
        outcome.tooLarge = StatusKilobytes(status, "VmRSS") - parentRss > kMegabytes * 1024;
        if (outcome.tooSlow || outcome.tooLarge) {
            kill(pid, SIGKILL);
            break;
        }
    }
    close(fds[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    auto newline = received.find('\n');
    if (newline != std::string::npos) {
        outcome.growthMegabytes = std::atol(received.c_str());
        outcome.report = received.substr(newline + 1);
    }
    return outcome;
}

} // namespace testsupport
