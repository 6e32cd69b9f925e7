// SPDX-License-Identifier: MIT
// The replay being watched and where it stands: the level, the next recorded tick, and the real time
// not yet spent on recorded ticks.
#include "app/replay_viewer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/run_state.h"
#include "platform/platform.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"

namespace {

// A stall (a window being dragged, a slow frame) is not made up for by racing through what follows.
constexpr double MaxBacklogSeconds = 0.25;
// Waiting for a tick's time sleeps in small slices so that keys are still handled at once.
constexpr double MaxWaitSeconds = 0.002;
constexpr int HashMismatchExitCode = 1;

struct Watch {
    Replay replay;
    bool watching = false;
    size_t nextTick = 0;
    double backlog = 0.0;   // real seconds measured but not yet spent on recorded ticks
    bool leftLevel = false; // the level start after this level's last recorded tick is posted
};

Watch Viewer;

} // namespace

bool loadReplayToWatch(const std::string& path, std::string& error)
{
    ReplayError failure;
    Viewer = Watch();
    if (!readReplayFile(path, Viewer.replay, failure)) {
        error = path + (failure.line > 0 ? ":" + std::to_string(failure.line) : "") + ": " + failure.message;
        return false;
    }
    Viewer.watching = true;
    return true;
}

bool isWatchingReplay()
{
    return Viewer.watching;
}

void startWatchingReplay()
{
    if (!Viewer.watching)
        return;
    LevelCount = static_cast<int32_t>(Viewer.replay.levels.size());
    MapNames.clear();
    for (const ReplayLevel& level : Viewer.replay.levels)
        MapNames.push_back(level.mapName);
    LevelTimes.assign(Viewer.replay.levels.size(), UnfinishedLevelSeconds);
    MenuShown = false;
    LevelNumber = 0;
    platform::postMessage(StartLevelMessage);
}

void stopWatchingReplay()
{
    Viewer = Watch();
}

bool watchingTakesKey(int virtualKey)
{
    if (!Viewer.watching)
        return false;
    if (virtualKey == VkEscape) {
        platform::postMessage(DestroyMessage);
        return true;
    }
    return virtualKey == VkF1;
}

bool watchedRunIsOver()
{
    if (!Viewer.watching || LevelNumber < static_cast<int32_t>(Viewer.replay.levels.size()))
        return false;
    platform::postMessage(DestroyMessage);
    return true;
}

void watchLevelStart()
{
    if (!Viewer.watching || LevelNumber < 1 || LevelNumber > static_cast<int32_t>(Viewer.replay.levels.size()))
        return;
    const ReplayLevel& level = Viewer.replay.levels[static_cast<size_t>(LevelNumber - 1)];
    std::string hash;
    if (!hashFile(level.mapName, hash) || hash != level.mapHash) {
        std::fprintf(stderr, "roliquo: level %d: %s is not the map file this replay was played on\n", LevelNumber,
                     level.mapName.c_str());
        platform::postQuit(HashMismatchExitCode);
    }
    RoundClock = level.startClock;
    OptionCameraLag = static_cast<float>(level.startCameraLag);
    Viewer.nextTick = 0;
    Viewer.backlog = 0.0;
    Viewer.leftLevel = false;
}

bool takeWatchedTick(SteerKeys& keys)
{
    if (!Viewer.watching)
        return true;
    if (LevelNumber < 1 || LevelNumber > static_cast<int32_t>(Viewer.replay.levels.size()))
        return false;
    const ReplayLevel& level = Viewer.replay.levels[static_cast<size_t>(LevelNumber - 1)];
    if (Viewer.nextTick >= level.ticks.size()) {
        // The player left the level here with F1 (a round that ends by itself has posted its level
        // start already).
        if (!Viewer.leftLevel)
            platform::postMessage(StartLevelMessage);
        Viewer.leftLevel = true;
        return false;
    }
    const ReplayTick& tick = level.ticks[Viewer.nextTick];
    Viewer.backlog = std::min(Viewer.backlog + static_cast<double>(FrameSeconds),
                              std::max(MaxBacklogSeconds, static_cast<double>(tick.seconds)));
    if (Viewer.backlog < static_cast<double>(tick.seconds)) {
        double wait = std::min(static_cast<double>(tick.seconds) - Viewer.backlog, MaxWaitSeconds);
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
        return false;
    }
    Viewer.backlog -= static_cast<double>(tick.seconds);
    Viewer.nextTick += 1;
    FrameSeconds = tick.seconds;
    keys = tick.keys;
    OptionCameraLag = static_cast<float>(tick.cameraLag);
    return true;
}
