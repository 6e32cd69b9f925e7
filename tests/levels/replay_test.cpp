// SPDX-License-Identifier: MIT
// Replays end to end: a whole game played through the headless backend on an uneven clock leaves a
// replay that `roliquo-level verify` proves, that fails at the right level when a key or a map file is
// changed, and that plays back in the window to the same times; every par route verifies to its par.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "level_tool_runner.h"
#include "platform/headless/headless.h"
#include "replay/replay_file.h"
#include "replay/replay_store.h"
#include "scores/high_scores.h"
#include "scripted_game.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"
#include "watch/replay_viewer.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;

namespace {

// Runs `roliquo-level verify` on the replay with the maps of the game's folder.
ToolRun verify(const fs::path& replay, const fs::path& data)
{
    return runLevelTool({"verify", "--data", data.string(), replay.string()});
}

TEST(Replays, AFinishedGameLeavesAReplayThatProvesItsTotal)
{
    GameDriver game(GameDriver::Data::Small, Levels);
    fs::path file;
    ASSERT_NO_FATAL_FAILURE(playScriptedGame(game, file));
    EXPECT_NE(file.filename().string().find("_ABC.replay"), std::string::npos) << file;

    Replay replay;
    ReplayError error;
    ASSERT_TRUE(readReplayFile(file.string(), replay, error)) << error.line << ": " << error.message;
    ASSERT_EQ(replay.levels.size(), static_cast<size_t>(Levels));
    EXPECT_EQ(replay.total, HighScores[0].time) << "the replay's total is the table's";
    EXPECT_EQ(replay.name, "ABC");
    const std::vector<float> clocks = {52.0f, 46.5f, 46.5f};
    const std::vector<bool> skipped = {false, true, false};
    for (size_t i = 0; i < replay.levels.size(); ++i) {
        EXPECT_EQ(replay.levels[i].mapName, "level" + std::to_string(i + 1) + ".map");
        EXPECT_EQ(replay.levels[i].startClock, clocks[i]) << "level " << i + 1;
        EXPECT_EQ(replay.levels[i].skipped, skipped[i]) << "level " << i + 1;
        EXPECT_EQ(replay.levels[i].bookedSeconds, LevelTimes[i]) << "level " << i + 1;
    }
    EXPECT_EQ(replay.levels[1].ticks.size(), 40u);

    ToolRun run = verify(file, game.folder());
    EXPECT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_NE(run.output.find("level 2 level2.map: 225 s (left with F1)\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(" name ABC: verified\n"), std::string::npos) << run.output;

    // One tick's keys changed in the middle of level 3.
    std::vector<std::string> lines = splitLines(readTextFile(file.string()));
    size_t levelLines = 0, line = 0;
    for (; line < lines.size() && levelLines < 3; ++line)
        levelLines += lines[line].rfind("#@ level ", 0) == 0 ? 1 : 0;
    line += 100;
    ASSERT_LT(line, lines.size());
    ASSERT_NE(lines[line][0], '#');
    lines[line] = splitWords(lines[line])[0] + " D";
    std::string changed;
    for (const std::string& l : lines)
        changed += l + "\n";
    fs::path changedFile = game.folder() / "changed.replay";
    writeTextFile(changedFile.string(), changed);
    run = verify(changedFile, game.folder());
    EXPECT_EQ(run.status, 1) << run.output << run.errors;
    EXPECT_NE(run.output.find("level 3 level3.map: DIFFERS"), std::string::npos) << run.output;

    // Another version of the second level's map file.
    game.writeFile("level2.map", testsupport::flatLevelText(0x102030));
    run = verify(file, game.folder());
    EXPECT_EQ(run.status, 1) << run.output << run.errors;
    EXPECT_NE(run.output.find("level 2 level2.map: DIFFERS: the map file is not the one the run was played on"),
              std::string::npos)
        << run.output;
}

TEST(Replays, AReplayWatchedInTheWindowBooksTheSameTimes)
{
    Replay recorded;
    std::string text;
    {
        GameDriver game(GameDriver::Data::Small, Levels);
        fs::path file;
        ASSERT_NO_FATAL_FAILURE(playScriptedGame(game, file));
        text = readTextFile(file.string());
        ReplayError error;
        ASSERT_TRUE(parseReplay(text, recorded, error)) << error.message;
    }

    GameDriver game(GameDriver::Data::Small, Levels);
    game.writeFile("run.replay", text);
    game.writeFile("highScore.dat", slowTable());
    std::string error;
    ASSERT_EQ(loadReplayToWatch((game.folder() / "run.replay").string(), error), 0) << error;
    ASSERT_TRUE(game.start()) << testsupport::describeMessageBoxes();
    headless::clearRecords();
    startWatchingReplay();
    // Every tick of the clock is longer than any recorded step, so each one plays one recorded tick.
    int ticks = 0;
    while (!game.quitTaken() && ticks < MaxTicks) {
        game.tick(0.06);
        ++ticks;
    }
    stopWatchingReplay();
    ASSERT_TRUE(game.quitTaken()) << "the replay did not end";
    EXPECT_EQ(game.exitCode(), 0);
    for (size_t i = 0; i < recorded.levels.size(); ++i)
        EXPECT_EQ(LevelTimes[i], recorded.levels[i].bookedSeconds) << "level " << i + 1;
    EXPECT_EQ(testsupport::countCue("allright.wav"), 2) << testsupport::describeCues();
    EXPECT_EQ(game.readFile("highScore.dat"), slowTable()) << "watching changes no records";
    EXPECT_FALSE(game.fileExists("replays"));
}

TEST(Replays, EveryParRouteOfEverySetVerifiesToItsParTime)
{
    const std::string marker = "# finished in ";
    for (const ShippedSet& set : shippedSets()) {
        ASSERT_GE(set.maps.size(), 8u) << set.folder;
        for (const std::string& name : set.maps) {
            std::string solution = levelTestsPath(set.solutions + fs::path(name).stem().string() + ".input");
            std::string par;
            for (const std::string& line : splitLines(readTextFile(solution)))
                if (line.rfind(marker, 0) == 0)
                    par = splitWords(line.substr(marker.size()))[0];
            ASSERT_FALSE(par.empty()) << solution;
            ToolRun run = runLevelTool({"verify", "--data", dataPackPath(set.folder), solution});
            EXPECT_EQ(run.status, 0) << name << ": " << run.output << run.errors;
            EXPECT_NE(run.output.find("level 1 " + name + ": " + par + " s\n"), std::string::npos) << run.output;
        }
    }
}

TEST(Replays, AMalformedReplayIsRefusedWithItsLine)
{
    TempFolder folder;
    std::string file = folder.file("bad.replay");
    writeTextFile(file, "#@ roliquo-replay 1\n# fine so far\n0.1 U\n");
    ToolRun run = runLevelTool({"verify", file});
    EXPECT_EQ(run.status, 2) << run.output << run.errors;
    EXPECT_NE(run.errors.find("bad.replay:3: a tick line outside a level"), std::string::npos) << run.errors;
}

} // namespace
