// SPDX-License-Identifier: MIT
// Whole games through the menu and the keys: skipping every level with F1 completes the run with
// 225 s per level, a total that makes the table opens name entry, and the typed name is saved.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::describeCues;
using testsupport::GameDriver;

namespace {

TEST(WholeGame, SkippingEveryLevelTotalsTwoHundredTwentyFiveSecondsALevel)
{
    for (int levels : {2, 3, 5}) {
        SCOPED_TRACE(std::to_string(levels) + " levels");
        GameDriver game(GameDriver::Data::Small, levels);
        ASSERT_TRUE(game.start());
        game.startNewGame();
        for (int level = 1; level <= levels; ++level) {
            ASSERT_EQ(LevelNumber, level);
            ASSERT_EQ(GameState, Playing);
            game.tick(0.1);
            game.press(VkF1);
        }
        EXPECT_EQ(LevelNumber, levels + 1);
        EXPECT_EQ(GameState, BestTimes) << "a total of " << 225 * levels << " does not beat the defaults";
        EXPECT_TRUE(Halted);
        EXPECT_TRUE(LevelFinished);
        EXPECT_EQ(NewRecordRank, -1);
        float total = 0.0f;
        for (float seconds : LevelTimes)
            total += seconds;
        EXPECT_EQ(total, 225.0f * static_cast<float>(levels));
        for (int row = 0; row < HighScoreRows; ++row)
            EXPECT_EQ(HighScores[row].time, 225.0f) << "row " << row << " of the table changed";

        // The completed run stays on its screen until Space.
        for (int i = 0; i < 5; ++i)
            game.tick(0.5);
        EXPECT_EQ(GameState, BestTimes);
        game.press(VkSpace);
        EXPECT_EQ(GameState, Title);
    }
}

TEST(WholeGame, ATotalThatMakesTheTableIsNamedWithThreeLettersAndSaved)
{
    // One skipped level totals 225, equal to every default row: it takes the last of them.
    GameDriver game(GameDriver::Data::Small, 1);
    ASSERT_TRUE(game.reachNameEntry());
    EXPECT_EQ(NewRecordRank, 9);
    EXPECT_EQ(HighScores[9].name, "_");
    EXPECT_EQ(LastKey, 0);

    game.tick(0.1);
    game.press('A');
    game.tick(0.1);
    game.press('1'); // not a letter: a beep, nothing stored
    game.tick(0.1);
    EXPECT_EQ(headless::beepCount(), 1);
    game.press('B');
    game.tick(0.1);
    EXPECT_EQ(GameState, NameEntry);
    game.press(VkSpace); // does nothing while naming (and beeps as a non-letter)
    game.tick(0.1);
    EXPECT_EQ(GameState, NameEntry);
    game.press('C');
    game.tick(0.1);
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_EQ(HighScores[9].name, "ABC");
    std::string saved = game.readFile("highScore.dat");
    EXPECT_NE(saved.find("ABC"), std::string::npos) << "the new name is saved as soon as it is complete: " << saved;
}

TEST(WholeGame, ALevelStartQueuedAfterTheCompletedRunKeepsTheNameEntry)
{
    // F1 twice before the game handles either: two level starts for the last level.
    GameDriver game(GameDriver::Data::Small, 1);
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.tick(0.1);
    headless::pushKey(VkF1);
    headless::pushKey(VkF1);
    game.runUntilIdle();
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_EQ(NewRecordRank, 9);
    EXPECT_EQ(LevelNumber, 2);
    EXPECT_TRUE(Halted);
    int goCues = 0;
    for (int i = 0; i < 20; ++i)
        game.tick(0.5);
    for (const std::string& cue : headless::cues())
        goCues += cue == "go.wav" ? 1 : 0;
    EXPECT_EQ(goCues, 0) << "no round runs behind the name entry: " << describeCues();
}

TEST(WholeGame, ANewGameAfterACompletedRunStartsAgainFromLevelOne)
{
    GameDriver game(GameDriver::Data::Small, 2);
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.press({VkF1, VkF1});
    ASSERT_EQ(GameState, BestTimes);
    game.startNewGame();
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(LevelNumber, 1);
    EXPECT_EQ(RoundClock, 52.0f);
    EXPECT_FALSE(Halted);
    EXPECT_EQ(LevelTimes, (std::vector<float>{225.0f, 225.0f}));
}

TEST(WholeGame, TheTimerPublishesFramesAndTrianglesPerSecond)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    // Ten frames in the first second; the timer fires when a full second has passed.
    for (int i = 0; i < 10; ++i)
        game.tick(0.099);
    EXPECT_EQ(ShownFps, 0);
    game.tick(0.02);
    EXPECT_EQ(ShownFps, 10) << "frames composed in the last full second";
    EXPECT_GT(ShownPps, 0) << "board triangles drawn in it";
    EXPECT_EQ(FrameCount, 1) << "the tick after the timer starts the next second";
}

} // namespace
