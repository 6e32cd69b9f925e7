// SPDX-License-Identifier: MIT
// `roliquo-level submit` and `fetch` against a real server: a par route round-trips and verifies, the
// name is claimed once and its token kept privately, and each failure has its exit status.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "levels/level_tool_runner.h"
#include "server_harness.h"

TEST(LevelToolBoard, SubmitsAndFetchesARunUnderAKeptToken)
{
    REQUIRE_DATABASE(database);
    StartedServer board(serverArgs(database, 1));
    ASSERT_GT(board.port, 0) << board.process.log();
    std::string server = "http://127.0.0.1:" + std::to_string(board.port);
    TempFolder config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    std::string route = parReplayPath("dunes.map");
    ToolRun sent = runLevelTool({"submit", "--server", server, "--player", "Tool_1", route});
    ASSERT_EQ(sent.status, 0) << sent.output << sent.errors << board.process.log();
    EXPECT_NE(sent.errors.find("claimed the name Tool_1"), std::string::npos) << sent.errors;
    std::vector<std::string> lines = splitLines(sent.output);
    ASSERT_EQ(lines.size(), 2u) << sent.output;
    std::vector<std::string> words = splitWords(lines[0]);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[2], "accepted");
    nlohmann::json verdict = nlohmann::json::parse(lines[1]);
    EXPECT_EQ(verdict["verified"], true);

    // The token is kept privately, for that server and player only, and used the next time.
    std::string tokens = (config.path() / "roliquo" / "tokens").string();
    struct stat info { };
    ASSERT_EQ(stat(tokens.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_NE(readTextFile(tokens).find(server + " Tool_1 "), std::string::npos);
    std::string again = board.folder.file("again.replay");
    writeTextFile(again, renamed(parReplay("dunes.map"), "again"));
    ToolRun second = runLevelTool({"submit", "--server", server, "--player", "Tool_1", again});
    EXPECT_EQ(second.status, 0) << second.errors;
    EXPECT_EQ(second.errors.find("claimed"), std::string::npos) << second.errors;

    // Fetched, the run is the file sent, and it verifies with the same time.
    std::string fetched = board.folder.file("fetched.replay");
    ToolRun fetch = runLevelTool({"fetch", "--server", server, words[1], fetched});
    ASSERT_EQ(fetch.status, 0) << fetch.errors;
    EXPECT_EQ(readTextFile(fetched), readTextFile(route));
    ToolRun check = runLevelTool({"verify", "--json", "--data", ROLIQUO_DATA_DIR, fetched});
    EXPECT_EQ(nlohmann::json::parse(check.output)["total"], verdict["total"]);

    // The settings file's server and player stand in for the options.
    writeTextFile((config.path() / "roliquo" / "settings").string(), "server " + server + "/\nplayer Tool_1\n");
    EXPECT_EQ(runLevelTool({"fetch", words[1], fetched}).status, 0);

    // Someone else's name, a rejected run, no server, and a server that does not answer.
    TempFolder stranger;
    setenv("XDG_CONFIG_HOME", stranger.path().c_str(), 1);
    ToolRun taken = runLevelTool({"submit", "--server", server, "--player", "TOOL_1", route});
    EXPECT_EQ(taken.status, 1);
    EXPECT_NE(taken.errors.find("taken"), std::string::npos) << taken.errors;
    std::string broken = board.folder.file("broken.replay");
    writeTextFile(broken, readTextFile(route).replace(readTextFile(route).rfind("#@ total "), 9, "#@ total 1"));
    ToolRun rejected = runLevelTool({"submit", "--server", server, "--player", "Other", broken});
    EXPECT_EQ(rejected.status, 1) << rejected.output << rejected.errors;
    EXPECT_EQ(runLevelTool({"submit", route}).status, 2);
    EXPECT_EQ(runLevelTool({"fetch", "--server", "http://127.0.0.1:1", "1", fetched}).status, 2);
    unsetenv("XDG_CONFIG_HOME");
}
