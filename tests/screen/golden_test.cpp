// SPDX-License-Identifier: MIT
// Whole frames of fixed scenes compared with golden images in tests/golden (the test font, the checker
// texture, a hilly board). ROLIQUO_UPDATE_GOLDENS=1 rewrites them; ROLIQUO_SCREENSHOT_DIR saves copies.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "scores/high_scores.h"
#include "screen/frame.h"
#include "support/draw_fixture.h"
#include "support/golden_scene.h"

using namespace drawtest;

namespace {

class GoldenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        buildHillyBoard();
        for (int i = 0; i < HighScoreRows; ++i)
            HighScores[i] = {225.0f, "aaa"};
    }

    TempWorkDir dir;
};

TEST_F(GoldenTest, PlayingWithFog)
{
    composePlayingWithFog();
    maybeScreenshot(headless::lastSwapped(), "golden_playing_fog");
    expectMatchesGolden(headless::lastSwapped(), "playing_fog");
}

TEST_F(GoldenTest, PlayingWithFarSightAndTheOptionsMenu)
{
    placeMarble(-200.0f, 1000.0f);
    GameState = Playing;
    OptionFog = false;
    OptionFarSight = true;
    MenuShown = true;
    Paused = true;
    MenuItem = MenuFarSight;
    LevelNumber = 2;
    RoundClock = 12.0f;
    LevelFinished = false;
    clearFrame(0, 0, 0);
    composeFrame();
    maybeScreenshot(headless::lastSwapped(), "golden_playing_far_sight_menu");
    expectMatchesGolden(headless::lastSwapped(), "playing_far_sight_menu");
}

TEST_F(GoldenTest, BestTimesAfterANewRecord)
{
    writeBmp("back.bmp", 640, 480, patternPicture(3));
    GameState = BestTimes;
    LevelCount = 3;
    LevelTimes = {20.5f, 31.25f, 225.0f};
    HighScores[0] = {61.0f, "JOE"};
    HighScores[1] = {70.5f, "ANN"};
    HighScores[2] = {80.0f, "_"};
    NewRecordRank = 2;
    composeFrame();
    maybeScreenshot(headless::lastSwapped(), "golden_best_times");
    expectMatchesGolden(headless::lastSwapped(), "best_times");
}

TEST_F(GoldenTest, TitleWithTheMainMenu)
{
    writeBmp("title.bmp", 640, 480, patternPicture(11));
    GameState = Title;
    MenuShown = true;
    MenuItem = MenuOptions;
    composeFrame();
    maybeScreenshot(headless::lastSwapped(), "golden_title_menu");
    expectMatchesGolden(headless::lastSwapped(), "title_menu");
}

} // namespace
