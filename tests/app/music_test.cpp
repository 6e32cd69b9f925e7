// SPDX-License-Identifier: MIT
// The music track: opened at a new game, switched off and on by F6 during play, only remembered when
// switched on outside play, closed by its end notice and by the shutdown.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "screen/game_state.h"
#include "sound/sound.h"
#include "support/game_driver.h"

using testsupport::describeMusic;
using testsupport::GameDriver;

namespace {

// The music requests as "open:<id>" / "close:<id>" words, checking that every open names the track.
std::vector<std::string> musicSteps()
{
    std::vector<std::string> steps;
    for (const headless::MusicRecord& record : headless::musicRecords()) {
        if (record.action == "open") {
            EXPECT_EQ(record.fileName, "mi_movie.mid");
        }
        steps.push_back(record.action + ":" + std::to_string(record.id));
    }
    return steps;
}

using Steps = std::vector<std::string>;

TEST(Music, ANewGameStartsTheTrackAndAnotherNewGameRestartsIt)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(musicSteps().empty()) << "no music on the title screen";
    game.startNewGame();
    EXPECT_EQ(musicSteps(), (Steps{"open:1"})) << describeMusic();
    EXPECT_TRUE(MidiPlaying);

    game.press(VkF1);
    EXPECT_EQ(musicSteps(), (Steps{"open:1"})) << "later levels keep the track playing";

    game.startNewGame();
    EXPECT_EQ(musicSteps(), (Steps{"open:1", "close:1", "open:2"})) << describeMusic();
    EXPECT_EQ(headless::playingMusicId(), 2u);
}

TEST(Music, F6SwitchesTheTrackOffAndOnAgainFromItsBeginningWhilePlaying)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.press(VkF6);
    EXPECT_FALSE(OptionMidi);
    EXPECT_FALSE(MidiPlaying);
    EXPECT_EQ(headless::playingMusicId(), 0u) << "the music stops at once";
    game.press(VkF6);
    EXPECT_TRUE(OptionMidi);
    EXPECT_TRUE(MidiPlaying);
    EXPECT_EQ(musicSteps(), (Steps{"open:1", "close:1", "open:2"})) << describeMusic();

    // Through the menu line too, which posts F6 (the menu pauses, but the switch still acts).
    game.press(VkEscape);
    game.press({VkDown, VkDown, VkEnter, VkUp, VkUp}); // options page, up to MIDI
    ASSERT_EQ(MenuItem, MenuMidi);
    game.press(VkEnter);
    EXPECT_FALSE(MidiPlaying);
    EXPECT_EQ(musicSteps().back(), "close:2") << describeMusic();
}

TEST(Music, SwitchingMusicOnOutsidePlayOnlyRemembersTheOption)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.press({VkF6, VkF6});
    EXPECT_TRUE(OptionMidi);
    EXPECT_TRUE(musicSteps().empty()) << describeMusic();

    game.press(VkF6); // off
    game.startNewGame();
    EXPECT_TRUE(musicSteps().empty()) << "with MIDI off a new game is silent: " << describeMusic();
    game.press({VkEscape, VkDown, VkEnter}); // HIGHSCORE
    ASSERT_EQ(GameState, BestTimes);
    game.press(VkF6);
    EXPECT_TRUE(musicSteps().empty()) << "the best-times screen is not play: " << describeMusic();
    game.press(VkSpace);
    game.startNewGame();
    EXPECT_EQ(musicSteps(), (Steps{"open:1"})) << describeMusic();
}

TEST(Music, TheEndNoticeClosesTheTrackAndItStaysSilentUntilTheNextNewGame)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    headless::finishMusic();
    game.runUntilIdle();
    EXPECT_FALSE(MidiPlaying);
    EXPECT_EQ(musicSteps(), (Steps{"open:1", "close:1"})) << describeMusic();

    game.press(VkF1);
    game.tick(0.5);
    EXPECT_EQ(musicSteps().size(), 2u) << "the track is not looped: " << describeMusic();

    // A notice that arrives when nothing is playing changes nothing.
    headless::pushMessage(MusicNoticeMessage, 1, 1);
    game.runUntilIdle();
    EXPECT_EQ(musicSteps().size(), 2u) << describeMusic();
}

TEST(Music, ALateNoticeOfAReplacedTrackDoesNotStopTheNewOne)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    game.startNewGame(); // the first track (1) is replaced by a second (2)
    headless::pushMessage(MusicNoticeMessage, 1, 1);
    game.runUntilIdle();
    EXPECT_TRUE(MidiPlaying);
    EXPECT_EQ(headless::playingMusicId(), 2u);
    EXPECT_EQ(musicSteps(), (Steps{"open:1", "close:1", "open:2"})) << describeMusic();
}

TEST(Music, AFailedOpenStillCountsAsPlayingAndItsCloseDoesNothing)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    headless::failMusicOpen(true);
    game.startNewGame();
    EXPECT_TRUE(MidiPlaying) << "the flag follows the request, not the device";
    EXPECT_EQ(headless::playingMusicId(), 0u);
    headless::failMusicOpen(false);

    game.press(VkF6);
    EXPECT_FALSE(MidiPlaying);
    EXPECT_EQ(headless::playingMusicId(), 0u);
    game.press(VkF6);
    EXPECT_TRUE(MidiPlaying);
    EXPECT_NE(headless::playingMusicId(), 0u) << "switching on again while playing opens the track";
}

TEST(Music, TheShutdownClosesThePlayingTrack)
{
    GameDriver game;
    ASSERT_TRUE(game.start());
    game.startNewGame();
    headless::pushMessage(CloseMessage);
    game.runUntilIdle();
    EXPECT_EQ(musicSteps(), (Steps{"open:1", "close:1"})) << describeMusic();
    EXPECT_TRUE(game.quitTaken());
}

} // namespace
