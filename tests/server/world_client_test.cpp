// SPDX-License-Identifier: MIT
// The game's world-records client against a real server: a game played while the server is down keeps
// its runs in the outbox and plays on; once the server is back they are sent, appear on the board under
// the player, fill the records page's world columns and give the world ghost.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "chase/chase.h"
#include "chase/ghost.h"
#include "chase/record_keeper.h"
#include "levels/level_tool_runner.h"
#include "levels/scripted_game.h"
#include "online/world_records.h"
#include "replay/file_hash.h"
#include "server_harness.h"

namespace fs = std::filesystem;

namespace {

size_t outboxFiles(const fs::path& folder)
{
    std::error_code failure;
    size_t count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure))
        count += entry.path().extension() == ".replay";
    return count;
}

std::vector<std::string> serverOnPort(const std::string& database, const std::string& pack, int port)
{
    std::vector<std::string> args = serverArgs(database, 1, 30, pack);
    args[5] = "127.0.0.1:" + std::to_string(port);
    return args;
}

std::string serverUrl(int port)
{
    return "http://127.0.0.1:" + std::to_string(port);
}

} // namespace

TEST(WorldClient, RunsWaitInTheOutboxWhileTheServerIsDownThenReachTheBoard)
{
    REQUIRE_DATABASE(database);
    testsupport::GameDriver game(testsupport::GameDriver::Data::Small, Levels);
    std::string pack = game.folder().string();
    int port = 0;
    std::string token;
    {
        StartedServer first(serverArgs(database, 1, 30, pack));
        ASSERT_GT(first.port, 0) << first.process.log();
        port = first.port;
        token = ApiClient(port).claim("Racer");
        ASSERT_FALSE(token.empty());
    }
    TempFolder client;
    const std::string outbox = (client.path() / "outbox").string();
    TheWorld.start({serverUrl(port), "Racer", token, outbox, (client.path() / "world").string(), 0.2});

    // Down: the game plays on and keeps both its new level record and its whole game for later.
    fs::path replay;
    ASSERT_NO_FATAL_FAILURE(playScriptedGame(game, replay));
    TheWorld.settle();
    std::vector<RecordsPageRow> rows = levelRecordRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(Levels));
    EXPECT_TRUE(rows[0].hasRecord);
    EXPECT_EQ(rows[0].world.best, "-");
    size_t records = 0;
    for (const RecordsPageRow& row : rows)
        records += row.hasRecord;
    EXPECT_EQ(outboxFiles(outbox), records + 1) << "each level record and the whole game";

    // Back: the runs are sent at the next try and the outbox is emptied.
    StartedServer back(serverOnPort(database, pack, port));
    ASSERT_EQ(back.port, port) << back.process.log();
    ApiClient api(port);
    std::string hash;
    ASSERT_TRUE(hashFile((game.folder() / "level1.map").string(), hash));
    nlohmann::json top;
    for (int i = 0; i < 300 && (top.is_null() || top["runs"].empty()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        httplib::Result res = api.get("/api/v1/levels/" + hash + "/top");
        if (res && res->status == 200)
            top = nlohmann::json::parse(res->body);
    }
    ASSERT_FALSE(top.is_null());
    ASSERT_FALSE(top["runs"].empty()) << back.process.log();
    EXPECT_EQ(top["runs"][0]["player"], "Racer");
    nlohmann::json set;
    for (int i = 0; i < 200 && (set.is_null() || set["runs"].empty()); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        set = nlohmann::json::parse(api.get("/api/v1/sets/main/top")->body);
    }
    EXPECT_EQ(set["runs"].size(), 1u) << "the whole game books its total";
    TheWorld.settle();
    EXPECT_EQ(outboxFiles(outbox), 0u);

    // The records page's world columns, and the world ghost: the best run, fetched once.
    levelRecordRows();
    TheWorld.ask({{"level1.map", hash}}, true);
    TheWorld.settle();
    rows = levelRecordRows();
    EXPECT_EQ(rows[0].world.name, "Racer");
    EXPECT_EQ(rows[0].world.place, "1");
    EXPECT_NE(rows[0].world.best, "-");
    std::string ghost = TheWorld.ghostPath("level1.map", hash);
    std::string best = api.get("/api/v1/runs/" + std::to_string(top["runs"][0]["id"].get<int64_t>()) + "/replay")->body;
    EXPECT_EQ(readTextFile(ghost), best);
    // F7 offers the world's run after par, only while a server is set.
    chooseGhost(GhostChoice::Par);
    cycleGhostChoice();
    EXPECT_EQ(TheChase.ghost, GhostChoice::World);
    TheWorld.stop();
    chooseGhost(GhostChoice::Par);
    cycleGhostChoice();
    EXPECT_EQ(TheChase.ghost, GhostChoice::Off);

    // roliquo --world: nothing without a server; with one, each level's top five.
    setenv("XDG_CONFIG_HOME", client.path().c_str(), 1);
    std::string program = std::string(ROLIQUO_BINARY_DIR) + "/roliquo";
    std::string out = client.file("world.txt");
    std::string run = "cd '" + pack + "' && '" + program + "' --world > '" + out + "' 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(run.c_str())), 2);
    EXPECT_NE(readTextFile(out).find("--world needs a server"), std::string::npos) << readTextFile(out);
    run = "cd '" + pack + "' && '" + program + "' --server " + serverUrl(port) + " --player Racer --world > '" + out +
        "' 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(run.c_str())), 0) << readTextFile(out);
    EXPECT_NE(readTextFile(out).find("level 1 level1.map\n  1 Racer"), std::string::npos) << readTextFile(out);
    EXPECT_NE(readTextFile((client.path() / "roliquo" / "settings").string()).find("player Racer\n"),
              std::string::npos);
    unsetenv("XDG_CONFIG_HOME");
}
