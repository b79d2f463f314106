#pragma once

// The time source of the window layer: timers, message times and the waiting loops read it.
// The program runs on the steady clock; tests install a simulated clock that only moves when
// told to (or when the message queue would otherwise sleep until the next timer).

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint64_t NowMs() const = 0;
    // Blocks on `cv` (with `lock` held on entry and exit) until it is notified or the clock
    // reaches `deadlineMs`. A simulated clock jumps to the deadline instead of waiting.
    virtual void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           std::uint64_t deadlineMs) = 0;
    virtual void Sleep(std::uint64_t ms) = 0;
};

class CSystemClock final : public IClock {
public:
    std::uint64_t NowMs() const override;
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   std::uint64_t deadlineMs) override;
    void Sleep(std::uint64_t ms) override;
};

class CManualClock final : public IClock {
public:
    explicit CManualClock(std::uint64_t startMs = 0) : now_(startMs) {}
    std::uint64_t NowMs() const override;
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   std::uint64_t deadlineMs) override;
    void Sleep(std::uint64_t ms) override { Advance(ms); }
    void Advance(std::uint64_t ms);

private:
    mutable std::mutex mutex_;
    std::uint64_t now_;
};

// The process-wide clock (the steady clock until a test installs another).
IClock& GetClock();
void SetClock(std::shared_ptr<IClock> clock);
// Installs a fresh simulated clock and returns it.
CManualClock& UseManualClock(std::uint64_t startMs = 0);
void ResetClock();

// Win32-shaped helpers on the process clock.
inline void Sleep(std::uint64_t ms)
{
    GetClock().Sleep(ms);
}
inline std::uint64_t GetTickCount()
{
    return GetClock().NowMs();
}
