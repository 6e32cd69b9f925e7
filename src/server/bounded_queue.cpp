// SPDX-License-Identifier: MIT
// A thread pool whose queue holds at most `queued` connections.
#include "server/bounded_queue.h"

BoundedTaskQueue::BoundedTaskQueue(size_t threads, size_t queued) : limit_(queued)
{
    for (size_t i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

BoundedTaskQueue::~BoundedTaskQueue()
{
    shutdown();
}

void BoundedTaskQueue::enqueue(std::function<void()> task)
{
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [this] { return stopping_ || tasks_.size() < limit_; });
    if (stopping_) {
        // Served here rather than dropped, so its socket is closed.
        lock.unlock();
        task();
        return;
    }
    tasks_.push_back(std::move(task));
    ready_.notify_one();
}

void BoundedTaskQueue::shutdown()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ && threads_.empty())
            return;
        stopping_ = true;
    }
    ready_.notify_all();
    room_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
    threads_.clear();
}

void BoundedTaskQueue::work()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            // Connections already accepted are served before the threads end.
            if (tasks_.empty())
                return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        room_.notify_one();
        task();
    }
}
