// SPDX-License-Identifier: MIT
// Frame composition for every screen, through the headless backend: the pictures as stored and their
// one-time failure messages, the playing frame's clear, counters and banner, the double panel behind
// the menu, and the states that draw nothing. Name typing is tested with the app (app/name_entry).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "render/board_renderer.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        TheBoard = Board{};
        TheCamera = FollowCamera{};
        TheMarble.setPosition({0, 0, 0});
        for (int i = 0; i < HighScoreRows; ++i)
            HighScores[i] = {225.0f, "aaa"};
    }

    // A playing board seen from the start line.
    void boardAtTheStart(uint32_t fog)
    {
        TheBoard.setHoles({{0.0f, -5200.0f, 60.0f, 90.0f}});
        TheBoardRenderer.buildGrid(TheBoard);
        setFogColor(TheBoard, fog);
        Vec3 start{0.0f, -5800.0f, TheBoard.heightAt(0.0f, -5800.0f)};
        TheMarble.setPosition(start);
        TheMarble.setColor(230.0f, 40.0f, 40.0f);
        TheCamera.transform = chaseCamera(start);
    }

    TempWorkDir dir;
};

// The title's lower-right corner, where the hint to the controls page is drawn over the picture.
bool inControlsHint(int x, int yTop)
{
    return x >= 440 && yTop >= 455;
}

void expectFrameIsPicture(const headless::Frame& f, const std::vector<uint8_t>& picture, const char* what)
{
    ASSERT_EQ(f.width, 640);
    ASSERT_EQ(f.height, 480);
    int wrong = 0;
    for (int y = 0; y < 480 && wrong < 5; ++y) {
        for (int x = 0; x < 640 && wrong < 5; ++x) {
            if (inControlsHint(x, y))
                continue;
            const uint8_t* want = &picture[(static_cast<size_t>(479 - y) * 640 + x) * 3];
            Rgb got = pixel(f, x, y);
            if (got.r != want[0] || got.g != want[1] || got.b != want[2]) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << str(got) << ", stored "
                              << str({want[0], want[1], want[2]});
                ++wrong;
            }
        }
    }
}

TEST_F(FrameTest, TitlePictureAppearsExactlyAsStoredWhateverStateWasLeft)
{
    std::vector<uint8_t> picture = patternPicture(7);
    writeBmp("title.bmp", 640, 480, picture);
    GameState = Title;
    // State a playing frame and the fog key may leave behind.
    const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    draw::texture(BoardTextureName, draw::TextureMode::Decal);
    draw::blend(true);
    draw::depthTest(true);
    draw::fog(true);
    draw::fogLinear(grey, 0.0025f, 0.00055555557f);
    composeFrame();
    EXPECT_EQ(headless::swapCount(), 1);
    expectFrameIsPicture(headless::lastSwapped(), picture, "title");
    EXPECT_TRUE(headless::messageBoxes().empty());

    // Read once: later frames copy from memory.
    std::filesystem::remove("title.bmp");
    composeFrame();
    expectFrameIsPicture(headless::lastSwapped(), picture, "title from memory");
    EXPECT_TRUE(headless::messageBoxes().empty());
}

TEST_F(FrameTest, ASmallerPictureIsCopiedToTheLowerLeftCorner)
{
    std::vector<uint8_t> small(201 * 99 * 3);
    for (size_t i = 0; i < small.size(); ++i)
        small[i] = static_cast<uint8_t>(i * 31 + i / 603 * 7);
    writeBmp("title.bmp", 201, 99, small);
    GameState = Title;
    composeFrame();
    const headless::Frame& f = headless::lastSwapped();
    for (int row = 0; row < 99; ++row) {
        for (int x = 0; x < 201; ++x) {
            const uint8_t* want = &small[(static_cast<size_t>(row) * 201 + x) * 3];
            ASSERT_TRUE(near(pixel(f, x, 479 - row), {want[0], want[1], want[2]}, 0))
                << "stored row " << row << ", column " << x << " shows " << str(pixel(f, x, 479 - row));
        }
    }
    EXPECT_TRUE(near(pixel(f, 201, 479), {0, 0, 0}, 0)) << "nothing beside the picture";
    EXPECT_TRUE(near(pixel(f, 0, 479 - 99), {0, 0, 0}, 0)) << "nothing above the picture";
}

TEST_F(FrameTest, AnUnreadablePictureShowsItsMessageOnceAndTheScreenIsBlack)
{
    GameState = Title;
    for (int i = 0; i < 3; ++i)
        composeFrame();
    ASSERT_EQ(headless::messageBoxes().size(), 1u) << "one message, not one per frame";
    EXPECT_EQ(headless::messageBoxes()[0].text, "could not load.bmp title");
    EXPECT_EQ(headless::messageBoxes()[0].caption, "Error");
    EXPECT_TRUE(headless::messageBoxes()[0].owned);
    EXPECT_EQ(headless::swapCount(), 3) << "the frames are still presented";
    for (int y = 0; y < 480; y += 3) {
        for (int x = 0; x < 640; x += 3) {
            if (!inControlsHint(x, y)) {
                ASSERT_TRUE(near(pixel(headless::lastSwapped(), x, y), {0, 0, 0}, 0)) << "(" << x << ", " << y << ")";
            }
        }
    }

    GameState = BestTimes;
    composeFrame();
    composeFrame();
    ASSERT_EQ(headless::messageBoxes().size(), 2u);
    EXPECT_EQ(headless::messageBoxes()[1].text, "could not load back.bmp");
    EXPECT_EQ(headless::messageBoxes()[1].caption, "Error");
}

TEST_F(FrameTest, TheTitlePictureReadAheadIsTheOneShownAndItsFailureWaitsForTheFirstFrame)
{
    std::vector<uint8_t> picture = patternPicture(11);
    writeBmp("title.bmp", 640, 480, picture);
    GameState = Title;
    readTitlePictureAhead();
    std::filesystem::remove("title.bmp");
    composeFrame();
    expectFrameIsPicture(headless::lastSwapped(), picture, "title read ahead");

    resetFrameState();
    readTitlePictureAhead();
    EXPECT_TRUE(headless::messageBoxes().empty()) << "nothing is reported before the title is drawn";
    composeFrame();
    composeFrame();
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "could not load.bmp title");
}

TEST_F(FrameTest, PlayingFrameIsClearedAfterItsSwapToTheFogColourOrBlack)
{
    struct Case {
        bool fog;
        Rgb clear;
    } cases[] = {{true, {0x33, 0x66, 0x99}}, {false, {0, 0, 0}}};
    for (const Case& c : cases) {
        boardAtTheStart(0x336699);
        GameState = Playing;
        OptionFog = c.fog;
        FrameCount = 0;
        PolygonCount = 0;
        int swaps = headless::swapCount();
        composeFrame();
        EXPECT_EQ(headless::swapCount(), swaps + 1);
        EXPECT_EQ(FrameCount, 1);
        EXPECT_GT(PolygonCount, 0);
        EXPECT_GT(distinctColors(headless::lastSwapped(), 10), 5) << "the presented frame shows the board";
        headless::Frame next = headless::readFrame();
        bool uniform = true;
        for (size_t i = 0; i < next.rgba.size() && uniform; i += 4) {
            uniform = next.rgba[i] == c.clear.r && next.rgba[i + 1] == c.clear.g && next.rgba[i + 2] == c.clear.b &&
                next.rgba[i + 3] == 0;
        }
        EXPECT_TRUE(uniform) << "fog " << c.fog << ": the next frame starts from " << str(c.clear) << " alpha 0, found "
                             << str(pixel(next, 0, 0));
        EXPECT_EQ(headless::depthAt(320, 240), 0.0f) << "depth cleared to 0";
        // The frame's board drawn again from the same camera gives its record; the clear after the swap
        // is then done again.
        BoardDrawRecord board = TheBoardRenderer.draw(TheBoard, TheCamera.transform, OptionFarSight, OptionFog);
        EXPECT_EQ(PolygonCount, 2 * board.cellsVisited) << "the board's triangles are counted";
        clearFrame(static_cast<float>(c.clear.r) / 255.0f, static_cast<float>(c.clear.g) / 255.0f,
                   static_cast<float>(c.clear.b) / 255.0f);
    }
}

// Without a grid nothing is drawn but the layers, and the default camera has the marble behind it.
TEST_F(FrameTest, BannerIsPlacedByTheWidthOfLevel1AndShrinks)
{
    GameState = Playing;
    OptionFog = false;
    OptionStatistics = false;
    FrameSeconds = 0.1f;
    const float bannerX = 320.0f - 0.5f * testTextWidth("Level 1", 3.0f);
    for (int level : {1, 10}) {
        LevelNumber = level;
        clearFrame(0, 0, 0);
        composeFrame();
        EXPECT_NEAR(BannerScale, 3.0f - 3.0f * 0.1f * 4.0f, 1e-5) << "level " << level << ": 3.0 less 3 x 0.1 x 4";
        EXPECT_EQ(BannerLevel, level);
        InkRun run = inkRun(headless::lastSwapped(), 0, 205 + 50, {0, 0, 0}, 31);
        EXPECT_EQ(run.begin, static_cast<int>(std::ceil(bannerX - 0.5f))) << "level " << level;
        EXPECT_NEAR(run.end - bannerX, testTextWidth("Level " + std::to_string(level), 3.0f), 1.0) << "level " << level;
    }
    // Paused, the banner keeps its size.
    Paused = true;
    float before = BannerScale;
    composeFrame();
    EXPECT_FLOAT_EQ(BannerScale, before);
}

TEST_F(FrameTest, BannerFadesOutAfterAboutPoint85SecondsOfPlay)
{
    GameState = Playing;
    OptionFog = false;
    LevelNumber = 1;
    FrameSeconds = 1.0f / 60.0f;
    float elapsed = 0.0f;
    composeFrame(); // starts the banner at 3.0
    elapsed += FrameSeconds;
    while (BannerScale >= 0.1f && elapsed < 5.0f) {
        composeFrame();
        elapsed += FrameSeconds;
    }
    EXPECT_NEAR(elapsed, std::log(30.0) / 4.0, 0.05) << "3.0 to 0.1 takes ln 30 / 4 seconds";
    composeFrame();
    InkRun run = inkRun(headless::lastSwapped(), 0, 215, {0, 0, 0}, 31);
    EXPECT_EQ(run.begin, -1) << "no banner below scale 0.1";
}

TEST_F(FrameTest, MenuOverTheBestTimesDarkensTheScreenTwice)
{
    writeBmp("back.bmp", 640, 480, uniformPicture(200, 160, 120));
    LevelCount = 1;
    LevelTimes = {225.0f};
    GameState = BestTimes;
    composeFrame();
    EXPECT_TRUE(near(pixel(headless::lastSwapped(), 600, 300), {100, 80, 60}, 1))
        << "one panel: " << str(pixel(headless::lastSwapped(), 600, 300));
    MenuShown = true;
    MenuItem = MenuHighScore;
    composeFrame();
    const headless::Frame& f = headless::lastSwapped();
    EXPECT_TRUE(near(pixel(f, 600, 300), {50, 40, 30}, 1)) << "two panels: " << str(pixel(f, 600, 300));
    EXPECT_TRUE(near(pixel(f, 222, 160 + TestLineHeight + 16), {255, 255, 255}, 0)) << "highlighted menu line";
}

TEST_F(FrameTest, PlayingWithTheMenuOpenDimsTheBoardUnderTheMenu)
{
    boardAtTheStart(0x000000);
    GameState = Playing;
    OptionFog = false;
    composeFrame();
    headless::Frame plain = headless::lastSwapped();
    MenuShown = true;
    MenuItem = MenuOptions;
    LevelNumber = BannerLevel; // no banner restart
    composeFrame();
    const headless::Frame& dim = headless::lastSwapped();
    Rgb a = pixel(plain, 600, 300), b = pixel(dim, 600, 300);
    EXPECT_TRUE(near(b, {a.r / 2, a.g / 2, a.b / 2}, 1)) << str(a) << " dimmed to " << str(b);
    EXPECT_TRUE(near(pixel(dim, 222, 160 + 2 * TestLineHeight + 16), {255, 255, 255}, 0)) << "\"Options\" highlighted";
}

TEST_F(FrameTest, AStateOutsideOneToFourDrawsNothingAndDoesNotSwap)
{
    for (int32_t state : {0, 5, -1}) {
        GameState = state;
        clearFrame(0.2f, 0.4f, 0.6f);
        headless::Frame before = headless::readFrame();
        composeFrame();
        EXPECT_EQ(headless::swapCount(), 0) << "state " << state;
        EXPECT_EQ(headless::readFrame().rgba, before.rgba) << "state " << state;
    }
}

TEST_F(FrameTest, NothingIsDrawnOnceTheContextIsDeleted)
{
    writeBmp("title.bmp", 640, 480, uniformPicture(1, 2, 3));
    GameState = Title;
    platform::deleteGlContext();
    composeFrame();
    EXPECT_EQ(headless::swapCount(), 0);
    EXPECT_TRUE(headless::messageBoxes().empty());
}

} // namespace
