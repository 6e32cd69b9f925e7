// SPDX-License-Identifier: MIT
// The HTTP server's task queue: a fixed set of threads and a bounded queue of accepted connections.
// When the queue is full the accept loop waits, so further connections wait in the kernel's backlog
// instead of in memory. The one virtual class of the project: the HTTP library's queue interface.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <httplib.h>

class BoundedTaskQueue final : public httplib::TaskQueue {
public:
    BoundedTaskQueue(size_t threads, size_t queued);
    ~BoundedTaskQueue() override;

    void enqueue(std::function<void()> task) override;
    void shutdown() override;

private:
    void work();

    size_t limit_;
    std::mutex mutex_;
    std::condition_variable ready_, room_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
