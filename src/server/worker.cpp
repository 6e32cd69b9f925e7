// SPDX-License-Identifier: MIT
// The worker loop. It sleeps on LISTEN roliquo_runs, waking at least once a second to take runs whose
// lease lapsed; a second connection renews the lease on a thread of its own while a run is verified.
#include "server/worker.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "level/token_reader.h"
#include "server/booking.h"
#include "verify/replay_verifier.h"

namespace {

using Clock = std::chrono::steady_clock;

// Keeps a claim's lease fresh until destroyed: renewed every third of the lease.
class LeaseKeeper {
public:
    LeaseKeeper(pqxx::connection& connection, int64_t run, const std::string& claim, int leaseSeconds)
        : thread_([this, &connection, run, claim, leaseSeconds] {
              std::unique_lock<std::mutex> lock(mutex_);
              auto period = std::chrono::milliseconds(leaseSeconds * 1000 / 3);
              while (!done_.wait_for(lock, period, [this] { return finished_; }))
                  try {
                      renewLease(connection, run, claim, leaseSeconds);
                  } catch (const std::exception& failure) {
                      std::fprintf(stderr, "roliquo-server: run %lld: the lease cannot be renewed: %s\n",
                                   static_cast<long long>(run), failure.what());
                  }
          })
    {
    }
    LeaseKeeper(const LeaseKeeper&) = delete;
    LeaseKeeper& operator=(const LeaseKeeper&) = delete;
    ~LeaseKeeper()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

std::string claimName()
{
    char host[64] = "";
    gethostname(host, sizeof host - 1);
    return std::string(host) + ":" + std::to_string(getpid()) + ":" +
        std::to_string(Clock::now().time_since_epoch().count());
}

// Reads and re-simulates the run's replay; `replay` is filled when it reads.
Verdict verifyRun(const ClaimedRun& run, const PackCatalog& catalog, Replay& replay, bool& read)
{
    Verdict verdict;
    ReplayError error;
    read = parseReplay(run.replay, replay, error);
    if (!read) {
        verdict.problem = replayErrorText("replay", error);
        return verdict;
    }
    const PackSet* set = replay.levels.empty() ? nullptr : catalog.setOf(replay.levels.front().mapHash);
    if (!set)
        return refusedVerdict(replay, "this worker's pack has no map of the replay's first level");
    return verifyReadReplay(replay, set->folder, VerificationTickBudget);
}

void verifyClaimed(pqxx::connection& work, pqxx::connection& renewals, const ClaimedRun& run, const std::string& claim,
                   const WorkerSettings& settings, const PackCatalog& catalog)
{
    Clock::time_point start = Clock::now();
    Replay replay;
    bool read = false;
    Verdict verdict;
    {
        LeaseKeeper keeper(renewals, run.id, claim, settings.leaseSeconds);
        verdict = verifyRun(run, catalog, replay, read);
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    bool booked = bookVerdict(work, run, claim, verdict, read ? &replay : nullptr, catalog, seconds);
    const char* word = !booked             ? "lost its lease; left to the worker that holds it"
        : verdict.status == VerifiedStatus ? "accepted"
                                           : "rejected";
    std::string reason = verdict.problem;
    for (const LevelVerdict& level : verdict.levels)
        if (reason.empty() && level.checked && !level.verified)
            reason = level.mapName + ": " + level.reason;
    std::fprintf(stderr, "roliquo-server: run %lld %s in %.1f ms%s%s\n", static_cast<long long>(run.id), word,
                 seconds * 1000.0, reason.empty() ? "" : ": ", reason.c_str());
}

} // namespace

int runWorker(const WorkerSettings& settings, const PackCatalog& catalog, const std::atomic<bool>& stop)
{
    try {
        pqxx::connection listener(settings.database);
        pqxx::connection work(settings.database);
        pqxx::connection renewals(settings.database);
        pqxx::nontransaction(listener).exec("LISTEN roliquo_runs");
        std::string claim = claimName();
        while (!stop) {
            ClaimedRun run;
            if (claimRun(work, claim, settings.leaseSeconds, run))
                verifyClaimed(work, renewals, run, claim, settings, catalog);
            else
                listener.await_notification(1, 0);
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "roliquo-server: worker: %s\n", failure.what());
        return 1;
    }
    return 0;
}
