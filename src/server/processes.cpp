// SPDX-License-Identifier: MIT
// Starting and ending processes. SIGTERM and SIGINT are blocked in every thread and taken by one thread
// with sigwait, which stops the HTTP server or the worker loop and passes the signal to the workers.
#include "server/processes.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <functional>
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

// Forks `count` worker processes; each ends when its parent does.
std::vector<pid_t> forkWorkers(int count, const ServerOptions& options, const PackCatalog& catalog)
{
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid < 0) {
            std::perror("roliquo-server: fork");
            break;
        }
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            std::atomic<bool> stop = false;
            std::thread signals = stopOnSignal([&stop] { stop = true; });
            int status = runWorker(workerSettings(options), catalog, stop);
            if (!stop)
                endSignalThread(signals);
            else
                signals.join();
            std::fflush(nullptr);
            _exit(status);
        }
        children.push_back(pid);
    }
    return children;
}

void stopWorkers(const std::vector<pid_t>& children)
{
    for (pid_t child : children)
        kill(child, SIGTERM);
    for (pid_t child : children)
        waitpid(child, nullptr, 0);
}

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
    std::vector<pid_t> workers = forkWorkers(options.workers, options, catalog);

    ConnectionPool pool(options.database);
    httplib::Server http;
    http.new_task_queue = [] { return new BoundedTaskQueue(HttpThreads, QueuedConnections); };
    addApiRoutes(http, pool);
    if (!options.webFolder.empty() && !http.set_mount_point("/", options.webFolder)) {
        std::fprintf(stderr, "roliquo-server: --web %s is no folder\n", options.webFolder.c_str());
        stopWorkers(workers);
        return 2;
    }
    // Port 0 takes any free port; the log line below names the one taken.
    int port = options.listenPort;
    if (port == 0)
        port = http.bind_to_any_port(options.listenHost);
    else if (!http.bind_to_port(options.listenHost, port))
        port = -1;
    if (port <= 0) {
        std::fprintf(stderr, "roliquo-server: cannot listen on %s:%d\n", options.listenHost.c_str(), options.listenPort);
        stopWorkers(workers);
        return 1;
    }
    std::atomic<bool> stopped = false;
    std::thread signals = stopOnSignal([&http, &stopped] {
        stopped = true;
        http.stop();
    });
    std::fprintf(stderr, "roliquo-server: listening on %s:%d with %d workers\n", options.listenHost.c_str(), port,
                 static_cast<int>(workers.size()));
    http.listen_after_bind();
    if (!stopped)
        endSignalThread(signals);
    else
        signals.join();
    stopWorkers(workers);
    std::fprintf(stderr, "roliquo-server: stopped\n");
    return 0;
}

int runWorkers(const ServerOptions& options, const PackCatalog& catalog)
{
    sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    if (options.workers != 1) {
        std::vector<pid_t> workers = forkWorkers(options.workers, options, catalog);
        std::thread signals = stopOnSignal([] {});
        signals.join();
        stopWorkers(workers);
        return 0;
    }
    std::atomic<bool> stop = false;
    std::thread signals = stopOnSignal([&stop] { stop = true; });
    int status = runWorker(workerSettings(options), catalog, stop);
    if (!stop)
        endSignalThread(signals);
    else
        signals.join();
    return status;
}
