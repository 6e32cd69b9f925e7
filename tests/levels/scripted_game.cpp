// SPDX-License-Identifier: MIT
// The scripted whole game of the replay tests, played through the game's message queue.
#include "scripted_game.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "replay/replay_store.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;

namespace {

void holdKeys(int tick)
{
    // Mostly straight up with Shift, with short swerves to either side.
    int phase = tick % 30;
    headless::setKeyDown(VkUp, true);
    headless::setKeyDown(VkShift, true);
    headless::setKeyDown(VkLeft, phase < 3);
    headless::setKeyDown(VkRight, phase >= 15 && phase < 18);
}

} // namespace

std::string slowTable()
{
    std::string table;
    for (int row = 0; row < HighScoreRows; ++row)
        table += "999 zzz ";
    return table;
}

void playScriptedGame(GameDriver& game, fs::path& replay)
{
    game.writeFile("highScore.dat", slowTable());
    ASSERT_TRUE(game.start()) << testsupport::describeMessageBoxes();
    game.startNewGame();
    int tick = 0;
    auto step = [&] {
        holdKeys(tick);
        game.tick(StepSeconds[tick % 6]);
        ++tick;
    };
    while (LevelNumber == 1 && tick < MaxTicks)
        step();
    ASSERT_EQ(LevelNumber, 2) << "level 1 did not end by itself";
    for (int i = 0; i < 40; ++i)
        step();
    game.press(VkF1);
    ASSERT_EQ(LevelNumber, 3);
    while (GameState == Playing && tick < MaxTicks)
        step();
    headless::releaseAllKeys();
    ASSERT_EQ(GameState, NameEntry);
    ASSERT_EQ(NewRecordRank, 0);
    for (int letter : {'A', 'B', 'C'}) {
        game.press(letter);
        game.tick();
    }
    ASSERT_EQ(HighScores[0].name, "ABC");
    finishReplaySaves();

    fs::path folder = game.folder() / "replays";
    ASSERT_TRUE(fs::is_directory(folder)) << "no replays folder beside highScore.dat";
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    replay = files[0];
}
