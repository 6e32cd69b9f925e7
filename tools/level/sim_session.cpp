// SPDX-License-Identifier: MIT
// The map folder, level-start placement and ticks for the level tool, all through the game's own
// physics, rules and camera.
#include "sim_session.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "level/board.h"
#include "sim/round_step.h"

namespace fs = std::filesystem;

float SessionCameraLag = 6.0f;

namespace {
fs::path StartFolder;
}

void rememberStartFolder()
{
    StartFolder = fs::current_path();
}

std::string pathFromStart(const std::string& path)
{
    return (StartFolder / fs::path(path)).lexically_normal().string();
}

bool enterMapFolder(const std::string& mapPath, const std::string& dataDir, std::string& loadName, std::string& error)
{
    fs::path map = pathFromStart(mapPath);
    fs::path folder;
    if (dataDir.empty()) {
        folder = map.parent_path();
        loadName = map.filename().string();
    } else {
        folder = pathFromStart(dataDir);
        loadName = map.string();
    }
    std::error_code failure;
    fs::current_path(folder, failure);
    if (failure) {
        error = "cannot enter the folder " + folder.string() + ": " + failure.message();
        return false;
    }
    return true;
}

void placeAtLevelStart(float clock, float lag)
{
    TheSim.levelTimes = {UnfinishedLevelSeconds};
    TheSim.levelNumber = 1;
    SessionCameraLag = lag;
    startRound(TheSim, TheBoard, clock);
    FollowCamera& camera = TheSim.camera;
    camera.pitch = 0.0f;
    camera.yaw = 0.0f;
    camera.roll = 0.0f;
    camera.pitchTarget = 0.0f;
    camera.yawTarget = 0.0f;
}

void runTick(TickInput step, bool withCamera)
{
    stepRound(TheSim, TheBoard, {step.seconds, step.keys, SessionCameraLag, withCamera});
}

float bookedFinishTime()
{
    return LevelTimes.empty() ? UnfinishedLevelSeconds : LevelTimes[0];
}
