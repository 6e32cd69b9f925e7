// SPDX-License-Identifier: MIT
// The screens drawn with the shipped data pack (real font, pictures and first level), checked to be
// real pictures and saved under ROLIQUO_SCREENSHOT_DIR when set, for the README.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "level/map_list.h"
#include "level/map_loader.h"
#include "render/board_renderer.h"
#include "scores/high_scores.h"
#include "screen/font_loader.h"
#include "screen/frame.h"
#include "sim/marble.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

class ShippedDataScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(data / "font.dat") || !std::filesystem::exists(data / "title.bmp")) {
            GTEST_SKIP() << "no data pack in " << data;
        }
        freshDrawingState();
        here = std::make_unique<testsupport::WorkingDirectory>(data);
        ASSERT_TRUE(loadFont(TheFont, "font", "font.dat"));
    }
    void TearDown() override { EXPECT_TRUE(headless::messageBoxes().empty()); }

    const std::filesystem::path data = ROLIQUO_DATA_DIR;
    std::unique_ptr<testsupport::WorkingDirectory> here;
};

TEST_F(ShippedDataScreens, TitleAndBestTimes)
{
    GameState = Title;
    MenuShown = true;
    MenuItem = MenuNewGame;
    composeFrame();
    EXPECT_GT(distinctColors(headless::lastSwapped(), 200), 100) << "the title picture";
    maybeScreenshot(headless::lastSwapped(), "title");

    MenuItem = MenuFog;
    composeFrame();
    maybeScreenshot(headless::lastSwapped(), "options");

    MenuShown = false;
    GameState = BestTimes;
    LevelCount = 4;
    LevelTimes = {27.4f, 31.05f, 22.9f, 36.6f};
    for (int i = 0; i < HighScoreRows; ++i)
        HighScores[i] = {225.0f, "aaa"};
    HighScores[0] = {109.2f, "ACE"};
    HighScores[1] = {117.95f, "_"};
    NewRecordRank = 1;
    composeFrame();
    EXPECT_GT(distinctColors(headless::lastSwapped(), 200), 50) << "the best-times screen";
    maybeScreenshot(headless::lastSwapped(), "best_times");
}

TEST_F(ShippedDataScreens, PlayingTheFirstLevel)
{
    if (!std::filesystem::exists("maplist.dat"))
        GTEST_SKIP() << "no levels in " << data;
    ASSERT_TRUE(loadMapList());
    ASSERT_GE(LevelCount, 1);
    auto texture = std::make_unique<BoardTextureImages>();
    ASSERT_TRUE(loadBoardForPlay(TheBoard, TheMarble, MapNames[0], *texture));
    placeMarble(0.0f, -4700.0f);
    GameState = Playing;
    LevelNumber = 1;
    BannerLevel = 1;
    LevelFinished = false;
    RoundClock = 41.37f;
    ShownFps = 60;
    ShownPps = 11000;
    uint32_t fog = TheBoard.fogColorValue();
    clearFrame(((fog >> 16) & 0xFF) / 255.0f, ((fog >> 8) & 0xFF) / 255.0f, (fog & 0xFF) / 255.0f);
    composeFrame();
    EXPECT_GT(distinctColors(headless::lastSwapped(), 200), 50) << "the board";
    maybeScreenshot(headless::lastSwapped(), "playing");
}

} // namespace
