// SPDX-License-Identifier: MIT
// Seek benchmark: a 10-minute replay (twelve 50-second levels at 60 ticks a second on the first shipped
// level) is watched once to take its keyframes, then sought to random points; each seek's time is
// printed as a ratio to one rendered playing frame (composeFrame, finished with glFinish).
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "level/board.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "platform/headless/headless.h"
#include "render/board_renderer.h"
#include "screen/font.h"
#include "screen/font_loader.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "sim/round_step.h"
#include "sim/sim_state.h"
#include "watch/watch_timeline.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int LevelsInReplay = 12;
constexpr int TicksPerLevel = 50 * 60;
constexpr int Seeks = 2000;
constexpr int Frames = 200;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Keys that wander: runs of straight pushes with swerves, Shift now and then.
Replay tenMinuteReplay(const std::string& mapName)
{
    Replay replay;
    uint32_t seed = 2024;
    for (int l = 0; l < LevelsInReplay; ++l) {
        ReplayLevel level;
        level.mapName = mapName;
        level.startClock = levelStartClock(l == 0);
        level.startCameraLag = 6;
        level.skipped = true;
        SteerKeys keys = SteerUp;
        for (int t = 0; t < TicksPerLevel; ++t) {
            if (t % 20 == 0) {
                seed = seed * 1664525u + 1013904223u;
                keys = static_cast<SteerKeys>(SteerUp | ((seed >> 24) & (SteerLeft | SteerRight | SteerShift)));
            }
            level.ticks.push_back({1.0f / 60, keys, 6});
        }
        replay.levels.push_back(level);
    }
    return replay;
}

void startWatchedLevel(WatchTimeline& timeline, const ReplayLevel& level, int number)
{
    LevelNumber = number;
    BannerLevel = -1;
    startRound(TheSim, TheBoard, level.startClock);
    beginTimeline(timeline, level);
}

} // namespace

int main()
{
    if (!headless::ensureGlContext()) {
        std::printf("no GL context\n");
        return 1;
    }
    glClearDepth(0.0);
    glHint(GL_FOG_HINT, GL_FASTEST);
    const std::filesystem::path data = ROLIQUO_DATA_DIR;
    std::error_code failure;
    std::filesystem::current_path(data, failure);
    static BoardTextureImages texture;
    if (failure || !loadMapList() || LevelCount < 1 || !loadFont(TheFont, "font", "font.dat") ||
        !loadBoardForPlay(TheBoard, TheMarble, MapNames[0], texture)) {
        std::printf("no data pack in %s\n", ROLIQUO_DATA_DIR);
        return 1;
    }
    Replay replay = tenMinuteReplay(MapNames[0]);
    LevelTimes.assign(LevelsInReplay, UnfinishedLevelSeconds);
    GameState = Playing;
    Halted = false;

    // Watching it once takes every level's keyframes, as the viewer does.
    std::vector<WatchTimeline> timelines(LevelsInReplay);
    auto watched = Clock::now();
    for (int l = 0; l < LevelsInReplay; ++l) {
        startWatchedLevel(timelines[l], replay.levels[l], l + 1);
        while (timelines[l].nextTick < replay.levels[l].ticks.size())
            playTimelineTick(timelines[l], false);
    }
    double watchSeconds = secondsSince(watched);

    std::vector<double> seeks;
    uint32_t seed = 7;
    for (int i = 0; i < Seeks; ++i) {
        seed = seed * 1664525u + 1013904223u;
        WatchTimeline& timeline = timelines[(seed >> 8) % LevelsInReplay];
        size_t target = (seed >> 4) % TicksPerLevel;
        auto start = Clock::now();
        seekTimeline(timeline, target);
        seeks.push_back(secondsSince(start));
    }

    // A forward seek of 5 s into ticks not watched yet: the keyframes are taken on the way.
    std::vector<double> unwatched;
    for (int i = 0; i < 20; ++i) {
        WatchTimeline fresh;
        startWatchedLevel(fresh, replay.levels[1], 2);
        auto start = Clock::now();
        seekTimeline(fresh, 5 * 60);
        unwatched.push_back(secondsSince(start));
    }

    std::vector<double> frames;
    composeFrame();
    for (int i = 0; i < Frames; ++i) {
        auto start = Clock::now();
        composeFrame();
        glFinish();
        frames.push_back(secondsSince(start));
    }

    double frame = median(frames);
    double worst = *std::max_element(seeks.begin(), seeks.end());
    std::printf("replay: %d levels of %d ticks (%.0f s), watched once in %.3f s\n", LevelsInReplay, TicksPerLevel,
                LevelsInReplay * TicksPerLevel / 60.0, watchSeconds);
    std::printf("frame: median %.3f ms (%s)\n", frame * 1e3, reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("seek: median %.1f us, worst %.1f us over %d seeks\n", median(seeks) * 1e6, worst * 1e6, Seeks);
    std::printf("seek 5 s into unwatched ticks: median %.1f us\n", median(unwatched) * 1e6);
    std::printf("ratio seek-median/frame %.4f\n", median(seeks) / frame);
    std::printf("ratio seek-worst/frame %.4f\n", worst / frame);
    std::printf("ratio seek-unwatched/frame %.4f\n", median(unwatched) / frame);
    return worst < frame ? 0 : 1;
}
