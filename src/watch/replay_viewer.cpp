// SPDX-License-Identifier: MIT
// The replay being watched: reading it, its levels as the level list, each level's start, and the
// pacing of its recorded ticks by the real clock and the speed. Its keys are in watch_controls.cpp.
#include "watch/replay_viewer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "level/map_loader.h"
#include "platform/platform.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"
#include "screen/game_state.h"
#include "screen/watch_overlay.h"
#include "session/run.h"
#include "sim/sim_state.h"
#include "watch/watch_controls.h"
#include "watch/watch_session.h"

namespace {

// A stall (a window being dragged, a slow frame) is not made up for by racing through what follows.
constexpr double MaxBacklogSeconds = 0.25;
// Waiting for a tick's time sleeps in small slices so that keys are still handled at once.
constexpr double MaxWaitSeconds = 0.002;

// At the end of a level watched to its end (not left by a jump back): a run that booked another time
// or ended before its last recorded tick is not the recorded one, and the watcher is told so (a replay
// from a build whose simulation differs without saying so, or a hand-edited file).
void reportDeparture()
{
    const ReplayLevel* level = watchedLevel();
    if (level == nullptr || TheWatch.timeline.level != level)
        return;
    float booked = LevelTimes[static_cast<size_t>(LevelNumber - 1)];
    bool asRecorded = TheWatch.timeline.nextTick >= level->ticks.size() && booked == level->bookedSeconds;
    if (!asRecorded)
        std::fprintf(
            stderr,
            "roliquo: level %d: the watched run departs from the replay (it booked %.2f s, the replay %.2f s)\n",
            LevelNumber, static_cast<double>(booked), static_cast<double>(level->bookedSeconds));
}

} // namespace

int loadReplayToWatch(const std::string& path, std::string& error)
{
    ReplayError failure;
    TheWatch = WatchSession();
    Replay replay;
    bool otherSimulation = false;
    if (!readPlayableReplay(path, replay, failure, otherSimulation)) {
        if (!otherSimulation) {
            error = replayErrorText(path, failure);
            return ReplayUnreadableExitCode;
        }
        error = path + ": " + failure.message + ", which would not play it the same";
        return OtherSimulationExitCode;
    }
    TheWatch.replay = std::move(replay);
    TheWatch.entries.assign(TheWatch.replay.levels.size(), std::nullopt);
    TheWatch.watching = true;
    return 0;
}

void startWatchingReplay()
{
    if (!TheWatch.watching)
        return;
    std::vector<std::string> maps;
    for (const ReplayLevel& level : TheWatch.replay.levels)
        maps.push_back(level.mapName);
    beginRun(RunKind::Watching, std::move(maps));
}

void stopWatchingReplay()
{
    TheWatch = WatchSession();
    showWatchOverlay(WatchOverlay());
}

bool watchingTakesKey(int virtualKey)
{
    if (!TheWatch.watching)
        return false;
    if (virtualKey == VkEscape) {
        platform::postMessage(DestroyMessage);
        return true;
    }
    return virtualKey == VkF1 || watchControlTakesKey(virtualKey);
}

int watchedPadKey(int virtualKey, int64_t lParam)
{
    if (!TheWatch.watching || (lParam & GamepadKeyFlag) == 0)
        return virtualKey;
    if (virtualKey == VkTab)
        return VkHome;
    if (virtualKey == VkF7)
        return VkPageDown;
    return virtualKey;
}

bool watchedRunIsOver()
{
    if (!TheWatch.watching)
        return false;
    reportDeparture();
    if (LevelNumber < static_cast<int32_t>(TheWatch.replay.levels.size())) {
        if (LevelNumber >= 0)
            TheWatch.entries[static_cast<size_t>(LevelNumber)] = captureMoment();
        return false;
    }
    platform::postMessage(DestroyMessage);
    return true;
}

void watchLevelStart()
{
    const ReplayLevel* level = watchedLevel();
    if (level == nullptr)
        return;
    std::string hash;
    if (!hashFile(levelFilePath(level->mapName), hash) || hash != level->mapHash) {
        std::fprintf(stderr, "roliquo: level %d: %s is not the map file this replay was played on\n", LevelNumber,
                     level->mapName.c_str());
        platform::postQuit(WatchedMapDiffersExitCode);
    }
    RoundClock = level->startClock;
    OptionCameraLag = static_cast<float>(level->startCameraLag);
    TheWatch.backlog = 0.0;
    TheWatch.leftLevel = false;
    beginTimeline(TheWatch.timeline, *level);
    refreshWatchOverlay();
}

bool takeWatchedTick(SteerKeys& keys)
{
    if (!TheWatch.watching)
        return true;
    const ReplayLevel* level = watchedLevel();
    if (level == nullptr)
        return false;
    WatchTimeline& timeline = TheWatch.timeline;
    const std::vector<ReplayTick>& ticks = level->ticks;
    refreshWatchOverlay();
    if (timeline.nextTick >= ticks.size()) {
        // The player left the level here with F1 (a round that ends by itself has posted its level
        // start already).
        if (!TheWatch.leftLevel)
            platform::postMessage(StartLevelMessage);
        TheWatch.leftLevel = true;
        return false;
    }
    double speed = static_cast<double>(SpeedSteps[TheWatch.speed]);
    double next = static_cast<double>(ticks[timeline.nextTick].seconds);
    TheWatch.backlog = std::min(TheWatch.backlog + static_cast<double>(FrameSeconds) * speed,
                                std::max(MaxBacklogSeconds * speed, next));
    if (TheWatch.backlog < next) {
        double wait = std::min((next - TheWatch.backlog) / speed, MaxWaitSeconds);
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
        return false;
    }
    // Faster than the frames come: the ticks due before the last one play undrawn, cues and all.
    while (timeline.nextTick + 1 < ticks.size() &&
           TheWatch.backlog >= next + static_cast<double>(ticks[timeline.nextTick + 1].seconds)) {
        TheWatch.backlog -= next;
        playTimelineTick(timeline, true);
        next = static_cast<double>(ticks[timeline.nextTick].seconds);
    }
    keepKeyframe(timeline);
    TheWatch.backlog -= next;
    const ReplayTick& tick = ticks[timeline.nextTick];
    timeline.nextTick += 1;
    FrameSeconds = tick.seconds;
    keys = tick.keys;
    OptionCameraLag = static_cast<float>(tick.cameraLag);
    refreshWatchOverlay();
    return true;
}
