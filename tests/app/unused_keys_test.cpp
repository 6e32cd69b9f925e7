// SPDX-License-Identifier: MIT
// Keys the game has no use for (Backspace, Tab, Delete, punctuation, the keypad, as the SDL backend now
// delivers them): on the name-entry screen each beeps and stores nothing; everywhere else it does nothing.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::GameDriver;

namespace {

constexpr int UnusedKeys[] = {8, 9, 46, 96, 105, 110, 186, 188, 190, 222, 255};

TEST(UnusedKeys, BeepOnTheNameEntryScreenAndStoreNothing)
{
    GameDriver game(GameDriver::Data::Small, 1);
    ASSERT_TRUE(game.reachNameEntry());
    game.tick(0.1);
    game.press('A');
    game.tick(0.1);
    int beeps = headless::beepCount();
    for (int key : UnusedKeys) {
        game.press(key);
        game.tick(0.1);
        EXPECT_EQ(headless::beepCount(), ++beeps) << "key " << key << " gives no beep";
        EXPECT_EQ(HighScores[NewRecordRank].name, "A_") << "key " << key << " changed the name";
        EXPECT_EQ(GameState, NameEntry) << "key " << key;
    }
}

TEST(UnusedKeys, DoNothingOnTheOtherScreens)
{
    GameDriver game(GameDriver::Data::Small, 2);
    ASSERT_TRUE(game.start());
    game.tick(0.1);
    for (int key : UnusedKeys)
        game.press(key);
    EXPECT_EQ(GameState, Title);
    EXPECT_FALSE(MenuShown);
    game.startNewGame();
    game.tick(0.1);
    for (int key : UnusedKeys) {
        game.press(key);
        game.tick(0.1);
    }
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(LevelNumber, 1);
    EXPECT_FALSE(Paused);
    EXPECT_FALSE(MenuShown);
    EXPECT_TRUE(OptionStatistics && OptionFog && !OptionFarSight && !OptionNormal && OptionMidi);
    EXPECT_EQ(headless::beepCount(), 0);
}

} // namespace
