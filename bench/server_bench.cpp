// SPDX-License-Identifier: MIT
// The leaderboard's figures, against the database cluster of the PG* variables (run it under
// pg_virtualenv): the p50 and p99 latency of a submission with 8 clients at once, then how many level
// runs one worker process (one core) verifies a second, timed from a full queue until it is empty.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <pqxx/pqxx>

#include "server/pack_catalog.h"
#include "server/players.h"
#include "tests/server/server_harness.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Clients = 8;
constexpr int PlayersPerClient = 3;
// Each player's whole burst, so no submission is turned away.
constexpr int RunsPerPlayer = static_cast<int>(SubmissionBurst);

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

int64_t openRuns(pqxx::connection& db)
{
    return pqxx::nontransaction(db)
        .exec("SELECT count(*) FROM runs WHERE state IN ('queued', 'verifying')")[0][0]
        .as<int64_t>();
}

} // namespace

int main()
{
    std::string database = freshDatabase();
    if (database.empty()) {
        std::fprintf(stderr, "bench_server_bench: no PostgreSQL cluster; run it under pg_virtualenv -t\n");
        return 2;
    }
    PackCatalog pack;
    std::string error;
    if (!readPackCatalog(ROLIQUO_DATA_DIR, pack, error)) {
        std::fprintf(stderr, "bench_server_bench: %s\n", error.c_str());
        return 2;
    }
    std::vector<std::string> routes;
    for (const PackLevel& level : pack.sets.front().levels)
        if (level.par)
            routes.push_back(parReplay(level.name));

    TempFolder folder;
    ServerProcess server(serverArgs(database, 0), folder.path() / "server.log");
    int port = server.waitUntilListening();
    if (port == 0) {
        std::fprintf(stderr, "%s", server.log().c_str());
        return 1;
    }

    // Submissions: every client its own connection and players, all at once, the queue left to fill.
    std::vector<std::vector<double>> latencies(Clients);
    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            ApiClient api(port);
            for (int p = 0; p < PlayersPerClient; ++p) {
                std::string player = "bench" + std::to_string(c) + "p" + std::to_string(p);
                std::string token = api.claim(player);
                for (int r = 0; r < RunsPerPlayer; ++r) {
                    std::string replay =
                        renamed(routes[static_cast<size_t>(r) % routes.size()], player + "r" + std::to_string(r));
                    Clock::time_point start = Clock::now();
                    bool queued = api.submit(token, replay) > 0;
                    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    if (queued)
                        latencies[static_cast<size_t>(c)].push_back(ms);
                }
            }
        });
    for (std::thread& client : clients)
        client.join();
    std::vector<double> all;
    for (const std::vector<double>& some : latencies)
        all.insert(all.end(), some.begin(), some.end());
    std::printf("submissions: %zu of %d queued by %d clients; p50 %.2f ms, p99 %.2f ms\n", all.size(),
                Clients * PlayersPerClient * RunsPerPlayer, Clients, percentile(all, 0.50), percentile(all, 0.99));

    // Verification: one worker process empties the queue.
    pqxx::connection db(database);
    int64_t runs = openRuns(db);
    Clock::time_point start = Clock::now();
    ServerProcess worker(workerArgs(database, 30), folder.path() / "worker.log");
    while (openRuns(db) > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    int64_t booked = pqxx::nontransaction(db).exec("SELECT count(*) FROM level_runs")[0][0].as<int64_t>();
    double verifying = pqxx::nontransaction(db).exec("SELECT sum(verify_seconds) FROM runs")[0][0].as<double>();
    std::printf("verification: %lld runs, %lld level runs booked by 1 worker in %.2f s (with its start): "
                "%.0f verified level runs per second per worker core; %.2f ms of simulation a run\n",
                static_cast<long long>(runs), static_cast<long long>(booked), seconds,
                static_cast<double>(booked) / seconds, 1000.0 * verifying / static_cast<double>(runs));
    worker.stop();
    server.stop();
    return booked == runs ? 0 : 1;
}
