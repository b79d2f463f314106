#pragma once

// The user-interface thread's message queue. Any thread may post; only the user-interface
// thread takes messages out. Retrieval order: posted messages in order, then a paint request
// for an invalid window, then due timers, then the quit request; so a quit posted while other
// work is queued lets that work finish first. Nested loops (modal dialogs, waiting loops) take
// from the same queue.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/window/Messages.h"

enum : UINT { PM_NOREMOVE = 0x0000, PM_REMOVE = 0x0001 };

// How the user-interface thread waits for the queue. Without one it sleeps until a post or the
// next timer; a screen host waits in its toolkit's event loop instead, so the toolkit's events
// (input, exposure, its own timers) keep arriving while any loop of the layer, the nested
// modal ones included, waits for a message.
class IQueueWaiter {
public:
    // Returns when Wake was called, an event of the host was handled, or the clock reached
    // `dueMs` (a time of the layer's clock; none: no deadline). Called without the queue's lock.
    virtual void Wait(std::optional<std::uint64_t> dueMs) = 0;
    // Handles the host's events that are already there without blocking; the queue calls it
    // now and then while it is busy so that a stream of posts cannot starve the host.
    virtual void Poll() = 0;
    // Any thread: ends a Wait, or makes the next one return at once.
    virtual void Wake() = 0;

protected:
    ~IQueueWaiter() = default;
};

class CMessageQueue {
public:
    CMessageQueue() = default;
    CMessageQueue(const CMessageQueue&) = delete;
    CMessageQueue& operator=(const CMessageQueue&) = delete;

    // Any thread.
    // `held`: the modifier keys held as the person's input was made (kHeldKnown with the
    // kHeld bits), which the key state takes again as the message is taken; 0 for others.
    void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT held = 0);
    void PostQuit(int exitCode);

    // User-interface thread. Get blocks until a message is there; it returns false for the
    // quit request (then `msg` is WM_QUIT with the exit code in wParam).
    bool Get(MSG& msg);
    bool Peek(MSG& msg, UINT removeFlags);
    // Only messages for `hwnd` (null: any) with numbers in [first, last] (both 0: any); the
    // quit request always matches.
    struct Filter {
        HWND hwnd = nullptr;
        UINT first = 0;
        UINT last = 0;
        bool Matches(HWND h, UINT message) const;
    };
    bool Get(MSG& msg, const Filter& filter);
    bool Peek(MSG& msg, UINT removeFlags, const Filter& filter);
    // True when something could be retrieved right now without waiting.
    bool HasWork();

    // Timers: identified by window and id; setting an existing one restarts it. A due timer
    // gives one WM_TIMER however late it is taken, then runs again a full period later.
    // `hwnd` null uses the id as a thread timer.
    UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    bool HasTimer(HWND hwnd, UINT_PTR id) const;

    // Drops the posted messages and timers of a window that is going away.
    void RemoveWindow(HWND hwnd);
    std::size_t PostedCount() const;

    // Supplies WM_PAINT for the first window that needs painting; installed by the window
    // registry. Called without the queue's lock held.
    void SetPaintSource(std::function<bool(MSG&)> source);

    // Forgets everything (posted messages, timers, quit request).
    void Clear();

    // The waiter is borrowed; null goes back to sleeping on the queue itself.
    void SetWaiter(IQueueWaiter* waiter);

private:
    static constexpr std::uint64_t kPollIntervalMs = 8;
    struct Timer {
        UINT elapse = 0;
        std::uint64_t due = 0;
    };
    bool TakeLocked(MSG& msg, bool remove, std::unique_lock<std::mutex>& lock, const Filter& filter);
    bool TakePostedLocked(MSG& msg, bool remove, const Filter& filter);
    bool TakeTimerLocked(MSG& msg, bool remove, std::uint64_t now, const Filter& filter);
    bool NextDueLocked(std::uint64_t& due, const Filter& filter) const;
    // Wakes whoever waits for the queue: the condition variable and the installed waiter.
    void Notify();

    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<MSG> posted_;
    std::map<std::pair<HWND, UINT_PTR>, Timer> timers_;
    bool quit_ = false;
    int exitCode_ = 0;
    std::function<bool(MSG&)> paintSource_;
    IQueueWaiter* waiter_ = nullptr;
    std::uint64_t lastPoll_ = 0;
};

// The queue of the user-interface thread.
CMessageQueue& GetMessageQueue();
void ResetMessageQueue();

// What the running application adds to every message loop, the nested ones of windows (modal
// dialogs) included: idle work while the queue is empty, and the first look at each message
// (accelerators, dialog keys). The application installs itself for its lifetime; without one,
// loops only deliver messages.
class IMessageLoopHooks {
public:
    // Returns true while there is more idle work; count counts the calls since the last message.
    virtual BOOL OnIdle(long count) = 0;
    // True when the message was used and must not be delivered.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
    ~IMessageLoopHooks() = default;
};
void SetMessageLoopHooks(IMessageLoopHooks* hooks);
IMessageLoopHooks* GetMessageLoopHooks();
