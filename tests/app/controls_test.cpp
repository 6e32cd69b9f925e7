// SPDX-License-Identifier: MIT
// The player's controls through whole games: rebound keys steer and the old ones stop, a run steered
// with them verifies with the level tool, bindings, levels and the push mode come back after a restart,
// the menu's lines act whatever the keys, toggled push drives the marble as a held Shift does, and a
// settings file's bad lines are reported by number while the good ones are kept; the pad steers by its
// own bindings and fullscreen is an action.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_reset.h"
#include "app/settings.h"
#include "controls/controls.h"
#include "controls/controls_page.h"
#include "platform/headless/headless.h"
#include "platform/pad_map.h"
#include "replay/file_hash.h"
#include "scores/level_records.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/draw_fixture.h"
#include "support/game_driver.h"
#include "support/run_command.h"

using testsupport::GameDriver;
using testsupport::holdKeys;
using testsupport::runCommand;

namespace {

constexpr uint64_t CountsPerSecond = 60;
constexpr uint64_t CountdownCounts = 30;
constexpr uint64_t RunCounts = 2;
const char* const SettingsName = "settings";

// The game as a fresh start finds it: every room reset, then the settings file read as main does.
void startWithSettings(GameDriver& game)
{
    resetGame();
    headless::reset();
    headless::setCounterFrequency(CountsPerSecond);
    TheSettings.path = (game.folder() / SettingsName).string();
    readSettings();
    ASSERT_TRUE(game.start());
}

// A new game of the one flat level, through the countdown to the start signal.
void reachStartSignal(GameDriver& game)
{
    game.startNewGame();
    holdKeys("");
    while (GameState == Playing && RoundClock > PlayingSeconds)
        game.tickCounts(CountdownCounts);
}

void hold(std::initializer_list<int> keys)
{
    headless::releaseAllKeys();
    for (int key : keys)
        headless::setKeyDown(key, true);
}

TEST(Controls, ReboundKeysSteerTheOldOnesNoLongerDoAndTheRunVerifies)
{
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, "bind up W\nbind push J\n");
    startWithSettings(game);
    reachStartSignal(game);
    Vec3 start = TheMarble.position;
    hold({VkUp, VkShift});
    for (int tick = 0; tick < 30; ++tick)
        game.tickCounts(RunCounts);
    EXPECT_EQ(TheMarble.position.x, start.x);
    EXPECT_EQ(TheMarble.position.z, start.z) << "the arrow still steers after up was bound to W";

    hold({'W', 'J'});
    int ticks = 0;
    while (GameState == Playing && LevelNumber == 1 && ticks++ < 60 * 30)
        game.tickCounts(RunCounts);
    hold({});
    ASSERT_FALSE(LevelTimes.empty());
    ASSERT_LT(LevelTimes[0], PlayingSeconds) << "W and J did not steer the marble to the finish";

    std::string replay = "records/" + levelReplayFileName("level1.map", sha256Hex(game.readFile("level1.map")));
    ASSERT_TRUE(game.fileExists(replay));
    int status = -1;
    std::string out = runCommand(std::string("'") + ROLIQUO_BINARY_DIR + "/roliquo-level' verify --data '" +
                                     game.folder().string() + "' '" + (game.folder() / replay).string() + "' 2>&1",
                                 status);
    EXPECT_EQ(status, 0) << out;
}

// The marble's sideways travel over half a second of steering.
float sidewaysTravel(GameDriver& game)
{
    float x = TheMarble.position.x;
    for (int tick = 0; tick < 15; ++tick)
        game.tickCounts(RunCounts);
    return TheMarble.position.x - x;
}

TEST(Controls, ThePadKeepsSteeringWhenTheKeyboardIsReboundAndLosesWhatItsOwnBindMoves)
{
    constexpr int DpadLeft = static_cast<int>(PadButton::DpadLeft) + 1;
    constexpr int DpadRight = static_cast<int>(PadButton::DpadRight) + 1;
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, "bind left A\nbind right pad:x\n");
    startWithSettings(game);
    reachStartSignal(game);
    headless::setPadButtonDown(DpadRight, true);
    EXPECT_EQ(sidewaysTravel(game), 0.0f) << "the d-pad still steers right after right went to pad:x";
    headless::releaseAllKeys();
    headless::setPadButtonDown(DpadLeft, true);
    EXPECT_LT(sidewaysTravel(game), 0.0f) << "the d-pad stopped steering left when left went to A";
    headless::releaseAllKeys();
}

TEST(Controls, FullscreenIsAnActionOnEveryScreen)
{
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, "bind fullscreen F9\n");
    startWithSettings(game);
    game.press(VkF11);
    EXPECT_FALSE(platform::windowPlacement().fullscreen) << "F11 still switches after fullscreen went to F9";
    game.press(VkF9);
    EXPECT_TRUE(platform::windowPlacement().fullscreen);
    game.press({VkEscape, VkF9});
    EXPECT_FALSE(platform::windowPlacement().fullscreen) << "the menu open";
    game.press({VkEscape, VkF8, VkF9});
    EXPECT_TRUE(TheControls.page.shown);
    EXPECT_TRUE(platform::windowPlacement().fullscreen) << "on the controls page";
    // Waiting for a press to bind, F9 is that press (taken from fullscreen on the second).
    game.press({VkEnter, VkF9, VkF9});
    EXPECT_TRUE(platform::windowPlacement().fullscreen);
    EXPECT_EQ(TheControls.keys[static_cast<size_t>(Action::Up)][0], VkF9);
    closeControlsPage();
}

// The title's lower-right corner as shown: the bytes of the rows the controls hint sits on.
std::vector<uint8_t> hintCorner()
{
    const headless::Frame& f = headless::lastSwapped();
    std::vector<uint8_t> corner;
    for (int y = 455; y < 480; ++y)
        for (int x = 440; x < 640; ++x)
            corner.insert(corner.end(), f.at(x, y), f.at(x, y) + 3);
    return corner;
}

TEST(Controls, TheTitlesHintIsPartOfItsPictureAndFollowsTheBinding)
{
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, "bind controls none\nbind controls pad:none\n");
    startWithSettings(game);
    game.tick();
    std::vector<uint8_t> plain = hintCorner();

    // F9 bound on the controls page (opened through its action, as its keys are gone): the hint
    // appears, composed into the picture, so the title is still its one copy.
    postAction(Action::OpenControls);
    game.runUntilIdle();
    ASSERT_TRUE(TheControls.page.shown);
    TheControls.page.line = static_cast<int>(Action::OpenControls);
    game.press({VkEnter, VkF9, VkEscape});
    ASSERT_FALSE(TheControls.page.shown);
    game.tick();
    std::vector<uint8_t> hinted = hintCorner();
    EXPECT_NE(hinted, plain) << "no hint after controls was bound to F9";

    // Another key: the picture is read afresh under the new hint, not drawn over the old one.
    game.press(VkF9);
    ASSERT_TRUE(TheControls.page.shown) << "F9 opens the page now";
    TheControls.page.line = static_cast<int>(Action::OpenControls);
    game.press({VkEnter, VkF10, VkEscape});
    game.tick();
    std::vector<uint8_t> rebound = hintCorner();
    EXPECT_NE(rebound, hinted);
    startWithSettings(game);
    game.tick();
    EXPECT_EQ(hintCorner(), rebound) << "F10's hint differs after a restart with it";
}

TEST(Controls, BindingsLevelsAndPushModeComeBackAfterARestartAndTheMenuStillActs)
{
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, "volume music 3\nvolume cues 0\nbind fog F9\nshift toggle\nghost off\n");
    startWithSettings(game);
    EXPECT_EQ(headless::soundLevels().music, 38) << "level 3 of 10 on the mixer's 0..128";
    EXPECT_EQ(headless::soundLevels().cues, 0);

    bool fog = OptionFog;
    game.press(VkF5);
    EXPECT_EQ(OptionFog, fog) << "F5 still switches the fog after it was bound to F9";
    game.press(VkF9);
    EXPECT_NE(OptionFog, fog);
    // The menu's Fog line: Esc, "Options", its first line, then the line below.
    game.press({VkEscape, VkDown, VkDown, VkEnter, VkDown, VkEnter});
    EXPECT_EQ(OptionFog, fog) << "the Fog line acts whatever key fog is on";

    // A rewrite keeps every line it knows.
    game.press(VkF7);
    std::string written = game.readFile(SettingsName);
    for (const char* line : {"bind fog F9\n", "volume music 3\n", "volume cues 0\n", "shift toggle\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line << " was lost from\n" << written;

    startWithSettings(game);
    EXPECT_EQ(headless::soundLevels().music, 38);
    EXPECT_EQ(headless::soundLevels().cues, 0);
    EXPECT_TRUE(TheControls.pushToggles);
    fog = OptionFog;
    game.press(VkF9);
    EXPECT_NE(OptionFog, fog) << "F9 no longer switches the fog after a restart";
}

// The marble's path under two ways of pushing harder for 20 ticks, then 20 ticks of Up alone.
std::vector<Vec3> pushedPath(bool toggled)
{
    GameDriver game(GameDriver::Data::Small, 1);
    game.writeFile(SettingsName, toggled ? "shift toggle\n" : "");
    startWithSettings(game);
    reachStartSignal(game);
    std::vector<Vec3> path;
    if (toggled)
        game.press(VkShift);
    for (int tick = 0; tick < 40; ++tick) {
        if (toggled && tick == 10) { // the keyboard repeating the held key changes nothing
            headless::pushMessage(KeyDownMessage, VkShift, KeyRepeatFlag);
            game.runUntilIdle();
        }
        if (toggled && tick == 20)
            game.press(VkShift);
        if (toggled)
            hold({VkUp});
        else
            hold(tick < 20 ? std::initializer_list<int>{VkUp, VkShift} : std::initializer_list<int>{VkUp});
        game.tickCounts(RunCounts);
        path.push_back(TheMarble.position);
    }
    hold({});
    return path;
}

TEST(Controls, ToggledPushPushesHarderUntilPressedAgain)
{
    std::vector<Vec3> held = pushedPath(false);
    std::vector<Vec3> toggled = pushedPath(true);
    ASSERT_EQ(held.size(), toggled.size());
    for (size_t tick = 0; tick < held.size(); ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(toggled[tick].x, held[tick].x);
        EXPECT_EQ(toggled[tick].z, held[tick].z);
    }
}

// A pad press as the backend sends it: the key the button stands for, and the button.
void padPress(GameDriver& game, PadButton button)
{
    headless::pushMessage(KeyDownMessage, static_cast<uint64_t>(padButtonKey(button)), padPressParam(button));
    game.runUntilIdle();
}

TEST(ControlsPage, ATakenKeyNamesTheActionItLeavesAndMovesOnASecondPress)
{
    GameDriver game(GameDriver::Data::Small, 1);
    startWithSettings(game);
    game.press(VkF8);
    ASSERT_TRUE(TheControls.page.shown) << "F8 on the title opens the page";
    // The fog line: down from "up" past the actions before it.
    for (int i = 0; i < static_cast<int>(Action::Fog); ++i)
        game.press(VkDown);
    game.press(VkEnter);
    ASSERT_TRUE(TheControls.page.waiting);
    game.press(VkF2);
    EXPECT_EQ(pageStatusText(), "F2 would leave statistics: press it again to move it, Esc to keep it");
    game.tickCounts(1);
    drawtest::maybeScreenshot(headless::lastSwapped(), "controls_page");
    EXPECT_EQ(bindingText(Action::Fog, false), "F5") << "nothing moves before the second press";
    game.press(VkF2);
    EXPECT_FALSE(TheControls.page.waiting);
    EXPECT_EQ(bindingText(Action::Fog, false), "F2");
    EXPECT_EQ(bindingText(Action::Statistics, false), "-");

    // A pad binds the same way and gives up with Back; a key the page cannot bind is passed over.
    game.press(VkEnter);
    padPress(game, PadButton::Back);
    EXPECT_FALSE(TheControls.page.waiting) << "the pad's Back cancels a pending bind";
    EXPECT_TRUE(TheControls.page.shown);
    game.press(VkEnter);
    padPress(game, PadButton::North);
    EXPECT_EQ(pageStatusText(), "pad:y would leave title: press it again to move it, Esc to keep it");
    game.press(VkEscape);
    EXPECT_FALSE(TheControls.page.waiting);
    EXPECT_EQ(bindingText(Action::Fog, true), "-");

    // The levels, below the actions: the music two down, the cues to 0; the mixer follows at once.
    for (int line = static_cast<int>(Action::Fog); line < MusicLine; ++line)
        game.press(VkDown);
    ASSERT_EQ(TheControls.page.line, MusicLine);
    game.press({VkLeft, VkLeft, VkDown});
    for (int i = 0; i < MaxSoundLevel + 2; ++i)
        game.press(VkLeft);
    EXPECT_EQ(headless::soundLevels().music, 102) << "level 8 of 10";
    EXPECT_EQ(headless::soundLevels().cues, 0);

    game.press(VkEscape);
    EXPECT_FALSE(TheControls.page.shown);
    bool fog = OptionFog;
    game.press(VkF5);
    EXPECT_EQ(OptionFog, fog) << "F5 left the fog on the page";
    game.press(VkF2);
    EXPECT_NE(OptionFog, fog);

    startWithSettings(game);
    EXPECT_EQ(bindingText(Action::Fog, false), "F2") << game.readFile(SettingsName);
    EXPECT_EQ(bindingText(Action::Statistics, false), "-") << "the key taken away stays away";
    EXPECT_EQ(bindingText(Action::Title, true), "pad:y") << "the cancelled move left the button where it was";
    EXPECT_EQ(headless::soundLevels().music, 102);
    EXPECT_EQ(headless::soundLevels().cues, 0);

    game.press(VkF8);
    game.press({VkUp, VkEnter, VkEscape});
    EXPECT_EQ(bindingText(Action::Fog, false), "F5") << "reset to defaults";
    EXPECT_EQ(headless::soundLevels().music, headless::MixerFull);
}

TEST(Controls, BadSettingsLinesAreReportedByNumberAndTheOthersKept)
{
    resetControls();
    std::vector<std::string> errors = applySettingsText("bind up W\n"
                                                        "bind nothing X\n"
                                                        "# a comment\n"
                                                        "volume music 11\n"
                                                        "bind up a\n"
                                                        "bind up S\n"
                                                        "bind push left shift\n"
                                                        "bind menu pad:Y\n"
                                                        "bind down NoSuchKey\n"
                                                        "shift sometimes\n"
                                                        "frobnicate 3\n"
                                                        "volume cues 4\n");
    const std::vector<std::string> expected = {
        "line 2: no action is called nothing", "line 4: volume takes music or cues and a level 0 to 10",
        "line 6: a third key for up",          "line 9: no key or pad button is called NoSuchKey",
        "line 10: shift takes hold or toggle", "line 11: \"frobnicate 3\" means nothing",
    };
    EXPECT_EQ(errors, expected);
    const size_t up = static_cast<size_t>(Action::Up);
    EXPECT_EQ(TheControls.keys[up][0], 'W');
    EXPECT_EQ(TheControls.keys[up][1], 'A');
    EXPECT_EQ(TheControls.keys[static_cast<size_t>(Action::Push)][0], VkShift);
    EXPECT_EQ(TheControls.pads[static_cast<size_t>(Action::Menu)][0], 4) << "pad:y is the north button";
    EXPECT_EQ(TheControls.pads[static_cast<size_t>(Action::Menu)][1], 0);
    EXPECT_EQ(TheControls.keys[static_cast<size_t>(Action::Down)][0], VkDown) << "a bad bind keeps the defaults";
    EXPECT_EQ(TheControls.musicLevel, MaxSoundLevel);
    EXPECT_EQ(TheControls.cueLevel, 4);
    EXPECT_EQ(formatControlsLines(), "bind up W\nbind up A\nbind menu pad:y\nvolume cues 4\n");
    resetControls();
}

} // namespace
