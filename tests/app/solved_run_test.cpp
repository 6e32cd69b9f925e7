// SPDX-License-Identifier: MIT
// A run over the shipped levels played by the solver's recorded inputs at 60 ticks a second, one level
// per test: it finishes with its cues once, its booked time agrees exactly with the level tool's trace
// of the same input, and after the last level the run's total is ranked and named.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "level/map_list.h"
#include "platform/headless/headless.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "support/game_driver.h"

namespace fs = std::filesystem;
using testsupport::describeCues;
using testsupport::GameDriver;
using testsupport::holdKeys;
using testsupport::readRoute;
using testsupport::RouteStep;

namespace {

// With the counter at 60 counts a second and one count a tick, every tick lasts float(1/60) s, the
// tick length the solver planned with.
constexpr uint64_t CountsPerSecond = 60;

// The level tool keeps a level's solution under the map's file name, its ".map" replaced by ".input"
// (or added to it).
fs::path solutionFile(const std::string& map)
{
    fs::path folder = fs::path(ROLIQUO_SOURCE_DIR) / "tests/levels/solutions";
    fs::path replaced = folder / fs::path(map).filename().replace_extension(".input");
    return fs::exists(replaced) ? replaced : folder / (map + ".input");
}

std::string inputLine(float seconds, const std::string& keys)
{
    char text[64];
    snprintf(text, sizeof text, "%.9g %s\n", static_cast<double>(seconds), keys.c_str());
    return text;
}

struct TracedFinish {
    int tick = -1;
    float clock = 0.0f;
};

// Replays the input with the level tool from the given clock and returns its first finished tick.
TracedFinish traceFinish(const fs::path& map, float clock, const std::string& input, std::string& error)
{
    testsupport::TempFolder scratch;
    fs::path inputFile = scratch.path() / "input.txt";
    testsupport::writeText(inputFile, input);
    char clockText[32];
    snprintf(clockText, sizeof clockText, "%.9g", static_cast<double>(clock));
    std::string command = std::string("'") + ROLIQUO_BINARY_DIR + "/roliquo-level' trace --clock " + clockText + " '" +
        map.string() + "' < '" + inputFile.string() + "'";
    TracedFinish finish;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) {
        error = "cannot run " + command;
        return finish;
    }
    char line[512];
    while (fgets(line, sizeof line, out) != nullptr) {
        int tick = 0;
        float traced = 0.0f;
        float freeze = 0.0f;
        int finished = 0;
        if (sscanf(line, "%d %f %f %d", &tick, &traced, &freeze, &finished) == 4 && finished == 1 && finish.tick < 0) {
            finish.tick = tick;
            finish.clock = traced;
        }
    }
    int status = pclose(out);
    if (status != 0)
        error = command + " ended with status " + std::to_string(status);
    return finish;
}

// One test per shipped level, so that they run side by side: the levels before it are skipped with
// F1 (225 s each), the level is played by its solution, and after the last level the run is named.
class SolvedRun : public ::testing::TestWithParam<int> { };

TEST_P(SolvedRun, TheLevelFinishesAsTracedAndTheRunGoesOn)
{
    if (!GameDriver::hasDataPack())
        GTEST_SKIP() << "the data pack has not been generated";
    const int level = GetParam();
    GameDriver game(GameDriver::Data::Pack);
    // A table of slow totals, so that any finished run ranks first, skipped levels included.
    std::string table;
    for (int row = 0; row < HighScoreRows; ++row)
        table += "9999 zzz ";
    game.writeFile("highScore.dat", table);
    headless::setCounterFrequency(CountsPerSecond);
    ASSERT_TRUE(game.start()) << testsupport::describeMessageBoxes();
    ASSERT_GE(LevelCount, level) << "the shipped map list has eight levels";
    const float tickSeconds = static_cast<float>(1.0 / static_cast<double>(CountsPerSecond));

    game.startNewGame();
    for (int skipped = 1; skipped < level; ++skipped)
        game.press(VkF1);
    {
        const std::string map = MapNames[static_cast<size_t>(level - 1)];
        SCOPED_TRACE("level " + std::to_string(level) + ", " + map);
        ASSERT_EQ(LevelNumber, level);
        ASSERT_EQ(GameState, Playing);
        std::vector<RouteStep> steps = readRoute(solutionFile(map));
        ASSERT_FALSE(steps.empty()) << "no solution in " << solutionFile(map);
        const float startClock = RoundClock;
        headless::clearRecords();

        // The countdown, without keys, up to the tick on which the marble is first free: that tick
        // takes the first line of the solution, which was planned from a clock of 45. The marble is
        // held until then, so most of the countdown goes in half-second ticks.
        std::string input;
        int ticks = 0;
        holdKeys("-");
        while (RoundClock > PlayingSeconds + 1.0f) {
            game.tickCounts(CountsPerSecond / 2);
            input += inputLine(FrameSeconds, "-");
            ++ticks;
        }
        while (RoundClock - tickSeconds > PlayingSeconds) {
            game.tickCounts(1);
            input += inputLine(FrameSeconds, "-");
            ++ticks;
        }
        for (const RouteStep& step : steps) {
            ASSERT_EQ(step.seconds, tickSeconds) << "the solution is not at 60 ticks a second";
            holdKeys(step.keys);
            game.tickCounts(1);
            input += inputLine(FrameSeconds, step.keys);
            ++ticks;
            if (LevelFinished)
                break;
        }
        holdKeys("-");
        ASSERT_TRUE(LevelFinished) << "the solution ran out at clock " << RoundClock;
        const float booked = LevelTimes[static_cast<size_t>(level - 1)];
        EXPECT_LT(booked, PlayingSeconds);

        std::string error;
        TracedFinish traced = traceFinish(testsupport::dataPack() / map, startClock, input, error);
        EXPECT_TRUE(error.empty()) << error;
        EXPECT_EQ(traced.tick, ticks) << "the trace finishes on another tick";
        EXPECT_EQ(booked, PlayingSeconds - traced.clock) << "the booked time differs from the trace's";

        // One second of clock after the finish the next level starts, or the run completes.
        int waited = game.runTicksUntil([&] { return LevelNumber != level; }, 200, 1.0 / CountsPerSecond);
        EXPECT_GE(waited, 60) << "the next level came before one second of clock had run";
        // 60 or 61 ticks, give or take the rounding of the clock.
        EXPECT_LE(waited, 62) << "no next level one second after the finish";
        EXPECT_EQ(testsupport::countCue("go.wav"), 1) << describeCues();
        EXPECT_EQ(testsupport::countCue("allright.wav"), 1) << describeCues();
        EXPECT_EQ(testsupport::countCue("timeup.wav"), 0) << describeCues();
    }
    if (level < LevelCount)
        return;

    // The total of the booked times is ranked first in the slow table and named ABC.
    ASSERT_EQ(GameState, NameEntry);
    ASSERT_EQ(NewRecordRank, 0);
    float total = 0.0f;
    for (float seconds : LevelTimes)
        total += seconds;
    EXPECT_EQ(HighScores[0].time, total);
    for (int letter : {'A', 'B', 'C'}) {
        game.press(letter);
        game.tickCounts(1);
    }
    EXPECT_EQ(GameState, BestTimes);
    EXPECT_EQ(HighScores[0].name, "ABC");
    std::string saved = game.readFile("highScore.dat");
    std::istringstream rows(saved);
    float savedTime = 0.0f;
    std::string savedName;
    rows >> savedTime >> savedName;
    EXPECT_EQ(savedName, "ABC") << "the named total leads the saved table: " << saved;
    EXPECT_NEAR(savedTime, total, 0.01f) << saved;
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, SolvedRun, ::testing::Range(1, 9),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "level" + std::to_string(info.param);
                         });

} // namespace
