// SPDX-License-Identifier: MIT
// Name entry left through the menu: a half-typed name keeps its record and its letters, and is never
// saved with its cursor.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "support/game_driver.h"

using testsupport::GameDriver;

namespace {

void typeKeys(GameDriver& game, const std::string& keys)
{
    for (char key : keys) {
        game.press(key);
        game.tick(0.1);
    }
}

// Esc opens the menu on "NeW Game"; Down moves to the wanted line of the main page.
void chooseMenuLine(GameDriver& game, int downs)
{
    game.press(VkEscape);
    for (int i = 0; i < downs; ++i)
        game.press(VkDown);
    game.press(VkEnter);
    game.tick(0.1);
}

TEST(NameEntryLeftThroughTheMenu, ANameLeftThroughTheMenuKeepsItsLettersAndQuitSavesThem)
{
    const struct {
        const char* how;
        std::string typed;
        int menuLine; // downs from "NeW Game": 0 NeW Game, 1 HIGHSCORE
        const char* kept;
    } cases[] = {
        {"NeW Game after one letter", "A", 0, "A"},
        {"HIGHSCORE after two letters", "AB", 1, "AB"},
        {"HIGHSCORE before any letter", "", 1, "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        GameDriver game(GameDriver::Data::Small, 1);
        ASSERT_TRUE(game.reachNameEntry());
        ASSERT_EQ(NewRecordRank, 9);
        typeKeys(game, c.typed);
        chooseMenuLine(game, c.menuLine);
        EXPECT_NE(GameState, NameEntry);
        EXPECT_EQ(HighScores[9].time, 225.0f) << "the record's time is kept";
        EXPECT_EQ(HighScores[9].name, c.kept);

        if (GameState == Playing)
            chooseMenuLine(game, 1); // leave the new game for the best-times screen
        chooseMenuLine(game, 3);     // "Quit"
        ASSERT_TRUE(game.runToQuit());
        setDefaultHighScores();
        ASSERT_TRUE(readHighScores());
        EXPECT_EQ(HighScores[9].name, c.kept) << "as saved: " << game.readFile("highScore.dat");
    }
}

TEST(NameEntryLeftThroughTheMenu, QuitDuringNameEntrySavesTheLettersWithoutTheCursor)
{
    GameDriver game(GameDriver::Data::Small, 1);
    ASSERT_TRUE(game.reachNameEntry());
    ASSERT_EQ(NewRecordRank, 9);
    typeKeys(game, "XY");
    chooseMenuLine(game, 3);
    ASSERT_TRUE(game.runToQuit());
    EXPECT_NE(game.readFile("highScore.dat").find(" XY "), std::string::npos) << game.readFile("highScore.dat");
}

} // namespace
