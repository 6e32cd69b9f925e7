// SPDX-License-Identifier: MIT
// The round clock as the player sees it: the countdowns before the start signal, the finish and the
// start of the next level one second later, the time-up and the best-times screen, and the level
// start's resets and refusals.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "level/board.h"
#include "platform/headless/headless.h"
#include "screen/game_state.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::countCue;
using testsupport::describeCues;
using testsupport::describeMessageBoxes;
using testsupport::GameDriver;

namespace {

// Ticks of `step` seconds until the start signal; returns how many, or -1.
int ticksUntilGo(GameDriver& game, double step)
{
    int before = countCue("go.wav");
    return game.runTicksUntil([&] { return countCue("go.wav") > before; }, 200, step);
}

TEST(RoundClock, ANewGameCountsDownSevenSecondsAndLaterLevelsOneAndAHalf)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_EQ(GameState, Playing);
    EXPECT_EQ(LevelNumber, 1);
    EXPECT_EQ(RoundClock, 52.0f);
    EXPECT_EQ(countCue("go.wav"), 0);

    EXPECT_EQ(ticksUntilGo(game, 0.5), 14) << "52 s down to 45 s in steps of 0.5 s";
    EXPECT_EQ(RoundClock, 45.0f);
    for (int i = 0; i < 4; ++i)
        game.tick(0.5);
    EXPECT_EQ(countCue("go.wav"), 1) << "the start signal plays once per level: " << describeCues();

    game.press(VkF1);
    EXPECT_EQ(LevelNumber, 2);
    EXPECT_EQ(RoundClock, 46.5f);
    EXPECT_EQ(ticksUntilGo(game, 0.5), 3) << "46.5 s down to 45 s";
    EXPECT_EQ(countCue("go.wav"), 2) << describeCues();
}

TEST(RoundClock, TheMarbleIsHeldDuringTheCountdownAndTheClockShowsTheRun)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    Vec3 start = TheMarble.getPosition();
    EXPECT_EQ(start.x, 0.0f);
    EXPECT_EQ(start.y, -5800.0f);
    EXPECT_EQ(start.z, TheBoard.heightAt(0.0f, -5800.0f));

    headless::setKeyDown(VkUp, true);
    for (int i = 0; i < 6; ++i)
        game.tick(1.0);
    EXPECT_EQ(TheMarble.getPosition().y, -5800.0f) << "held at 46 s on the clock";
    game.runTicksUntil([] { return RoundClock < 44.0f; }, 100, 0.1);
    EXPECT_GT(TheMarble.getPosition().y, -5800.0f) << "rolling after the start signal";
    headless::setKeyDown(VkUp, false);
}

TEST(RoundClock, LoadingTimeDoesNotCountAgainstTheFirstTick)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press(VkEscape);
    headless::pushKey(VkEnter);
    headless::advanceSeconds(30.0); // as if the menu and the load had taken half a minute
    game.runUntilIdle();
    ASSERT_EQ(GameState, Playing);
    game.tick(0.125);
    EXPECT_EQ(FrameSeconds, 0.125f);
    EXPECT_EQ(RoundClock, 51.875f);
}

TEST(RoundClock, LettingTheClockRunOutPlaysTimeUpOnceAndShowsTheBestTimesFourSecondsLater)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    // 52 s to 0 is 104 ticks of 0.5 s; the 105th leaves the clock below zero.
    int ticks = game.runTicksUntil([] { return countCue("timeup.wav") > 0; }, 200, 0.5);
    EXPECT_EQ(ticks, 105) << describeCues();
    EXPECT_EQ(RoundClock, -0.5f);
    EXPECT_EQ(GameState, Playing);

    // -4.0 is not yet past the end; -4.5 is.
    ticks = game.runTicksUntil([] { return GameState == BestTimes; }, 100, 0.5);
    EXPECT_EQ(ticks, 8);
    EXPECT_EQ(RoundClock, -4.5f);
    EXPECT_EQ(countCue("timeup.wav"), 1) << describeCues();
    EXPECT_EQ(LevelTimes[0], 225.0f) << "an unfinished level keeps its mark";
    EXPECT_EQ(NewRecordRank, -1) << "a run that timed out is not ranked";

    // The round is halted: the screen stays, and Space returns to the title for good.
    for (int i = 0; i < 10; ++i)
        game.tick(0.5);
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_EQ(RoundClock, -4.5f);
    game.press(VkSpace);
    for (int i = 0; i < 10; ++i)
        game.tick(0.5);
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(countCue("timeup.wav"), 1);
}

TEST(RoundClock, AFinishWithTwelvePointThreeFourLeftStartsTheNextLevelOneSecondLater)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_GT(ticksUntilGo(game, 0.5), 0);

    // Run the clock to 12.34 s left, then put the marble across the finish line.
    game.runTicksUntil([] { return RoundClock < 13.0f; }, 1000, 0.5);
    ASSERT_EQ(RoundClock, 12.5f);
    game.tick(0.16);
    ASSERT_NEAR(RoundClock, 12.34f, 1e-5f);
    float clockAtFinish = RoundClock;
    TheMarble.setPosition(Vec3(0.0f, 5810.0f, TheBoard.heightAt(0.0f, 5810.0f)));
    TheMarble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
    headless::clearRecords();
    game.tick(0.0);

    ASSERT_TRUE(LevelFinished);
    EXPECT_EQ(countCue("allright.wav"), 1) << describeCues();
    EXPECT_NEAR(LevelTimes[0], 32.66f, 1e-4f);
    EXPECT_EQ(LevelTimes[0], 45.0f - clockAtFinish);
    EXPECT_EQ(LevelEndTime, clockAtFinish - 1.0f);

    // The next level starts on the first tick that takes the clock below 11.34.
    int ticks = game.runTicksUntil([] { return LevelNumber == 2; }, 1000, 0.01);
    ASSERT_GT(ticks, 0);
    EXPECT_NEAR(static_cast<double>(ticks) * 0.01, 1.0, 0.0101);
    EXPECT_EQ(RoundClock, 46.5f);
    EXPECT_FALSE(LevelFinished);
    EXPECT_EQ(LevelTimes[0], 45.0f - clockAtFinish) << "the booked time stays";
    EXPECT_EQ(LevelTimes[1], 225.0f);
}

TEST(LevelStart, ALevelStartWhileTheMenuIsOpenIsIgnored)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.tick(0.5);
    game.press(VkEscape);
    headless::pushMessage(StartLevelMessage);
    game.runUntilIdle();
    EXPECT_EQ(LevelNumber, 1);
    EXPECT_EQ(RoundClock, 51.5f);

    // F1 itself is still taken while the menu is open; its level start is what is refused.
    game.press(VkF1);
    EXPECT_EQ(LevelNumber, 1);
    game.press(VkEscape);
    game.press(VkF1);
    EXPECT_EQ(LevelNumber, 2);
}

TEST(LevelStart, F1OnlyWhilePlaying)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press(VkF1);
    EXPECT_EQ(LevelNumber, -1) << "F1 on the title screen does nothing";
    game.press({VkEscape, VkDown, VkEnter}); // HIGHSCORE
    game.press(VkF1);
    EXPECT_EQ(LevelNumber, -1) << "F1 on the best-times screen does nothing";
}

TEST(LevelStart, AMapThatCannotBeLoadedEndsTheProgramAfterItsMessage)
{
    GameDriver game;
    game.removeFile("level2.map");
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_TRUE(headless::messageBoxes().empty()) << describeMessageBoxes();
    game.press(VkF1);
    ASSERT_FALSE(headless::messageBoxes().empty());
    EXPECT_EQ(headless::messageBoxes().back().text, "Unable to initialize map") << describeMessageBoxes();
    EXPECT_EQ(headless::messageBoxes().back().caption, "error");
    EXPECT_TRUE(headless::messageBoxes().back().owned);
    EXPECT_EQ(GameState, Playing);
    EXPECT_TRUE(game.quitTaken());
    EXPECT_EQ(game.exitCode(), StartupFailedExitCode) << "a level that cannot load is no normal quit";
}

TEST(LevelStart, SpaceReturnsToTheTitleExceptWhilePlayingOrNaming)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press({VkEscape, VkDown, VkEnter}); // HIGHSCORE from the title
    ASSERT_EQ(GameState, BestTimes);
    game.press(VkSpace);
    EXPECT_EQ(GameState, Title);

    game.startNewGame();
    game.press(VkSpace);
    EXPECT_EQ(GameState, Playing);
}

TEST(LevelStart, HighScoreDuringPlayStopsTheRoundBehindTheBestTimes)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_GT(ticksUntilGo(game, 0.5), 0);
    game.tick(0.5);
    LevelTimes[0] = 30.0f; // as if the level had been booked
    game.press({VkEscape, VkDown, VkEnter});
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_FALSE(MenuShown);
    EXPECT_FALSE(Paused);
    EXPECT_EQ(LevelTimes[0], 225.0f) << "every level time is reset";
    EXPECT_EQ(NewRecordRank, -1);
    float clock = RoundClock;
    game.runTicksUntil([] { return false; }, 120, 0.5);
    EXPECT_EQ(RoundClock, clock) << "the abandoned round no longer runs";
    EXPECT_EQ(GameState, BestTimes) << "no time-up and no next level behind the screen";
    EXPECT_EQ(countCue("timeup.wav"), 0);
}

} // namespace
