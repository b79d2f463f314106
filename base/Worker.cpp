#include "base/Worker.h"

void CWorkerThread::Start(Job job)
{
    Stop();
    running_ = true;
    thread_ = std::jthread([this, job = std::move(job)](std::stop_token token) {
        job(token);
        running_ = false;
    });
}

void CWorkerThread::Stop()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    running_ = false;
}

void CWorkerThread::Join()
{
    if (thread_.joinable()) {
        thread_.join();
    }
}
