// SPDX-License-Identifier: MIT
// roliquo --level MAP: one map file with its textures in a folder of its own, played as a one-level game from the
// countdown to the best-times screen, with the player's table file left exactly as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "level/map_list.h"
#include "level/map_loader.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "session/single_level.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;

namespace {

constexpr uint64_t CountsPerSecond = 60;

TEST(SingleLevel, PlaysOneMapFromItsFolderAndKeepsTheTableFile)
{
    if (!GameDriver::hasDataPack())
        GTEST_SKIP() << "the data pack has not been generated";
    GameDriver game(GameDriver::Data::Pack);
    // The level lies in a folder of its own with a texture of its own name, which only that folder has.
    fs::path mine = game.folder() / "mine";
    fs::create_directory(mine);
    std::string map = testsupport::readText(testsupport::dataPack() / "meadow.map");
    ASSERT_EQ(map.rfind("texturefile= grass", 0), 0u) << "meadow.map should start with its texture";
    testsupport::writeText(mine / "meadow.map", "texturefile= mine" + map.substr(18));
    for (int i = 0; i < 8; ++i)
        fs::copy_file(testsupport::dataPack() / ("grass_" + std::to_string(i) + ".bmp"),
                      mine / ("mine_" + std::to_string(i) + ".bmp"));
    // Slow totals, so the level's time makes the table and its name is typed.
    std::string table;
    for (int row = 0; row < HighScoreRows; ++row)
        table += "999 zzz ";
    game.writeFile("highScore.dat", table);
    headless::setCounterFrequency(CountsPerSecond);

    std::string error;
    EXPECT_FALSE(chooseSingleLevel("mine/none.map", error));
    EXPECT_EQ(error, "mine/none.map: cannot be read");
    ASSERT_TRUE(chooseSingleLevel("mine/meadow.map", error)) << error;
    ASSERT_TRUE(game.start()) << testsupport::describeMessageBoxes();
    startSingleLevel();
    game.runUntilIdle();
    ASSERT_EQ(LevelCount, 1);
    ASSERT_EQ(LevelNumber, 1);
    ASSERT_EQ(GameState, Playing) << testsupport::describeMessageBoxes();
    EXPECT_TRUE(headless::messageBoxes().empty()) << testsupport::describeMessageBoxes();

    // The countdown, then the par route from the start signal on.
    testsupport::holdKeys("-");
    while (RoundClock - 1.0f / CountsPerSecond > PlayingSeconds)
        game.tickCounts(1);
    std::vector<testsupport::RouteStep> route =
        testsupport::readRoute(fs::path(ROLIQUO_SOURCE_DIR) / "tests/levels/solutions/meadow.input");
    ASSERT_FALSE(route.empty());
    for (const testsupport::RouteStep& step : route) {
        testsupport::holdKeys(step.keys);
        game.tickCounts(1);
        if (LevelFinished)
            break;
    }
    testsupport::holdKeys("-");
    ASSERT_TRUE(LevelFinished) << "the route ran out at clock " << RoundClock;
    EXPECT_LT(LevelTimes[0], PlayingSeconds);
    EXPECT_EQ(testsupport::countCue("allright.wav"), 1) << testsupport::describeCues();

    // One second later the one-level run is complete: the time ranks first and is named.
    ASSERT_GT(game.runTicksUntil([] { return GameState == NameEntry; }, 200, 1.0 / CountsPerSecond), 0);
    EXPECT_EQ(HighScores[0].time, LevelTimes[0]);
    for (int letter : {'A', 'B', 'C'}) {
        game.press(letter);
        game.tickCounts(1);
    }
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_EQ(HighScores[0].name, "ABC");
    // "Quit" saves the table in a normal game; here nothing is written, in either folder.
    game.press({VkEscape, VkDown, VkDown, VkDown, VkEnter});
    EXPECT_TRUE(game.runToQuit());
    EXPECT_EQ(game.readFile("highScore.dat"), table);
    EXPECT_FALSE(fs::exists(mine / "highScore.dat"));
}

} // namespace
