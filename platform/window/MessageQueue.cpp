#include "platform/window/MessageQueue.h"

#include <memory>

#include "base/Clock.h"
#include "platform/window/Input.h"

void CMessageQueue::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT held)
{
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetClock().NowMs();
    msg.held = held;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        posted_.push_back(msg);
    }
    Notify();
}

void CMessageQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        quit_ = true;
        exitCode_ = exitCode;
    }
    Notify();
}

bool CMessageQueue::Filter::Matches(HWND h, UINT message) const
{
    if (hwnd != nullptr && h != hwnd) {
        return false;
    }
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool CMessageQueue::TakeTimerLocked(MSG& msg, bool remove, std::uint64_t now, const Filter& filter)
{
    for (auto& [key, timer] : timers_) {
        if (timer.due <= now && filter.Matches(key.first, WM_TIMER)) {
            msg = MSG{};
            msg.hwnd = key.first;
            msg.message = WM_TIMER;
            msg.wParam = key.second;
            msg.time = now;
            if (remove) {
                timer.due = now + timer.elapse;
            }
            return true;
        }
    }
    return false;
}

bool CMessageQueue::TakePostedLocked(MSG& msg, bool remove, const Filter& filter)
{
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (filter.Matches(it->hwnd, it->message)) {
            msg = *it;
            if (remove) {
                posted_.erase(it);
                if ((msg.held & kHeldKnown) != 0) {
                    TakeHeldKeys(msg.held);
                }
            }
            return true;
        }
    }
    return false;
}

bool CMessageQueue::TakeLocked(MSG& msg, bool remove, std::unique_lock<std::mutex>& lock,
                               const Filter& filter)
{
    if (TakePostedLocked(msg, remove, filter)) {
        return true;
    }
    if (paintSource_ && filter.Matches(filter.hwnd, WM_PAINT)) {
        auto source = paintSource_;
        lock.unlock();
        MSG paint;
        const bool painted = source(paint);
        lock.lock();
        if (painted && filter.Matches(paint.hwnd, WM_PAINT)) {
            msg = paint;
            return true;
        }
        // A post may have arrived while the lock was released; it goes first.
        if (TakePostedLocked(msg, remove, filter)) {
            return true;
        }
    }
    if (TakeTimerLocked(msg, remove, GetClock().NowMs(), filter)) {
        return true;
    }
    if (quit_) {
        msg = MSG{};
        msg.message = WM_QUIT;
        msg.wParam = static_cast<WPARAM>(exitCode_);
        if (remove) {
            quit_ = false;
        }
        return true;
    }
    return false;
}

bool CMessageQueue::NextDueLocked(std::uint64_t& due, const Filter& filter) const
{
    bool any = false;
    for (const auto& entry : timers_) {
        if (filter.Matches(entry.first.first, WM_TIMER) && (!any || entry.second.due < due)) {
            due = entry.second.due;
            any = true;
        }
    }
    return any;
}

bool CMessageQueue::Get(MSG& msg)
{
    return Get(msg, Filter{});
}

bool CMessageQueue::Get(MSG& msg, const Filter& filter)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (waiter_ != nullptr) {
            // A queue that always has work would otherwise never let the host's events in.
            const std::uint64_t now = GetClock().NowMs();
            if (now - lastPoll_ >= kPollIntervalMs) {
                lastPoll_ = now;
                IQueueWaiter* waiter = waiter_;
                lock.unlock();
                waiter->Poll();
                lock.lock();
            }
        }
        if (TakeLocked(msg, true, lock, filter)) {
            return msg.message != WM_QUIT;
        }
        std::uint64_t due = 0;
        const bool timed = NextDueLocked(due, filter);
        if (waiter_ != nullptr) {
            IQueueWaiter* waiter = waiter_;
            lock.unlock();
            waiter->Wait(timed ? std::optional<std::uint64_t>(due) : std::nullopt);
            lock.lock();
            lastPoll_ = GetClock().NowMs();
        } else if (timed) {
            GetClock().WaitUntil(lock, cv_, due);
        } else {
            cv_.wait(lock);
        }
    }
}

bool CMessageQueue::Peek(MSG& msg, UINT removeFlags)
{
    return Peek(msg, removeFlags, Filter{});
}

bool CMessageQueue::Peek(MSG& msg, UINT removeFlags, const Filter& filter)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return TakeLocked(msg, (removeFlags & PM_REMOVE) != 0, lock, filter);
}

bool CMessageQueue::HasWork()
{
    MSG msg;
    return Peek(msg, PM_NOREMOVE);
}

UINT_PTR CMessageQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        Timer& timer = timers_[{hwnd, id}];
        timer.elapse = elapseMs;
        timer.due = GetClock().NowMs() + elapseMs;
    }
    Notify();
    return id;
}

bool CMessageQueue::KillTimer(HWND hwnd, UINT_PTR id)
{
    std::lock_guard<std::mutex> guard(mutex_);
    return timers_.erase({hwnd, id}) != 0;
}

bool CMessageQueue::HasTimer(HWND hwnd, UINT_PTR id) const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return timers_.count({hwnd, id}) != 0;
}

void CMessageQueue::RemoveWindow(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(mutex_);
    std::erase_if(posted_, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    std::erase_if(timers_, [hwnd](const auto& entry) { return entry.first.first == hwnd; });
}

std::size_t CMessageQueue::PostedCount() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return posted_.size();
}

void CMessageQueue::SetPaintSource(std::function<bool(MSG&)> source)
{
    std::lock_guard<std::mutex> guard(mutex_);
    paintSource_ = std::move(source);
}

void CMessageQueue::SetWaiter(IQueueWaiter* waiter)
{
    std::lock_guard<std::mutex> guard(mutex_);
    waiter_ = waiter;
}

void CMessageQueue::Notify()
{
    IQueueWaiter* waiter = nullptr;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        waiter = waiter_;
    }
    cv_.notify_all();
    if (waiter != nullptr) {
        waiter->Wake();
    }
}

void CMessageQueue::Clear()
{
    std::lock_guard<std::mutex> guard(mutex_);
    posted_.clear();
    timers_.clear();
    quit_ = false;
    exitCode_ = 0;
}

namespace {
// Never destroyed, so that windows going away at process exit can still drop their messages.
std::unique_ptr<CMessageQueue>& QueueSlot()
{
    static auto* queue = new std::unique_ptr<CMessageQueue>(std::make_unique<CMessageQueue>());
    return *queue;
}
} // namespace

CMessageQueue& GetMessageQueue()
{
    return *QueueSlot();
}

namespace {
IMessageLoopHooks*& HooksSlot()
{
    static IMessageLoopHooks* hooks = nullptr;
    return hooks;
}
} // namespace

void SetMessageLoopHooks(IMessageLoopHooks* hooks)
{
    HooksSlot() = hooks;
}

IMessageLoopHooks* GetMessageLoopHooks()
{
    return HooksSlot();
}

void ResetMessageQueue()
{
    // Kept as the same object so that a paint source installed by the window registry stays.
    QueueSlot()->Clear();
}
