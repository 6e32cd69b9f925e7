// SPDX-License-Identifier: MIT
// Starting and ending processes. SIGTERM and SIGINT are blocked in every thread and taken by one thread
// with sigwait, which stops the HTTP server or the worker loop; the workers are then stopped in turn.
#include "server/processes.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/bounded_queue.h"
#include "server/database.h"
#include "server/http_api.h"
#include "server/worker.h"

namespace {

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// Waits on a thread of its own for SIGTERM or SIGINT, then calls `stop` once.
std::thread stopOnSignal(std::function<void()> stop)
{
    return std::thread([stop = std::move(stop)] {
        sigset_t set = stopSignals();
        int signal = 0;
        sigwait(&set, &signal);
        stop();
    });
}

// Wakes the signal thread when the process ends for another reason.
void endSignalThread(std::thread& thread)
{
    kill(getpid(), SIGTERM);
    thread.join();
}

WorkerSettings workerSettings(const ServerOptions& options)
{
    return {options.database, options.leaseSeconds};
}

// Worker processes, started as `roliquo-server worker` (a fresh process image, so nothing of this
// process's threads is inherited) and started again when one ends while the server runs.
class WorkerPool {
public:
    explicit WorkerPool(const ServerOptions& options) : options_(options) { }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    ~WorkerPool() { stop(); }

    void start(int count)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int i = 0; i < count; ++i)
            spawn();
        if (count > 0)
            supervisor_ = std::thread([this] { supervise(); });
    }

    int size()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(children_.size());
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            for (pid_t child : children_)
                kill(child, SIGTERM);
        }
        if (supervisor_.joinable())
            supervisor_.join();
    }

private:
    // Called with the mutex held.
    void spawn()
    {
        std::vector<std::string> args = {"roliquo-server", "worker",
                                         "--db",           options_.database,
                                         "--pack",         options_.pack,
                                         "--lease",        std::to_string(options_.leaseSeconds),
                                         "--workers",      "1"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            // Only async-signal-safe calls between fork and exec.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            sigset_t none;
            sigemptyset(&none);
            pthread_sigmask(SIG_SETMASK, &none, nullptr);
            execv("/proc/self/exe", argv.data());
            _exit(127);
        }
        if (pid < 0)
            std::perror("roliquo-server: fork");
        else
            children_.push_back(pid);
    }

    void supervise()
    {
        for (;;) {
            int status = 0;
            pid_t ended = waitpid(-1, &status, 0);
            std::lock_guard<std::mutex> lock(mutex_);
            if (ended < 0) {
                children_.clear();
                return;
            }
            std::erase(children_, ended);
            if (stopping_) {
                if (children_.empty())
                    return;
                continue;
            }
            std::fprintf(stderr, "roliquo-server: worker %d ended (status %d); starting another\n",
                         static_cast<int>(ended), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
            // A worker that cannot reach the database ends at once: do not start them in a tight loop.
            std::this_thread::sleep_for(std::chrono::seconds(1));
            spawn();
        }
    }

    const ServerOptions& options_;
    std::mutex mutex_;
    std::vector<pid_t> children_;
    bool stopping_ = false;
    std::thread supervisor_;
};

bool prepareDatabase(const ServerOptions& options, const PackCatalog& catalog)
{
    try {
        pqxx::connection connection(options.database);
        applyMigrations(connection);
        registerPack(connection, catalog);
        int reclaimed = reclaimLapsedLeases(connection);
        if (reclaimed > 0)
            std::fprintf(stderr, "roliquo-server: %d runs whose worker stopped are queued again\n", reclaimed);
        return true;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "roliquo-server: the database: %s\n", failure.what());
        return false;
    }
}

} // namespace

int runServer(const ServerOptions& options, const PackCatalog& catalog)
{
    sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    if (!prepareDatabase(options, catalog))
        return 1;
    WorkerPool workers(options);
    workers.start(options.workers);

    ConnectionPool pool(options.database);
    httplib::Server http;
    http.new_task_queue = [] { return new BoundedTaskQueue(HttpThreads, QueuedConnections); };
    addApiRoutes(http, pool);
    if (!options.webFolder.empty() && !http.set_mount_point("/", options.webFolder)) {
        std::fprintf(stderr, "roliquo-server: --web %s is no folder\n", options.webFolder.c_str());
        return 2;
    }
    // Port 0 takes any free port; the log line below names the one taken.
    int port = options.listenPort;
    if (port == 0)
        port = http.bind_to_any_port(options.listenHost);
    else if (!http.bind_to_port(options.listenHost, port))
        port = -1;
    if (port <= 0) {
        std::fprintf(stderr, "roliquo-server: cannot listen on %s:%d\n", options.listenHost.c_str(),
                     options.listenPort);
        return 1;
    }
    std::atomic<bool> stopped = false;
    std::thread signals = stopOnSignal([&http, &stopped] {
        stopped = true;
        http.stop();
    });
    std::fprintf(stderr, "roliquo-server: listening on %s:%d with %d workers\n", options.listenHost.c_str(), port,
                 workers.size());
    http.listen_after_bind();
    if (!stopped)
        endSignalThread(signals);
    else
        signals.join();
    workers.stop();
    std::fprintf(stderr, "roliquo-server: stopped\n");
    return 0;
}

int runWorkers(const ServerOptions& options, const PackCatalog& catalog)
{
    sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::atomic<bool> stop = false;
    if (options.workers != 1) {
        WorkerPool workers(options);
        workers.start(options.workers);
        std::thread signals = stopOnSignal([] {});
        signals.join();
        return 0;
    }
    std::thread signals = stopOnSignal([&stop] { stop = true; });
    int status = runWorker(workerSettings(options), catalog, stop);
    if (!stop)
        endSignalThread(signals);
    else
        signals.join();
    return status;
}
