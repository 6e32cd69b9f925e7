// SPDX-License-Identifier: MIT
// Name typing on the name-entry screen as the app runs it with every frame: letters, beeps, the
// third letter that saves the table, a fresh entry after an abandoned one, and no row to name.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/name_entry.h"
#include "scores/high_scores.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        for (int i = 0; i < HighScoreRows; ++i)
            HighScores[i] = {225.0f, "aaa"};
    }

    TempWorkDir dir;
};

TEST_F(NameEntryTest, TypingANameStoresLettersBeepsOtherwiseAndSavesAtTheThirdLetter)
{
    writeBmp("back.bmp", 640, 480, uniformPicture(90, 90, 90));
    HighScores[3] = {42.75f, "_"};
    NewRecordRank = 3;
    GameState = NameEntry;
    struct Step {
        uint8_t key;
        const char* name;
        int cursor;
        int beeps;
        size_t cues;
        int32_t state;
    } steps[] = {
        {'A', "A_", 1, 0, 1, NameEntry},  {'1', "A_", 1, 1, 1, NameEntry},  // a digit beeps
        {0, "A_", 1, 1, 1, NameEntry},                                      // no key: nothing
        {112, "A_", 1, 2, 1, NameEntry},                                    // F1's code is no letter
        {0xC1, "A_", 1, 3, 1, NameEntry},                                   // above 127: negative as a signed character
        {'B', "AB_", 2, 3, 2, NameEntry}, {'C', "ABC", 0, 3, 3, BestTimes}, // the third letter ends the name
    };
    for (const Step& s : steps) {
        LastKey = s.key;
        presentFrame();
        EXPECT_EQ(HighScores[3].name, s.name) << "after key " << int(s.key);
        EXPECT_EQ(NameCursor, s.cursor) << "after key " << int(s.key);
        EXPECT_EQ(headless::beepCount(), s.beeps) << "after key " << int(s.key);
        EXPECT_EQ(headless::cues().size(), s.cues) << "after key " << int(s.key);
        EXPECT_EQ(GameState, s.state) << "after key " << int(s.key);
        EXPECT_EQ(LastKey, 0) << "the key is used up";
    }
    for (const std::string& cue : headless::cues())
        EXPECT_EQ(cue, "menu.wav");
    std::ifstream saved("highScore.dat");
    ASSERT_TRUE(saved.good()) << "the table is saved when the name is complete";
    std::stringstream text;
    text << saved.rdbuf();
    EXPECT_NE(text.str().find("ABC"), std::string::npos) << "saved table: " << text.str();
}

TEST_F(NameEntryTest, AFreshNameEntryStartsAtTheFirstLetterAfterAnAbandonedOne)
{
    writeBmp("back.bmp", 640, 480, uniformPicture(90, 90, 90));
    HighScores[2] = {50.0f, "_"};
    NewRecordRank = 2;
    GameState = NameEntry;
    LastKey = 'A';
    presentFrame();
    ASSERT_EQ(NameCursor, 1);
    // The player leaves through the menu and earns another record in a later game.
    HighScores[5] = {80.0f, "_"};
    NewRecordRank = 5;
    GameState = NameEntry;
    for (uint8_t key : {'X', 'Y', 'Z'}) {
        LastKey = key;
        presentFrame();
    }
    EXPECT_EQ(HighScores[5].name, "XYZ") << "the second name must not continue the first one's cursor";
    EXPECT_EQ(GameState, BestTimes);
}

TEST_F(NameEntryTest, NameEntryWithoutARowToNameMovesOn)
{
    writeBmp("back.bmp", 640, 480, uniformPicture(90, 90, 90));
    NewRecordRank = -1;
    GameState = NameEntry;
    LastKey = 'A';
    presentFrame();
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_EQ(headless::swapCount(), 1);
}

} // namespace
