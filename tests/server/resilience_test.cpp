// SPDX-License-Identifier: MIT
// Nothing acknowledged is lost or booked twice: a worker killed mid-verification, a server killed right
// after its 202s, and eight clients submitting at once.
#include <gtest/gtest.h>

#include <thread>

#include <pqxx/pqxx>

#include "server_harness.h"

namespace {

// A replay of the first shipped level that takes a worker seconds to play through: a million ticks of
// a microsecond each (within the body and tick bounds), left with F1. It does not verify.
std::string slowReplay()
{
    std::string par = parReplay("meadow.map");
    std::string header = par.substr(0, par.find("\n0") + 1);
    size_t booked = header.find(" booked ");
    header = header.substr(0, booked) + " booked 225 skipped yes marble 0 0 0\n";
    std::string ticks;
    ticks.reserve(8'000'000);
    for (int i = 0; i < 900'000; ++i)
        ticks += "1e-06 U\n";
    return header + ticks + "#@ total 225 name slow\n";
}

int64_t count(pqxx::connection& db, const std::string& query)
{
    return pqxx::nontransaction(db).exec(query)[0][0].as<int64_t>();
}

} // namespace

TEST(Resilience, AWorkerKilledMidVerificationLeavesItsRunToAnother)
{
    REQUIRE_DATABASE(database);
    StartedServer board(serverArgs(database, 0, 2));
    ASSERT_GT(board.port, 0) << board.process.log();
    ApiClient api(board.port);
    int64_t id = api.submit(api.claim("patient"), slowReplay());
    ASSERT_GT(id, 0) << board.process.log();

    {
        ServerProcess doomed(workerArgs(database, 2), board.folder.path() / "doomed.log");
        pqxx::connection db(database);
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (count(db, "SELECT count(*) FROM runs WHERE state = 'verifying'") == 0 &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(count(db, "SELECT count(*) FROM runs WHERE state = 'verifying'"), 1) << doomed.log();
        doomed.kill();
    }
    ServerProcess heir(workerArgs(database, 2), board.folder.path() / "heir.log");
    nlohmann::json run = api.waitForVerdict(id, std::chrono::seconds(90));
    ASSERT_EQ(run["state"], "rejected") << heir.log();
    EXPECT_NE(run["verdict"]["levels"][0]["reason"], "");
    pqxx::connection db(database);
    EXPECT_EQ(count(db, "SELECT attempts FROM runs WHERE id = " + std::to_string(id)), 2);
    EXPECT_EQ(heir.stop(), 0) << heir.log();
}

TEST(Resilience, AServerKilledAfterItsAnswersFindsEveryRunAtItsRestart)
{
    REQUIRE_DATABASE(database);
    TempFolder folder;
    std::vector<int64_t> ids;
    {
        ServerProcess server(serverArgs(database, 0), folder.path() / "first.log");
        int port = server.waitUntilListening();
        ASSERT_GT(port, 0) << server.log();
        ApiClient api(port);
        std::string token = api.claim("sudden");
        for (const char* map : {"meadow.map", "dunes.map", "slalom.map"})
            ids.push_back(api.submit(token, parReplay(map)));
        server.kill();
    }
    ServerProcess server(serverArgs(database, 1), folder.path() / "second.log");
    int port = server.waitUntilListening();
    ASSERT_GT(port, 0) << server.log();
    ApiClient api(port);
    for (int64_t id : ids) {
        ASSERT_GT(id, 0);
        EXPECT_EQ(api.waitForVerdict(id)["state"], "accepted") << server.log();
    }
}

TEST(Resilience, EightClientsAtOnceHaveEveryRunVerifiedExactlyOnce)
{
    REQUIRE_DATABASE(database);
    StartedServer board(serverArgs(database, 3));
    ASSERT_GT(board.port, 0) << board.process.log();
    constexpr int Clients = 8, RunsEach = 6;
    std::string par = parReplay("dunes.map");
    std::vector<std::vector<int64_t>> ids(Clients);
    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            ApiClient api(board.port);
            std::string token = api.claim("client" + std::to_string(c));
            for (int r = 0; r < RunsEach; ++r)
                ids[c].push_back(api.submit(token, renamed(par, "c" + std::to_string(c) + "r" + std::to_string(r))));
        });
    for (std::thread& client : clients)
        client.join();
    ApiClient api(board.port);
    for (const std::vector<int64_t>& runs : ids)
        for (int64_t id : runs) {
            ASSERT_GT(id, 0) << board.process.log();
            EXPECT_EQ(api.waitForVerdict(id)["state"], "accepted");
        }
    pqxx::connection db(database);
    EXPECT_EQ(count(db, "SELECT count(*) FROM runs WHERE attempts = 1 AND state = 'accepted'"), Clients * RunsEach);
    EXPECT_EQ(count(db, "SELECT count(*) FROM level_runs"), Clients * RunsEach);
    nlohmann::json top =
        nlohmann::json::parse(api.get("/api/v1/levels/" + shippedMapHash("dunes.map") + "/top?limit=100")->body);
    EXPECT_EQ(top["runs"].size(), static_cast<size_t>(Clients)) << "one best per player";
    EXPECT_EQ(board.process.stop(), 0);
}

TEST(Resilience, AServerStartsAnotherWorkerWhenOneDies)
{
    REQUIRE_DATABASE(database);
    StartedServer board(serverArgs(database, 1));
    ASSERT_GT(board.port, 0) << board.process.log();
    std::string children = board.folder.file("children");
    ASSERT_EQ(std::system(("pgrep -P " + std::to_string(board.process.pid()) + " > " + children).c_str()), 0);
    ASSERT_EQ(std::system(("xargs kill -9 < " + children).c_str()), 0);
    ApiClient api(board.port);
    int64_t id = api.submit(api.claim("after"), parReplay("meadow.map"));
    EXPECT_EQ(api.waitForVerdict(id)["state"], "accepted") << board.process.log();
    EXPECT_NE(board.process.log().find("starting another"), std::string::npos) << board.process.log();
}
