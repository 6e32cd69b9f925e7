// SPDX-License-Identifier: MIT
// The board over real HTTP and a real database: who may submit, what is a run, what it books, and that
// the server's verdict is the level tool's.
#include <gtest/gtest.h>

#include <pqxx/pqxx>

#include "levels/level_tool_runner.h"
#include "levels/scripted_game.h"
#include "server_harness.h"

namespace {

// A copy of the replay with one tick's keys changed, far enough in to change where the marble ends.
std::string tampered(const std::string& replay)
{
    std::vector<std::string> lines = splitLines(replay);
    int ticks = 0;
    for (std::string& line : lines)
        if (!line.empty() && line[0] != '#' && ++ticks == 60)
            line = splitWords(line)[0] + " D";
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

nlohmann::json verifyToolVerdict(const std::string& replay, const TempFolder& folder)
{
    std::string file = folder.file("verify.replay");
    writeTextFile(file, replay);
    ToolRun run = runLevelTool({"verify", "--json", "--data", ROLIQUO_DATA_DIR, file});
    nlohmann::json verdict = nlohmann::json::parse(run.output);
    verdict.erase("file");
    return verdict;
}

} // namespace

TEST(Board, BooksAVerifiedRunAndAnswersEveryOtherSubmissionWithItsStatus)
{
    REQUIRE_DATABASE(database);
    StartedServer board(serverArgs(database, 1));
    ASSERT_GT(board.port, 0) << board.process.log();
    ApiClient api(board.port);

    // Names: claimed once regardless of case, and only of the allowed letters.
    std::string token = api.claim("Marble_1");
    ASSERT_EQ(token.size(), 64u);
    EXPECT_EQ(api.post("/api/v1/players", R"({"name": "MARBLE_1"})", "", "application/json")->status, 409);
    EXPECT_EQ(api.post("/api/v1/players", R"({"name": "no spaces"})", "", "application/json")->status, 400);
    EXPECT_EQ(api.post("/api/v1/players", R"({"name": "ab"})", "", "application/json")->status, 400);

    // The par route is accepted, books the verify tool's time and tops its level.
    std::string par = parReplay("meadow.map");
    int64_t id = api.submit(token, par);
    ASSERT_GT(id, 0);
    nlohmann::json run = api.waitForVerdict(id);
    ASSERT_EQ(run["state"], "accepted") << run.dump() << board.process.log();
    EXPECT_EQ(run["player"], "Marble_1");
    EXPECT_EQ(run["verdict"], verifyToolVerdict(par, board.folder));
    std::string hash = shippedMapHash("meadow.map");
    nlohmann::json top = nlohmann::json::parse(api.get("/api/v1/levels/" + hash + "/top")->body);
    ASSERT_EQ(top["runs"].size(), 1u) << top.dump();
    EXPECT_EQ(top["runs"][0]["player"], "Marble_1");
    EXPECT_EQ(top["runs"][0]["time"], run["verdict"]["levels"][0]["booked"]);
    EXPECT_EQ(top["runs"][0]["id"], id);
    nlohmann::json rank = nlohmann::json::parse(api.get("/api/v1/levels/" + hash + "/rank?player=marble_1")->body);
    EXPECT_EQ(rank["rank"], 1);
    EXPECT_EQ(api.get("/api/v1/levels/" + hash + "/rank?player=Nobody")->status, 404);
    EXPECT_EQ(api.get("/api/v1/runs/" + std::to_string(id) + "/replay")->body, par);
    nlohmann::json levels = nlohmann::json::parse(api.get("/api/v1/levels")->body);
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels[0]["name"], "meadow.map");
    EXPECT_EQ(levels[0]["set"], "main");
    EXPECT_EQ(levels[0]["par"], run["verdict"]["levels"][0]["booked"]);

    // The same bytes again are the same run; a tampered copy is refused with the verify tool's reason.
    EXPECT_EQ(api.submit(token, par), id);
    int64_t bad = api.submit(token, tampered(par));
    ASSERT_GT(bad, 0);
    run = api.waitForVerdict(bad);
    ASSERT_EQ(run["state"], "rejected");
    EXPECT_EQ(run["verdict"], verifyToolVerdict(tampered(par), board.folder));
    EXPECT_NE(run["verdict"]["levels"][0]["reason"], "");
    top = nlohmann::json::parse(api.get("/api/v1/levels/" + hash + "/top")->body);
    EXPECT_EQ(top["runs"].size(), 1u);

    // Who may submit, and what is a replay: by its content, whatever the Content-Type says.
    EXPECT_EQ(api.post("/api/v1/runs", par)->status, 401);
    EXPECT_EQ(api.post("/api/v1/runs", par, std::string(64, 'a'))->status, 401);
    EXPECT_EQ(api.post("/api/v1/runs", std::string(8 * 1024 * 1024 + 1, '0'), token)->status, 413);
    EXPECT_EQ(api.post("/api/v1/runs", "hello", token)->status, 415);
    std::string elsewhere = par;
    elsewhere.replace(elsewhere.find(hash), 64, std::string(64, 'e'));
    httplib::Result unknown = api.post("/api/v1/runs", elsewhere, token, "application/x-www-form-urlencoded");
    EXPECT_EQ(unknown->status, 422);
    EXPECT_NE(nlohmann::json::parse(unknown->body)["error"].get<std::string>().find("map"), std::string::npos);

    // A flood: the bucket holds 20, then 429, each error a JSON reason.
    std::string flooder = api.claim("flood");
    int accepted = 0, status = 0;
    std::string body;
    for (int i = 0; i < 25 && status != 429; ++i) {
        httplib::Result res = api.post("/api/v1/runs", renamed(par, "f" + std::to_string(i)), flooder);
        status = res->status;
        body = res->body;
        accepted += status == 202;
    }
    EXPECT_EQ(status, 429);
    EXPECT_GE(accepted, 20);
    EXPECT_TRUE(nlohmann::json::parse(body).contains("error"));

    EXPECT_EQ(api.get("/healthz")->status, 200);
    std::string metrics = api.get("/metrics")->body;
    EXPECT_NE(metrics.find("roliquo_runs{state=\"rejected\"} 1\n"), std::string::npos) << metrics;
    EXPECT_NE(metrics.find("roliquo_queue_depth "), std::string::npos);
    EXPECT_EQ(board.process.stop(), 0) << board.process.log();
}

TEST(Board, RefusesASchemaNewerThanItKnows)
{
    REQUIRE_DATABASE(database);
    TempFolder folder;
    {
        ServerProcess first(serverArgs(database, 0), folder.path() / "first.log");
        ASSERT_GT(first.waitUntilListening(), 0) << first.log();
    }
    pqxx::connection db(database);
    pqxx::nontransaction(db).exec("INSERT INTO schema_version (version) VALUES (999)");
    ServerProcess second(serverArgs(database, 0), folder.path() / "second.log");
    EXPECT_EQ(second.waitUntilListening(), 0);
    EXPECT_NE(second.log().find("newer than this server knows"), std::string::npos) << second.log();
}

TEST(Board, BooksAWholeGameAsItsSetTotal)
{
    REQUIRE_DATABASE(database);
    testsupport::GameDriver game(testsupport::GameDriver::Data::Small, Levels);
    std::filesystem::path replay;
    ASSERT_NO_FATAL_FAILURE(playScriptedGame(game, replay));
    StartedServer board(serverArgs(database, 1, 30, game.folder().string()));
    ASSERT_GT(board.port, 0) << board.process.log();
    ApiClient api(board.port);
    int64_t id = api.submit(api.claim("whole"), readTextFile(replay.string()));
    nlohmann::json run = api.waitForVerdict(id);
    ASSERT_EQ(run["state"], "accepted") << run.dump() << board.process.log();
    nlohmann::json top = nlohmann::json::parse(api.get("/api/v1/sets/main/top")->body);
    ASSERT_EQ(top["runs"].size(), 1u) << top.dump();
    EXPECT_EQ(top["runs"][0]["time"], run["verdict"]["total"]);
    EXPECT_EQ(top["runs"][0]["player"], "whole");
    EXPECT_EQ(api.get("/api/v1/sets/nosuch/top")->status, 404);
}

TEST(Board, ServesThePageBesideTheApi)
{
    REQUIRE_DATABASE(database);
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "web");
    writeTextFile((folder.path() / "web" / "index.html").string(), "<canvas></canvas>\n");
    std::vector<std::string> args = serverArgs(database, 0);
    args.insert(args.end(), {"--web", (folder.path() / "web").string()});
    ServerProcess server(args, folder.path() / "server.log");
    int port = server.waitUntilListening();
    ASSERT_GT(port, 0) << server.log();
    ApiClient api(port);
    EXPECT_EQ(api.get("/index.html")->body, "<canvas></canvas>\n");
    EXPECT_EQ(api.get("/")->body, "<canvas></canvas>\n");
    EXPECT_EQ(api.get("/api/v1/levels")->status, 200);
}
