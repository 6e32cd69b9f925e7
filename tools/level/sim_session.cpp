// Map loading, level-start placement, ticks and state snapshots for the level tool, all through the
// game's own loader, physics, rules and camera on the headless backend.
#include "sim_session.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/run_state.h"
#include "level/board.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "sim/round_step.h"

namespace fs = std::filesystem;

SimSnapshot captureSim()
{
    SimSnapshot s;
    s.marble = TheMarble;
    s.camera = TheCamera;
    s.roundClock = RoundClock;
    s.freezeTimer = FreezeTimer;
    s.levelEndTime = LevelEndTime;
    s.frameSeconds = FrameSeconds;
    s.levelFinished = LevelFinished;
    s.bookedTime = LevelTimes.empty() ? UnfinishedLevelSeconds : LevelTimes[0];
    return s;
}

void restoreSim(const SimSnapshot& s)
{
    TheMarble = s.marble;
    TheCamera = s.camera;
    RoundClock = s.roundClock;
    FreezeTimer = s.freezeTimer;
    LevelEndTime = s.levelEndTime;
    FrameSeconds = s.frameSeconds;
    LevelFinished = s.levelFinished;
    if (!LevelTimes.empty())
        LevelTimes[0] = s.bookedTime;
}

bool prepareGl()
{
    if (headless::ensureGlContext())
        return true;
    std::fprintf(stderr, "roliquo-level: no OpenGL context could be made (Mesa's EGL is needed)\n");
    return false;
}

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

bool loadMapAsGame(const std::string& loadName, std::vector<std::string>& messages)
{
    headless::clearRecords();
    bool ok = TheBoard.load(loadName, TheMarble);
    for (const headless::MessageBoxRecord& box : headless::messageBoxes())
        messages.push_back(box.text);
    headless::clearRecords();
    return ok;
}

void placeAtLevelStart(const std::string& mapName, float clock, float lag)
{
    LevelCount = 1;
    MapNames = {mapName};
    LevelTimes = {UnfinishedLevelSeconds};
    LevelNumber = 1;
    RoundClock = clock;
    FreezeTimer = 0.0f;
    LevelEndTime = TimeUpEndTime;
    LevelFinished = false;
    FrameSeconds = 0.0f;
    OptionCameraLag = lag;
    Paused = false;
    Halted = false;
    MenuShown = false;
    GameState = Playing;

    placeMarbleAndCamera();
    TheCamera.pitch = 0.0f;
    TheCamera.yaw = 0.0f;
    TheCamera.roll = 0.0f;
    TheCamera.pitchTarget = 0.0f;
    TheCamera.yawTarget = 0.0f;
    holdKeys(0);
}

void holdKeys(uint8_t keys)
{
    headless::setKeyDown(VkLeft, (keys & SteerLeft) != 0);
    headless::setKeyDown(VkRight, (keys & SteerRight) != 0);
    headless::setKeyDown(VkUp, (keys & SteerUp) != 0);
    headless::setKeyDown(VkDown, (keys & SteerDown) != 0);
    headless::setKeyDown(VkShift, (keys & SteerShift) != 0);
}

void runTick(TickInput step, bool withCamera)
{
    FrameSeconds = step.seconds;
    stepRound({step.seconds, step.keys, OptionCameraLag, withCamera});
}

float bookedFinishTime()
{
    return LevelTimes.empty() ? UnfinishedLevelSeconds : LevelTimes[0];
}
