// SPDX-License-Identifier: MIT
// Pausing: F12 only while a level is in play with the menu closed, the menu's own pause, and the
// keyboard focus. A paused round keeps measuring time but does not advance its clock.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::GameDriver;

namespace {

TEST(Pause, F12TogglesOnlyWhilePlayingWithTheMenuClosed)
{
    GameDriver game;
    ASSERT_TRUE(game.start());

    game.press(VkF12);
    EXPECT_FALSE(Paused) << "F12 on the title screen does nothing";

    game.startNewGame();
    ASSERT_EQ(GameState, Playing);
    game.press(VkF12);
    EXPECT_TRUE(Paused);
    game.press(VkF12);
    EXPECT_FALSE(Paused);

    game.press(VkEscape);
    ASSERT_TRUE(Paused);
    game.press(VkF12);
    EXPECT_TRUE(Paused) << "F12 with the menu open does nothing";
    EXPECT_TRUE(MenuShown);

    game.press({VkEscape, VkEscape, VkDown, VkEnter}); // close, reopen, HIGHSCORE
    ASSERT_EQ(GameState, BestTimes);
    game.press(VkF12);
    EXPECT_FALSE(Paused) << "F12 on the best-times screen does nothing";
}

TEST(Pause, APausedRoundKeepsItsClockAndResumesWithoutALongStep)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.tick(0.5);
    ASSERT_FLOAT_EQ(RoundClock, 51.5f);

    game.press(VkF12);
    for (int i = 0; i < 10; ++i)
        game.tick(0.5);
    EXPECT_FLOAT_EQ(RoundClock, 51.5f) << "the clock stands still while paused";
    EXPECT_FLOAT_EQ(FrameSeconds, 0.5f) << "time is still measured on every tick";

    game.press(VkF12);
    game.tick(0.25);
    EXPECT_FLOAT_EQ(FrameSeconds, 0.25f) << "the pause does not turn into one long step";
    EXPECT_FLOAT_EQ(RoundClock, 51.25f);
}

TEST(Pause, LosingFocusPausesAndRegainingItResumes)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_TRUE(HasFocus);

    headless::pushMessage(KillFocusMessage);
    game.runUntilIdle();
    EXPECT_FALSE(HasFocus);
    EXPECT_TRUE(Paused);
    float clock = RoundClock;
    game.tick(1.0);
    EXPECT_EQ(RoundClock, clock) << "no play without the focus";

    headless::pushMessage(SetFocusMessage);
    game.runUntilIdle();
    EXPECT_TRUE(HasFocus);
    EXPECT_FALSE(Paused);

    // Focus gained while it was never lost changes nothing, so an F12 pause stays.
    game.press(VkF12);
    headless::pushMessage(SetFocusMessage);
    game.runUntilIdle();
    EXPECT_TRUE(Paused);

    // Regaining the focus resumes whether or not the menu is open.
    game.press({VkF12, VkEscape});
    headless::pushMessage(KillFocusMessage);
    headless::pushMessage(SetFocusMessage);
    game.runUntilIdle();
    EXPECT_TRUE(MenuShown);
    EXPECT_FALSE(Paused);
}

} // namespace
