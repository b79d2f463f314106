#include "base/Clock.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {

std::chrono::steady_clock::time_point Origin()
{
    static const auto origin = std::chrono::steady_clock::now();
    return origin;
}

// Never destroyed: the queue reads the clock while windows go away at process exit.
std::shared_ptr<IClock>& ClockSlot()
{
    static auto* clock = new std::shared_ptr<IClock>(std::make_shared<CSystemClock>());
    return *clock;
}

} // namespace

std::uint64_t CSystemClock::NowMs() const
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Origin())
            .count());
}

void CSystemClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                             std::uint64_t deadlineMs)
{
    cv.wait_until(lock, Origin() + std::chrono::milliseconds(deadlineMs));
}

void CSystemClock::Sleep(std::uint64_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t CManualClock::NowMs() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return now_;
}

void CManualClock::WaitUntil(std::unique_lock<std::mutex>&, std::condition_variable&,
                             std::uint64_t deadlineMs)
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (deadlineMs > now_) {
        now_ = deadlineMs;
    }
}

void CManualClock::Advance(std::uint64_t ms)
{
    std::lock_guard<std::mutex> guard(mutex_);
    now_ += ms;
}

IClock& GetClock()
{
    return *ClockSlot();
}

void SetClock(std::shared_ptr<IClock> clock)
{
    ClockSlot() = clock ? std::move(clock) : std::make_shared<CSystemClock>();
}

CManualClock& UseManualClock(std::uint64_t startMs)
{
    auto clock = std::make_shared<CManualClock>(startMs);
    CManualClock& ref = *clock;
    SetClock(std::move(clock));
    return ref;
}

void ResetClock()
{
    SetClock(nullptr);
}
