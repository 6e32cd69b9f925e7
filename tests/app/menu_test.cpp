// SPDX-License-Identifier: MIT
// The menu as a player drives it: both pages, the wrap within each page, the "Far Sight" skip while
// fog is on, Esc from every line, the equivalence of Enter, Right and Left with their cues, and taps.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/touch.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

using testsupport::countCue;
using testsupport::describeCues;
using testsupport::GameDriver;

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.start()) << testsupport::describeMessageBoxes(); }

    // Esc opens the main page; "Options" is two lines down.
    void openOptionsPage() { game.press({VkEscape, VkDown, VkDown, VkEnter}); }

    GameDriver game;
};

struct NavigationCase {
    const char* what;
    std::vector<int> keys; // pressed on the title screen, one after another
    bool fogOn;
    int expectedItem;
};

TEST(MenuNavigation, UpAndDownWrapWithinEachPageAndSkipFarSightWhileFogged)
{
    const std::vector<NavigationCase> cases = {
        {"Esc opens on NeW Game", {VkEscape}, true, MenuNewGame},
        {"Up from NeW Game wraps to Quit", {VkEscape, VkUp}, true, MenuQuit},
        {"Down from Quit wraps to NeW Game", {VkEscape, VkUp, VkDown}, true, MenuNewGame},
        {"three Downs reach Quit", {VkEscape, VkDown, VkDown, VkDown}, true, MenuQuit},
        {"Options opens on Statistics", {VkEscape, VkDown, VkDown, VkEnter}, true, MenuStatistics},
        {"Up from Statistics wraps to Done", {VkEscape, VkDown, VkDown, VkEnter, VkUp}, true, MenuDone},
        {"Down from Done wraps to Statistics", {VkEscape, VkDown, VkDown, VkEnter, VkUp, VkDown}, true, MenuStatistics},
        {"fog on: Down from Fog skips to Normal",
         {VkEscape, VkDown, VkDown, VkEnter, VkDown, VkDown},
         true,
         MenuNormal},
        {"fog on: Up from Normal skips to Fog",
         {VkEscape, VkDown, VkDown, VkEnter, VkDown, VkDown, VkUp},
         true,
         MenuFog},
        {"fog off: Down from Fog rests on Far Sight",
         {VkF5, VkEscape, VkDown, VkDown, VkEnter, VkDown, VkDown},
         false,
         MenuFarSight},
        {"fog off: Up from Normal rests on Far Sight",
         {VkF5, VkEscape, VkDown, VkDown, VkEnter, VkDown, VkDown, VkDown, VkUp},
         false,
         MenuFarSight},
        {"Done leads back to Options", {VkEscape, VkDown, VkDown, VkEnter, VkUp, VkEnter}, true, MenuOptions},
    };
    for (const NavigationCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameDriver fresh;
        ASSERT_TRUE(fresh.start());
        for (int key : c.keys)
            fresh.press(key);
        EXPECT_TRUE(MenuShown);
        EXPECT_EQ(OptionFog, c.fogOn);
        EXPECT_EQ(MenuItem, c.expectedItem);
    }
}

TEST_F(MenuTest, EscOnAnyOptionsLineReturnsToNeWGameWithTheMenuStillOpen)
{
    game.press(VkF5); // fog off, so that every options line can be highlighted
    for (int line = MenuStatistics; line <= MenuDone; ++line) {
        SCOPED_TRACE("options line " + std::to_string(line));
        openOptionsPage();
        while (MenuItem != line)
            game.press(VkDown);
        game.press(VkEscape);
        EXPECT_TRUE(MenuShown);
        EXPECT_EQ(MenuItem, MenuNewGame);
        EXPECT_TRUE(Paused) << "the menu is still open, so play stays paused";
        game.press(VkEscape); // closes the main page again
    }
}

TEST_F(MenuTest, EscOpensAndClosesTheMainPageAndPausesWhileOpen)
{
    game.press(VkEscape);
    EXPECT_TRUE(MenuShown);
    EXPECT_TRUE(Paused);
    EXPECT_EQ(MenuItem, MenuNewGame);
    for (int line = MenuNewGame; line <= MenuQuit; ++line) {
        SCOPED_TRACE("main line " + std::to_string(line));
        while (MenuItem != line)
            game.press(VkDown);
        game.press(VkEscape);
        EXPECT_FALSE(MenuShown);
        EXPECT_FALSE(Paused);
        game.press(VkEscape);
        EXPECT_EQ(MenuItem, MenuNewGame) << "Esc always reopens on NeW Game";
    }
}

TEST(MenuCues, EveryMenuKeyPlaysTheMenuCueOnceAndLeftTwiceThroughItsPostedEnter)
{
    struct CueCase {
        const char* what;
        int key;
        int expectedCues;
        int expectedItem;
    };
    // On "Options": Enter, Right and Left all open the options page.
    const std::vector<CueCase> cases = {
        {"Enter", VkEnter, 1, MenuStatistics},
        {"Right posts Enter", VkRight, 1, MenuStatistics},
        {"Left posts Enter", VkLeft, 2, MenuStatistics},
        {"Up", VkUp, 1, MenuHighScore},
        {"Down", VkDown, 1, MenuQuit},
        {"Esc", VkEscape, 1, MenuOptions},
    };
    for (const CueCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameDriver fresh;
        ASSERT_TRUE(fresh.start());
        fresh.press({VkEscape, VkDown, VkDown});
        headless::clearRecords();
        fresh.press(c.key);
        EXPECT_EQ(countCue("menu.wav"), c.expectedCues) << describeCues();
        EXPECT_EQ(headless::cues().size(), static_cast<size_t>(c.expectedCues)) << describeCues();
        if (c.key == VkEscape)
            EXPECT_FALSE(MenuShown);
        else
            EXPECT_EQ(MenuItem, c.expectedItem);
    }
}

TEST_F(MenuTest, ArrowsAndEnterWithTheMenuHiddenDoNothingAndPlayNothing)
{
    for (int key : {VkEnter, VkLeft, VkRight, VkUp, VkDown}) {
        SCOPED_TRACE("key " + std::to_string(key));
        headless::clearRecords();
        game.press(key);
        EXPECT_FALSE(MenuShown);
        EXPECT_EQ(MenuItem, MenuNewGame);
        EXPECT_EQ(GameState, Title);
        EXPECT_TRUE(headless::cues().empty()) << describeCues();
    }
    game.press(VkRight);
    EXPECT_EQ(LastKey, VkEnter) << "Right posts Enter even with the menu hidden";
}

TEST_F(MenuTest, PostedEnterComesAfterInputAlreadyQueued)
{
    // Right is handled with Down already waiting: Down moves the highlight first, so the posted Enter
    // chooses "HIGHSCORE", not "NeW Game".
    game.press(VkEscape);
    headless::pushKey(VkRight);
    headless::pushKey(VkDown);
    game.runUntilIdle();
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_FALSE(MenuShown) << "HIGHSCORE posts Esc, which closes the menu";
    EXPECT_FALSE(Paused);
}

TEST_F(MenuTest, EnterActsAtOnceBeforeInputQueuedBehindIt)
{
    // With Down queued behind Enter, "NeW Game" is what starts; Down then finds the menu closed.
    game.press(VkEscape);
    headless::pushKey(VkEnter);
    headless::pushKey(VkDown);
    game.runUntilIdle();
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(LevelNumber, 1);
    EXPECT_FALSE(MenuShown);
    EXPECT_EQ(MenuItem, MenuNewGame);
}

TEST_F(MenuTest, ATapOpensTheMenuAndChoosesTheLineUnderItAndTheTouchBarGivesItsActions)
{
    auto tap = [&](float y) {
        platform::postMessage(TapMessage, 320, static_cast<int64_t>(y));
        game.runUntilIdle();
    };
    const float line = TheFont.lineHeight();
    ASSERT_GT(line, 0.0f);
    tap(240.0f);
    EXPECT_TRUE(MenuShown) << "a tap on the title opens the menu";
    EXPECT_EQ(MenuItem, MenuNewGame);
    tap(150.0f);
    EXPECT_EQ(MenuItem, MenuNewGame) << "above the first line";
    tap(160.0f + 2.5f * line);
    EXPECT_EQ(MenuItem, MenuStatistics) << "\"Options\" opens the options page";
    tap(120.0f + 2.5f * line);
    EXPECT_EQ(MenuItem, MenuStatistics) << "\"Far Sight\" cannot be chosen while fog is on";
    EXPECT_FALSE(OptionFarSight);
    tap(120.0f + 1.5f * line);
    EXPECT_EQ(MenuItem, MenuFog);
    EXPECT_FALSE(OptionFog) << "\"Fog\" switches fog";
    tap(120.0f + 7.5f * line);
    EXPECT_EQ(MenuItem, MenuFog) << "below the last line";
    tap(120.0f + 6.5f * line);
    EXPECT_EQ(MenuItem, MenuOptions) << "\"Done\" returns to the main page";

    platform::postMessage(TouchButtonMessage, static_cast<uint64_t>(TouchButton::Fog));
    platform::postMessage(TouchButtonMessage, TouchButtonCount);
    game.runUntilIdle();
    EXPECT_TRUE(OptionFog) << "the touch bar's fog, and nothing for a button it does not have";
    EXPECT_TRUE(MenuShown);
    platform::postMessage(TouchButtonMessage, static_cast<uint64_t>(TouchButton::Menu));
    game.runUntilIdle();
    EXPECT_FALSE(MenuShown);
    tap(160.0f);
    tap(160.0f + 0.5f * line);
    EXPECT_FALSE(MenuShown) << "\"NeW Game\" starts a game";
    EXPECT_EQ(GameState, Playing);
}

TEST_F(MenuTest, CameraLagCyclesBothWaysThroughZeroAndNine)
{
    game.press(VkF5);
    openOptionsPage();
    while (MenuItem != MenuCameraLag)
        game.press(VkDown);
    ASSERT_EQ(OptionCameraLag, 6.0f);
    struct LagStep {
        int key;
        float expected;
    };
    const std::vector<LagStep> steps = {
        {VkLeft, 5.0f}, {VkLeft, 4.0f},  {VkLeft, 3.0f},  {VkLeft, 2.0f}, {VkLeft, 1.0f}, {VkLeft, 0.0f},
        {VkLeft, 9.0f}, {VkRight, 0.0f}, {VkEnter, 1.0f}, {VkLeft, 0.0f}, {VkLeft, 9.0f}, {VkEnter, 0.0f},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        headless::clearRecords();
        game.press(steps[i].key);
        EXPECT_EQ(OptionCameraLag, steps[i].expected) << "step " << i;
        EXPECT_EQ(countCue("menu.wav"), 1) << "step " << i << ": Left on Camera Lag posts no Enter";
        EXPECT_EQ(MenuItem, MenuCameraLag);
    }
}

TEST_F(MenuTest, OptionLinesSwitchTheirOptionsThroughTheirKeys)
{
    openOptionsPage();
    game.press(VkEnter); // Statistics
    EXPECT_FALSE(OptionStatistics);
    game.press(VkRight);
    EXPECT_TRUE(OptionStatistics);

    game.press(VkDown); // Fog
    game.press(VkEnter);
    EXPECT_FALSE(OptionFog);

    game.press(VkDown); // Far Sight, reachable now that fog is off
    ASSERT_EQ(MenuItem, MenuFarSight);
    game.press(VkEnter);
    EXPECT_TRUE(OptionFarSight);

    game.press(VkDown); // Normal
    game.press(VkLeft);
    EXPECT_TRUE(OptionNormal);

    game.press({VkDown, VkDown}); // MIDI
    ASSERT_EQ(MenuItem, MenuMidi);
    game.press(VkEnter);
    EXPECT_FALSE(OptionMidi);

    game.press({VkUp, VkUp, VkUp, VkUp}); // back on Fog
    ASSERT_EQ(MenuItem, MenuFog);
    game.press(VkEnter);
    EXPECT_TRUE(OptionFog);
    EXPECT_FALSE(OptionFarSight) << "turning fog on switches far sight off";
}

} // namespace
