// SPDX-License-Identifier: MIT
// Watching a recorded game with the viewer's keys: every seek lands on the bits that playing straight
// there gives, a pause holds everything, each speed plays its share of recorded time, and the level
// jumps land on level starts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "level_tool_runner.h"
#include "platform/headless/headless.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "screen/watch_overlay.h"
#include "scripted_game.h"
#include "session/run.h"
#include "sim/sim_state.h"
#include "watch/replay_viewer.h"
#include "watch/watch_session.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;

namespace {

// Shorter than any recorded step, so that each frame plays at most one recorded tick.
constexpr double FineFrame = 0.02;

template <typename T> void append(std::string& bits, const T& value)
{
    bits.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The bytes of everything a recorded tick and its frame read (Marble and FollowCamera are floats only).
std::string stateBits()
{
    std::string bits;
    append(bits, TheMarble);
    append(bits, TheCamera);
    for (float seconds : LevelTimes)
        append(bits, seconds);
    append(bits, LevelNumber);
    append(bits, RoundClock);
    append(bits, FreezeTimer);
    append(bits, LevelEndTime);
    append(bits, LevelFinished);
    append(bits, GoCuePlayed);
    append(bits, TimeUpCuePlayed);
    append(bits, BannerScale);
    append(bits, BannerLevel);
    append(bits, OptionCameraLag);
    return bits;
}

using Position = std::pair<int32_t, size_t>; // level, next recorded tick

Position position()
{
    return {LevelNumber, TheWatch.timeline.nextTick};
}

// Starts watching the replay in `game`; false after a failed expectation.
bool startWatching(GameDriver& game, const std::string& text)
{
    game.writeFile("run.replay", text);
    game.writeFile("highScore.dat", slowTable());
    std::string error;
    EXPECT_EQ(loadReplayToWatch((game.folder() / "run.replay").string(), error), 0) << error;
    EXPECT_TRUE(game.start()) << testsupport::describeMessageBoxes();
    startWatchingReplay();
    game.runUntilIdle();
    EXPECT_EQ(LevelNumber, 1);
    return LevelNumber == 1;
}

class WatchedReplay : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        GameDriver game(GameDriver::Data::Small, Levels);
        fs::path file;
        playScriptedGame(game, file);
        ReplayText = readTextFile(file.string());
    }

    void SetUp() override
    {
        ASSERT_FALSE(ReplayText.empty()) << "the scripted game left no replay to watch";
        ASSERT_TRUE(startWatching(game_, ReplayText));
    }

    void TearDown() override
    {
        headless::releaseAllKeys();
        stopWatchingReplay();
    }

    // Frames of FineFrame until the position is reached; false when the replay ended first.
    bool playTo(Position target)
    {
        for (int i = 0; i < 20 * MaxTicks && !game_.quitTaken(); ++i) {
            if (position() == target)
                return true;
            game_.tick(FineFrame);
        }
        return false;
    }

    static double levelSeconds() { return TheWatch.timeline.tickStart.at(TheWatch.timeline.nextTick); }

    static inline std::string ReplayText;
    GameDriver game_{GameDriver::Data::Small, Levels};
};

// The oracle of every seek: the replay watched straight through once, keeping the bits after every
// recorded tick.
class SoughtReplay : public WatchedReplay {
protected:
    static void SetUpTestSuite()
    {
        WatchedReplay::SetUpTestSuite();
        GameDriver game(GameDriver::Data::Small, Levels);
        if (ReplayText.empty() || !startWatching(game, ReplayText))
            return;
        PlayedBits[position()] = stateBits();
        testing::internal::CaptureStderr();
        for (int frames = 0; !game.quitTaken() && frames < 20 * MaxTicks; ++frames) {
            game.tick(FineFrame);
            if (!game.quitTaken())
                PlayedBits[position()] = stateBits();
        }
        StraightStderr = testing::internal::GetCapturedStderr();
        stopWatchingReplay();
    }

    void SetUp() override
    {
        Replay replay;
        ReplayError error;
        ASSERT_TRUE(parseReplay(ReplayText, replay, error));
        // Each level's moments before its ticks; the one after a level's last tick is the next start.
        for (size_t level = 0; level < replay.levels.size(); ++level)
            for (size_t tick = 0; tick < replay.levels[level].ticks.size(); ++tick)
                ASSERT_EQ(PlayedBits.count({static_cast<int32_t>(level + 1), tick}), 1u)
                    << "played straight through, level " << level + 1 << " tick " << tick << " was not drawn";
        WatchedReplay::SetUp();
    }

    static inline std::map<Position, std::string> PlayedBits;
    static inline std::string StraightStderr;
};

TEST_F(SoughtReplay, EverySeekLandsOnTheBitsOfPlayingThere)
{
    int compared = 0;
    auto expectPlayedBits = [&](const char* what) {
        auto played = PlayedBits.find(position());
        ASSERT_NE(played, PlayedBits.end()) << what << ": no such moment in the straight run";
        EXPECT_EQ(stateBits(), played->second)
            << what << ": level " << LevelNumber << " before tick " << TheWatch.timeline.nextTick;
        ++compared;
    };
    ASSERT_TRUE(playTo({1, 150}));
    double start = levelSeconds();
    game_.press(VkRight);
    EXPECT_NEAR(levelSeconds() - start, 5.0, 0.051) << "Right seeks 5 s on";
    expectPlayedBits("5 s on");
    game_.press(VkLeft);
    game_.press(VkLeft);
    expectPlayedBits("10 s back");
    headless::setKeyDown(VkShift, true);
    double before = levelSeconds();
    game_.press(VkRight);
    headless::setKeyDown(VkShift, false);
    EXPECT_NEAR(levelSeconds() - before, 1.0, 0.06) << "Shift+Right seeks 1 s on";
    expectPlayedBits("1 s on");
    game_.press(VkSpace);
    ASSERT_TRUE(Paused);
    size_t at = TheWatch.timeline.nextTick;
    game_.press(VkPeriod);
    EXPECT_EQ(TheWatch.timeline.nextTick, at + 1);
    expectPlayedBits("a tick on");
    game_.press(VkComma);
    game_.press(VkComma);
    EXPECT_EQ(TheWatch.timeline.nextTick, at - 1);
    expectPlayedBits("two ticks back");
    game_.press(VkHome);
    EXPECT_EQ(position(), Position(1, 0));
    expectPlayedBits("the level restarted");
    game_.press(VkSpace);
    ASSERT_FALSE(Paused);
    // Forward past every keyframe taken so far, then on through the frames.
    game_.press(VkRight);
    game_.press(VkRight);
    expectPlayedBits("10 s on from the start");
    for (int i = 0; i < 40; ++i)
        game_.tick(FineFrame);
    expectPlayedBits("played on after the seek");
    EXPECT_EQ(compared, 8);
}

TEST_F(WatchedReplay, APauseHoldsTheStateAndTheClock)
{
    ASSERT_TRUE(playTo({1, 100}));
    game_.press(VkSpace);
    ASSERT_TRUE(Paused);
    std::string held = stateBits();
    for (int i = 0; i < 60; ++i)
        game_.tick(0.05);
    EXPECT_EQ(position(), Position(1, 100));
    EXPECT_EQ(stateBits(), held) << "three seconds of pause changed the state";
    EXPECT_TRUE(TheWatchOverlay.watching);
    game_.press(VkSpace);
    game_.tick(0.05);
    EXPECT_GT(TheWatch.timeline.nextTick, 100u) << "Space resumes";
}

TEST_F(WatchedReplay, EachSpeedPlaysItsShareOfRecordedTime)
{
    ASSERT_TRUE(playTo({1, 1}));
    constexpr int Frames = 50; // one second of frames
    struct Step {
        int key;
        float speed;
    };
    const Step steps[] = {{VkDown, 0.5f}, {VkDown, 0.25f}, {VkDown, 0.25f}, {VkUp, 0.5f},
                          {VkUp, 1.0f},   {VkUp, 2.0f},    {VkUp, 4.0f},    {VkUp, 4.0f}};
    for (const Step& s : steps) {
        game_.press(s.key);
        EXPECT_EQ(TheWatchOverlay.speed, s.speed);
        game_.press(VkHome);
        double start = levelSeconds();
        for (int i = 0; i < Frames; ++i)
            game_.tick(FineFrame);
        double played = levelSeconds() - start;
        EXPECT_NEAR(played, s.speed * Frames * FineFrame, 0.051) << "at " << s.speed << "x";
        EXPECT_TRUE(TheWatchOverlay.showBar || s.speed == 1.0f) << "the bar shows at " << s.speed << "x";
    }
}

TEST_F(SoughtReplay, LevelJumpsLandOnLevelStarts)
{
    ASSERT_TRUE(playTo({1, 50}));
    game_.press(VkPageDown);
    EXPECT_EQ(position(), Position(2, 0));
    EXPECT_EQ(stateBits(), PlayedBits.at({2, 0})) << "the second level's start";
    game_.press(VkPageDown);
    EXPECT_EQ(position(), Position(3, 0));
    EXPECT_EQ(stateBits(), PlayedBits.at({3, 0})) << "the third level's start";
    game_.press(VkPageDown);
    EXPECT_EQ(position(), Position(3, 0)) << "there is no level after the last";
    game_.press(VkPageUp);
    EXPECT_EQ(position(), Position(2, 0));
    EXPECT_EQ(stateBits(), PlayedBits.at({2, 0})) << "back at the second level's start";
    game_.press(VkPageUp);
    game_.press(VkPageUp);
    EXPECT_EQ(position(), Position(1, 0));
    EXPECT_EQ(stateBits(), PlayedBits.at({1, 0})) << "the first level again";
    EXPECT_EQ(GameState, Playing);
}

// Watched straight through, every level ends as recorded; a level whose booked time was edited in the
// file is reported as departing from it, and only that level.
class DepartingReplay : public SoughtReplay {
protected:
    void SetUp() override { ASSERT_FALSE(ReplayText.empty()); }
};

TEST_F(DepartingReplay, ALevelThatEndsOtherwiseThanRecordedIsReported)
{
    EXPECT_EQ(StraightStderr.find("departs"), std::string::npos) << StraightStderr;
    Replay replay;
    ReplayError error;
    ASSERT_TRUE(parseReplay(ReplayText, replay, error));
    replay.levels[1].bookedSeconds += 0.5f;
    ASSERT_TRUE(startWatching(game_, formatReplay(replay)));
    testing::internal::CaptureStderr();
    for (int frames = 0; !game_.quitTaken() && frames < 20 * MaxTicks; ++frames)
        game_.tick(FineFrame);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("level 1:"), std::string::npos) << said;
    EXPECT_NE(said.find("level 2: the watched run departs from the replay"), std::string::npos) << said;
    EXPECT_EQ(said.find("level 3:"), std::string::npos) << said;
}

} // namespace
