// SPDX-License-Identifier: MIT
// Start-up inside window creation: what a complete data folder gives, and every failure with exactly
// its message boxes, in order, followed by the end of the program.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "level/map_list.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "support/game_driver.h"

using headless::MessageBoxRecord;
using testsupport::describeMessageBoxes;
using testsupport::GameDriver;

namespace {

bool sameBoxes(const std::vector<MessageBoxRecord>& expected)
{
    const std::vector<MessageBoxRecord>& shown = headless::messageBoxes();
    if (shown.size() != expected.size())
        return false;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i].text != expected[i].text || shown[i].caption != expected[i].caption ||
            shown[i].owned != expected[i].owned)
            return false;
    }
    return true;
}

TEST(Startup, ACompleteDataFolderStartsOnTheHaltedTitleScreen)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(headless::messageBoxes().empty()) << describeMessageBoxes();
    EXPECT_TRUE(platform::hasGlContext());
    EXPECT_EQ(LevelCount, 3);
    EXPECT_TRUE(TheFont.loaded);
    EXPECT_EQ(GameState, Title);
    EXPECT_TRUE(Halted);
    EXPECT_TRUE(headless::timerRunning());
    EXPECT_TRUE(headless::windowShown());

    headless::GlState gl = headless::glState();
    EXPECT_EQ(gl.clearDepth, 0.0);
    EXPECT_EQ(gl.fogHint, "GL_FASTEST");

    // The first pass paints the title; no quit follows.
    game.pass();
    EXPECT_EQ(headless::swapCount(), 1);
    for (int i = 0; i < 5; ++i)
        game.tick(0.1);
    EXPECT_FALSE(game.quitTaken());
    EXPECT_EQ(GameState, Title);
}

struct FailureCase {
    const char* what;
    const char* removeFile;  // taken out of the data folder, or null
    const char* replaceName; // rewritten with replaceText, or null
    const char* replaceText;
    std::vector<MessageBoxRecord> expected;
    bool fontRead; // whether the font load was reached and succeeded
};

TEST(Startup, EachLoadFailureShowsItsMessagesInOrderAndEndsTheProgram)
{
    const MessageBoxRecord initFailed{"initialization failed", "Error", true};
    const MessageBoxRecord mapData{"could not initialize map data", "Error", true};
    const MessageBoxRecord fonts{"could not initialize fonts", "Error", true};
    const std::vector<FailureCase> cases = {
        {"no maplist.dat", "maplist.dat", nullptr, nullptr, {mapData, initFailed}, false},
        {"a map list of no levels", nullptr, "maplist.dat", "0", {mapData, initFailed}, false},
        {"a map list naming two of its three levels",
         nullptr,
         "maplist.dat",
         "3\nlevel1.map\nlevel2.map",
         {mapData, initFailed},
         false},
        {"no font_3.bmp", "font_3.bmp", nullptr, nullptr, {{"font_3.bmp", "error", false}, fonts, initFailed}, false},
        {"no font_0.bmp", "font_0.bmp", nullptr, nullptr, {{"font_0.bmp", "error", false}, fonts, initFailed}, false},
        {"no font.dat", "font.dat", nullptr, nullptr, {fonts, initFailed}, false},
        {"a damaged font.dat", nullptr, "font.dat", "33 126 ! 0 0", {fonts, initFailed}, false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameDriver game;
        if (c.removeFile)
            game.removeFile(c.removeFile);
        if (c.replaceName)
            game.writeFile(c.replaceName, c.replaceText);
        ASSERT_TRUE(game.start()) << "a start-up failure does not stop window creation";
        EXPECT_TRUE(sameBoxes(c.expected)) << describeMessageBoxes();
        EXPECT_EQ(TheFont.loaded, c.fontRead);
        EXPECT_TRUE(headless::timerRunning()) << "the timer is started even after a failure";
        EXPECT_TRUE(game.runToQuit(10)) << "the quit message ends the loop within its first passes";
        EXPECT_EQ(game.exitCode(), StartupFailedExitCode) << "a failed start-up is no normal quit";
        EXPECT_EQ(GameState, Title);
    }
}

TEST(Startup, AnEmptyFolderStopsAtTheMapListWithExactlyTwoMessages)
{
    GameDriver game(GameDriver::Data::Empty);
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(sameBoxes({{"could not initialize map data", "Error", true}, {"initialization failed", "Error", true}}))
        << describeMessageBoxes();
    EXPECT_TRUE(game.runToQuit(10));
    EXPECT_EQ(game.exitCode(), StartupFailedExitCode);
    EXPECT_FALSE(game.fileExists("highScore.dat")) << "a failed start-up writes nothing";
}

TEST(Startup, ADamagedBestTimesFileFallsBackToTheDefaultTable)
{
    GameDriver game;
    game.writeFile("highScore.dat", "12.5 abc nonsense");
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(headless::messageBoxes().empty()) << describeMessageBoxes();
    EXPECT_EQ(HighScores[0].name, "aaa");
    EXPECT_EQ(HighScores[9].time, 225.0f);
    EXPECT_FALSE(game.runToQuit(20)) << "the game runs on";
}

TEST(Startup, APixelFormatFailureShowsItsMessagesPostsQuitAndTheLoadsStillRun)
{
    struct PixelCase {
        const char* what;
        platform::PixelFormatResult failure;
        std::vector<MessageBoxRecord> expected; // the system text is filled in below
    };
    const std::vector<PixelCase> cases = {
        {"no matching format",
         platform::PixelFormatResult::NoMatch,
         {{"", "ChoosePixelFormat failed GetLastError", false}}},
        {"a format that needs a palette",
         platform::PixelFormatResult::NeedsPalette,
         {{"Needs palette", "Error", false}}},
        {"a format that cannot be set",
         platform::PixelFormatResult::SetFailed,
         {{"", "GetLastError", false}, {"SetPixelFormat failed", "Error", false}}},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameDriver game;
        headless::failPixelFormat(c.failure);
        ASSERT_TRUE(game.start());
        std::vector<MessageBoxRecord> expected = c.expected;
        for (MessageBoxRecord& box : expected) {
            if (box.text.empty())
                box.text = platform::lastErrorText();
        }
        EXPECT_FALSE(platform::lastErrorText().empty()) << "the system's text for the failure";
        EXPECT_TRUE(sameBoxes(expected)) << describeMessageBoxes();
        EXPECT_EQ(LevelCount, 3) << "the map list is still read";
        EXPECT_TRUE(TheFont.loaded) << "the font is still read";
        EXPECT_TRUE(game.runToQuit(10));
        EXPECT_EQ(game.exitCode(), StartupFailedExitCode);
        headless::failPixelFormat(platform::PixelFormatResult::Ok);
    }
}

TEST(Startup, NoWindowMeansNoStartUpAndNoMessage)
{
    GameDriver game;
    headless::failWindowCreation(true);
    EXPECT_FALSE(game.start());
    EXPECT_TRUE(headless::messageBoxes().empty()) << describeMessageBoxes();
    EXPECT_EQ(LevelCount, 0);
    headless::failWindowCreation(false);
}

} // namespace
