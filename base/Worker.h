#pragma once

// A worker thread for long jobs (model imports, movie generation). The job gets a stop token
// to check; it reports to the user interface by posting messages, never by touching windows.
// Destroying the worker asks the job to stop and waits for it.

#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

class CWorkerThread {
public:
    using Job = std::function<void(std::stop_token)>;

    CWorkerThread() = default;
    ~CWorkerThread() { Stop(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the job; a job still running is stopped (and waited for) first.
    void Start(Job job);
    // Asks the job to stop and waits until it has.
    void Stop();
    void RequestStop() { thread_.request_stop(); }
    void Join();
    bool IsRunning() const { return running_.load(); }

private:
    std::jthread thread_;
    std::atomic<bool> running_{false};
};
