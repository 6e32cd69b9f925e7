// SPDX-License-Identifier: MIT
// The best-times screen on real pixels: the level block with its "NA" rules, the table with the row
// being named and the equal totals in red, the footer, and the font state left behind.
#include <gtest/gtest.h>

#include "scores/high_scores.h"
#include "screen/best_times_screen.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

const Rgb Red{255, 0, 0};
const Rgb Grey{200, 200, 200};
const Rgb Black{0, 0, 0};
constexpr float Small = 0.3939394f;

class BestTimesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        for (int i = 0; i < HighScoreRows; ++i)
            HighScores[i] = {225.0f, "---"};
    }

    headless::Frame draw()
    {
        clearFrame(0, 0, 0);
        drawBestTimes();
        return headless::readFrame();
    }
};

// Centre row of level line i (1-based) of the left block, and of table row i (0-based).
int levelRowY(int i)
{
    return 13 * i - 7;
}
int tableRowY(int i)
{
    return 80 + TestLineHeight * i + TestLineHeight / 2;
}

// The text of a cell is told by its ink width in the test font.
void expectCell(const headless::Frame& f, int x, int y, const std::string& text, float scale, const std::string& what)
{
    InkRun run = inkRun(f, x, y, Black, 11);
    EXPECT_EQ(run.begin, x) << what << " should start at x " << x;
    EXPECT_NEAR(run.end - x, testTextWidth(text, scale), 1.0) << what << " should read \"" << text << "\"";
}

TEST_F(BestTimesTest, AfterTheHighscoreItemEveryLevelAndTheTotalReadNA)
{
    LevelCount = 3;
    LevelTimes.assign(3, 225.0f);
    NewRecordRank = -1;
    HighScores[2].time = 675.0f; // 225 x 3, equal to this game's total
    headless::Frame f = draw();
    for (int i = 1; i <= 3; ++i) {
        expectCell(f, 0, levelRowY(i), "Level " + std::to_string(i) + ":", Small, "level name " + std::to_string(i));
        expectCell(f, 80, levelRowY(i), "NA", Small, "level time " + std::to_string(i));
        EXPECT_TRUE(near(pixel(f, 81, levelRowY(i)), Red, 0)) << "level block is red";
    }
    expectCell(f, 80, 67, "------", Small, "dashes");
    expectCell(f, 0, 80, "total", Small, "total label");
    expectCell(f, 80, 80, "NA", Small, "total");
    for (int i = 0; i < HighScoreRows; ++i) {
        Rgb want = (i == 2) ? Red : Grey;
        EXPECT_TRUE(near(pixel(f, 256, tableRowY(i)), want, 0)) << "time cell of row " << i;
        EXPECT_TRUE(near(pixel(f, 141, tableRowY(i)), Grey, 0)) << "rank of row " << i;
        EXPECT_TRUE(near(pixel(f, 451, tableRowY(i)), Grey, 0)) << "name of row " << i;
    }
}

TEST_F(BestTimesTest, TheRowBeingNamedIsRedAndAnEqualTotalElsewhereOnlyInItsTime)
{
    LevelCount = 3;
    LevelTimes = {10.5f, 20.25f, 12.0f}; // total 42.75
    HighScores[3] = {42.75f, "_"};
    HighScores[5] = {42.75f, "XYZ"};
    NewRecordRank = 3;
    headless::Frame f = draw();
    expectCell(f, 80, levelRowY(1), "10.50", Small, "level 1");
    expectCell(f, 80, levelRowY(2), "20.25", Small, "level 2");
    expectCell(f, 80, levelRowY(3), "12.00", Small, "level 3");
    expectCell(f, 80, 80, "42.75", Small, "total");
    for (int i = 0; i < HighScoreRows; ++i) {
        bool named = i == 3;
        bool equal = i == 3 || i == 5;
        EXPECT_TRUE(near(pixel(f, 256, tableRowY(i)), equal ? Red : Grey, 0)) << "time of row " << i;
        EXPECT_TRUE(near(pixel(f, 141, tableRowY(i)), named ? Red : Grey, 0)) << "rank of row " << i;
        EXPECT_TRUE(near(pixel(f, 451, tableRowY(i)), named ? Red : Grey, 0)) << "name of row " << i;
    }
    expectCell(f, 140, tableRowY(3), "4", 1.0f, "rank of row 3");
    expectCell(f, 140, tableRowY(9), "10", 1.0f, "rank of row 9");
    expectCell(f, 255, tableRowY(3), "42.75", 1.0f, "time of row 3");
    expectCell(f, 450, tableRowY(3), "_", 1.0f, "name of row 3");
    expectCell(f, 450, tableRowY(5), "XYZ", 1.0f, "name of row 5");
}

TEST_F(BestTimesTest, ALevelTimeOfExactly45IsANumber)
{
    LevelCount = 2;
    LevelTimes = {45.0f, 30.0f};
    headless::Frame f = draw();
    expectCell(f, 80, levelRowY(1), "45.00", Small, "a time of 45");
    expectCell(f, 80, 80, "75.00", Small, "total");
}

TEST_F(BestTimesTest, LevelsWithoutABookedTimeReadNA)
{
    LevelCount = 3;
    LevelTimes = {12.5f}; // shorter than the level list
    headless::Frame f = draw();
    expectCell(f, 80, levelRowY(1), "12.50", Small, "booked level");
    expectCell(f, 80, levelRowY(2), "NA", Small, "level 2 without a time");
    expectCell(f, 80, levelRowY(3), "NA", Small, "level 3 without a time");
    expectCell(f, 80, 80, "NA", Small, "total");
}

TEST_F(BestTimesTest, TitleIsCyanAndTheFooterIsCentredInBlue)
{
    LevelCount = 1;
    LevelTimes = {225.0f};
    headless::Frame f = draw();
    EXPECT_TRUE(near(pixel(f, 207, 26), {0, 255, 255}, 0)) << "title colour " << str(pixel(f, 207, 26));
    expectCell(f, 205, 26, "Best Times", 1.0f, "title");
    InkRun footer = inkRun(f, 0, 466, Black, 11);
    float w = testTextWidth("press <space> to return", Small);
    EXPECT_NEAR(footer.begin, 320.0f - w / 2, 1.0) << "footer centred";
    EXPECT_NEAR(footer.end, 320.0f + w / 2, 1.0) << "footer centred";
    EXPECT_TRUE(near(pixel(f, footer.begin + 1, 466), {0, 0, 255}, 0));
    EXPECT_FLOAT_EQ(TheFont.scale, Small) << "left at the small scale";
    EXPECT_EQ(TheFont.color[2], 1.0f) << "left blue";
    EXPECT_EQ(TheFont.color[0], 0.0f) << "left blue";
}

} // namespace
