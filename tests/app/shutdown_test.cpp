// SPDX-License-Identifier: MIT
// Leaving the game: the window's close button and the menu's "Quit" shut down in order (context,
// drawing surface, halt, music, focus, quit with exit code 0); only "Quit" writes the best times; and
// nothing queued behind the shutdown draws or acts.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/startup.h"
#include "app/window_proc.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "sound/sound.h"
#include "support/game_driver.h"

using testsupport::describeMusic;
using testsupport::GameDriver;

namespace {

void expectShutDown(GameDriver& game)
{
    EXPECT_TRUE(game.runToQuit(10)) << "the quit message follows the shutdown";
    EXPECT_EQ(game.exitCode(), 0);
    EXPECT_FALSE(platform::hasGlContext()) << "the GL context is deleted";
    EXPECT_TRUE(Halted);
    EXPECT_FALSE(HasFocus);
    EXPECT_FALSE(MidiPlaying);
}

TEST(Shutdown, TheCloseButtonShutsDownWithoutWritingTheBestTimes)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    ASSERT_TRUE(MidiPlaying);
    uint32_t track = headless::playingMusicId();
    ASSERT_NE(track, 0u);

    headless::pushMessage(CloseMessage);
    game.runUntilIdle();
    ASSERT_FALSE(headless::musicRecords().empty());
    EXPECT_EQ(headless::musicRecords().back().action, "close") << describeMusic();
    EXPECT_EQ(headless::musicRecords().back().id, track) << describeMusic();
    EXPECT_EQ(headless::playingMusicId(), 0u) << "the music stops at shutdown";
    expectShutDown(game);
    EXPECT_FALSE(game.fileExists("highScore.dat")) << "only the menu's Quit saves the table";
}

TEST(Shutdown, QuitFromTheMenuWritesTheBestTimesThenShutsDown)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press({VkEscape, VkUp});
    ASSERT_EQ(MenuItem, MenuQuit);
    headless::pushKey(VkEnter);
    expectShutDown(game);
    ASSERT_TRUE(game.fileExists("highScore.dat"));
    EXPECT_NE(game.readFile("highScore.dat").find("aaa"), std::string::npos)
        << "the default table is saved: " << game.readFile("highScore.dat");
}

TEST(Shutdown, TheWholeProgramEndsWithExitCodeZeroWhenTheWindowIsClosed)
{
    // The entry's sequence: create, show, loop. The close arrives after the first paint.
    GameDriver game;
    ASSERT_TRUE(game.start());
    headless::pushMessage(CloseMessage);
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_GE(headless::swapCount(), 1) << "the first paint drew the title screen";
}

TEST(Shutdown, NothingQueuedBehindTheShutdownDrawsOrActs)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press({VkEscape, VkDown, VkDown, VkEnter}); // options page: the menu is open
    headless::clearRecords();

    headless::pushMessage(DestroyMessage);
    headless::pushMessage(TickMessage);
    headless::pushMessage(PaintMessage);
    headless::pushKey(VkEscape);
    headless::pushMessage(StartLevelMessage);
    headless::pushKey(VkF6);
    game.runUntilIdle();

    EXPECT_EQ(headless::swapCount(), 0) << "no frame is drawn with the deleted context";
    EXPECT_TRUE(headless::cues().empty()) << "the Esc behind the shutdown played its cue";
    EXPECT_EQ(LevelNumber, -1) << "no level was started";
    EXPECT_TRUE(headless::musicRecords().empty()) << describeMusic();
    EXPECT_TRUE(MenuShown);
    EXPECT_TRUE(WindowClosed);
    EXPECT_TRUE(game.quitTaken()) << "the quit message posted by the shutdown still ends the loop";
}

} // namespace
