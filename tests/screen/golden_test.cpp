// SPDX-License-Identifier: MIT
// Whole frames of fixed scenes compared with golden images in tests/golden (the test font, the checker
// texture, a hilly board). ROLIQUO_UPDATE_GOLDENS=1 rewrites them; ROLIQUO_SCREENSHOT_DIR saves copies.
#include <gtest/gtest.h>

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
        fillBestTimes();
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
    composePlayingWithFarSightAndTheOptionsMenu();
    maybeScreenshot(headless::lastSwapped(), "golden_playing_far_sight_menu");
    expectMatchesGolden(headless::lastSwapped(), "playing_far_sight_menu");
}

TEST_F(GoldenTest, BestTimesAfterANewRecord)
{
    composeBestTimesAfterANewRecord();
    maybeScreenshot(headless::lastSwapped(), "golden_best_times");
    expectMatchesGolden(headless::lastSwapped(), "best_times");
}

TEST_F(GoldenTest, Title)
{
    composeTitle();
    expectMatchesGolden(headless::lastSwapped(), "title");
}

TEST_F(GoldenTest, TitleWithTheMainMenu)
{
    composeTitleWithTheMainMenu();
    maybeScreenshot(headless::lastSwapped(), "golden_title_menu");
    expectMatchesGolden(headless::lastSwapped(), "title_menu");
}

} // namespace
