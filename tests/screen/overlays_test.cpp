// SPDX-License-Identifier: MIT
// The dark panel, the two menu pages and the clock with its statistics lines, checked on real pixels
// drawn with the test font (solid glyph blocks, so a glyph's inside shows its colour exactly).
#include <gtest/gtest.h>

#include <cmath>

#include "screen/overlays.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

const Rgb White{255, 255, 255};
const Rgb Blue{0, 0, 255};
const Rgb Grey{128, 128, 128};
const Rgb Black{0, 0, 0};

class OverlaysTest : public ::testing::Test {
protected:
    void SetUp() override { freshDrawingState(); }
};

// Colour inside the first glyph of menu line `line` of a page whose pen starts at (x, y).
Rgb lineColour(const headless::Frame& f, int x, int y, int line)
{
    return pixel(f, x + 2, y + line * TestLineHeight + TestLineHeight / 2);
}

TEST_F(OverlaysTest, DarkPanelHalvesTheBrightnessWhateverFogWasLeftOn)
{
    for (bool fogBefore : {false, true}) {
        clearFrame(200.0f / 255, 100.0f / 255, 50.0f / 255);
        if (fogBefore) {
            // Fog as a playing frame leaves it on (the fog key turns it on too), in white.
            const float white[4] = {1, 1, 1, 1};
            draw::fog(true);
            draw::fogLinear(white, 0.0025f, 0.00055555557f);
        }
        drawDarkPanel();
        headless::Frame f = headless::readFrame();
        for (auto [x, y] : {std::pair{0, 0}, std::pair{320, 240}, std::pair{639, 479}}) {
            EXPECT_TRUE(near(pixel(f, x, y), {100, 50, 25}, 1))
                << "fog before " << fogBefore << ": pixel (" << x << ", " << y << ") is " << str(pixel(f, x, y));
        }
    }
}

TEST_F(OverlaysTest, MainPageHighlightsItsLineInWhiteAndTheOthersInBlue)
{
    for (int item = MenuNewGame; item <= MenuQuit; ++item) {
        clearFrame(0, 0, 0);
        MenuItem = item;
        drawMenu();
        headless::Frame f = headless::readFrame();
        for (int line = 0; line < 4; ++line) {
            Rgb want = (line == item - 1) ? White : Blue;
            Rgb got = lineColour(f, 220, 160, line);
            EXPECT_TRUE(near(got, want, 0)) << "item " << item << ", line " << line << ": " << str(got);
        }
        EXPECT_TRUE(near(lineColour(f, 220, 160, 4), Black, 0)) << "four lines only";
    }
}

TEST_F(OverlaysTest, OptionsPageShowsFarSightGreyWhileFogIsOn)
{
    struct Case {
        bool fog;
        int item;
        Rgb farSight;
        const char* what;
    } cases[] = {
        {true, MenuStatistics, Grey, "fog on: grey"},
        {false, MenuStatistics, Blue, "fog off: blue"},
        {true, MenuFarSight, White, "highlighted: white even with fog"},
        {false, MenuFarSight, White, "highlighted: white"},
    };
    for (const Case& c : cases) {
        clearFrame(0, 0, 0);
        OptionFog = c.fog;
        MenuItem = c.item;
        drawMenu();
        headless::Frame f = headless::readFrame();
        EXPECT_TRUE(near(lineColour(f, 185, 120, 2), c.farSight, 1))
            << c.what << ": " << str(lineColour(f, 185, 120, 2));
        for (int line = 0; line < 7; ++line) {
            if (line == 2)
                continue;
            Rgb want = (line == c.item - MenuStatistics) ? White : Blue;
            EXPECT_TRUE(near(lineColour(f, 185, 120, line), want, 0)) << c.what << ", line " << line;
        }
    }
}

// Each options line's text decides its width; with the test font's widths that tells the strings apart.
TEST_F(OverlaysTest, OptionsLinesSayTheCurrentSettings)
{
    OptionStatistics = false;
    OptionFog = true;
    OptionFarSight = false;
    OptionNormal = true;
    OptionCameraLag = 6.0f;
    OptionMidi = false;
    MenuItem = MenuDone;
    clearFrame(0, 0, 0);
    drawMenu();
    headless::Frame f = headless::readFrame();
    const char* lines[] = {"Statistics: OFF", "Fog: ON", "Far Sight: OFF", "Normal: ON", "Camera Lag: 6",
                           "MIDI: OFF",       "Done"};
    for (int line = 0; line < 7; ++line) {
        InkRun run = inkRun(f, 185, 120 + line * TestLineHeight + 7, Black, 11);
        EXPECT_EQ(run.begin, 185) << lines[line];
        EXPECT_EQ(run.end, 185 + static_cast<int>(testTextWidth(lines[line], 1.0f))) << lines[line];
    }
}

TEST_F(OverlaysTest, MenuItemOutsideBothPagesDrawsNothing)
{
    for (int item : {0, 12, -3}) {
        clearFrame(0, 0, 0);
        MenuItem = item;
        drawMenu();
        EXPECT_EQ(distinctColors(headless::readFrame(), 2), 1) << "item " << item;
    }
}

TEST_F(OverlaysTest, ClockRampsFromGreenAtTheStartToRedAtTimeUp)
{
    struct Case {
        float roundClock;
        Rgb colour;
        const char* text;
    } cases[] = {
        {50.0f, {0, 255, 0}, "45.00"}, // the countdown shows 45.00 in pure green
        {45.0f, {0, 255, 0}, "45.00"},
        {-3.0f, {255, 0, 0}, "0.00"},
        {22.5f, {128, 128, 0}, "22.50"},
    };
    for (const Case& c : cases) {
        clearFrame(0, 0, 0);
        LevelFinished = false;
        RoundClock = c.roundClock;
        OptionStatistics = false;
        drawClockAndStatistics();
        headless::Frame f = headless::readFrame();
        EXPECT_TRUE(near(pixel(f, 282, 7), c.colour, 1)) << "clock " << c.roundClock << ": " << str(pixel(f, 282, 7));
        InkRun run = inkRun(f, 270, 7, Black, 11);
        EXPECT_EQ(run.begin, 280) << c.text;
        EXPECT_EQ(run.end, 280 + static_cast<int>(testTextWidth(c.text, 1.0f))) << c.text;
    }
}

TEST_F(OverlaysTest, ClockStandsStillAtTheTimeLeftAtTheFinish)
{
    LevelCount = 2;
    LevelTimes = {32.66f, 225.0f};
    LevelNumber = 1;
    LevelFinished = true;
    RoundClock = 5.0f; // the clock runs on after the finish; the display does not
    OptionStatistics = false;
    clearFrame(0, 0, 0);
    drawClockAndStatistics();
    headless::Frame f = headless::readFrame();
    float t = 45.0f - 32.66f;
    Rgb want{static_cast<int>(std::lround((1 - t / 45) * 255)), static_cast<int>(std::lround(t / 45 * 255)), 0};
    EXPECT_TRUE(near(pixel(f, 282, 7), want, 1)) << str(pixel(f, 282, 7));
    EXPECT_FLOAT_EQ(TheFont.penX, 280.0f + testTextWidth("12.34", 1.0f)) << "shows 12.34";
}

TEST_F(OverlaysTest, FinishedWithoutABookedLevelFallsBackToTheClock)
{
    LevelTimes.clear();
    LevelNumber = 3;
    LevelFinished = true;
    RoundClock = 10.0f;
    OptionStatistics = false;
    drawClockAndStatistics();
    EXPECT_FLOAT_EQ(TheFont.penX, 280.0f + testTextWidth("10.00", 1.0f));
}

TEST_F(OverlaysTest, StatisticsLinesComeAndGoWithTheOption)
{
    ShownFps = 57;
    ShownPps = 12345;
    LevelFinished = false;
    RoundClock = 30.0f;
    for (bool on : {true, false}) {
        OptionStatistics = on;
        clearFrame(0, 0, 0);
        drawClockAndStatistics();
        headless::Frame f = headless::readFrame();
        Rgb want = on ? White : Black;
        EXPECT_TRUE(near(pixel(f, 1, 6), want, 0)) << "FPS line, statistics " << on;
        EXPECT_TRUE(near(pixel(f, 1, 19), want, 0)) << "PPS line, statistics " << on;
        EXPECT_FALSE(near(pixel(f, 282, 7), Black, 8)) << "the clock stays, statistics " << on;
    }
    // The second line starts at x 0 and holds "PPS: 12345" at scale 13/33.
    OptionStatistics = true;
    clearFrame(0, 0, 0);
    drawClockAndStatistics();
    headless::Frame f = headless::readFrame();
    float scale = 0.3939394f;
    InkRun pps = inkRun(f, 0, 19, Black, 11);
    EXPECT_EQ(pps.begin, 0);
    EXPECT_NEAR(pps.end, testTextWidth("PPS: 12345", scale), 1.0);
    InkRun fps = inkRun(f, 0, 6, Black, 11);
    EXPECT_NEAR(fps.end, testTextWidth("FPS: 57", scale), 1.0);
}

} // namespace
