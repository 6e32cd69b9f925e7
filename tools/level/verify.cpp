// SPDX-License-Identifier: MIT
// Replay verification: each level is loaded by the game's own loader, started as the game's level start
// does, and run tick by tick through the round step; its hash, booked time, end and the marble's last
// position must all be what the replay says.
#include "verify.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "level/board.h"
#include "level/map_list.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"
#include "sim/round_step.h"
#include "sim_session.h"

namespace {

std::string real(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

void startRound(int levelNumber, const ReplayLevel& level)
{
    LevelNumber = levelNumber;
    LevelFinished = false;
    RoundClock = level.startClock;
    LevelEndTime = TimeUpEndTime;
    FreezeTimer = 0.0f;
    placeMarbleAndCamera(TheSim, TheBoard);
}

// The game's tick ends the round once the clock is below the end time: the next level starts after a
// finish, the run ends at a time-up.
bool roundOver()
{
    return RoundClock < LevelEndTime;
}

// Runs one level's ticks; "" when it recomputes to what the replay says, else what differs.
std::string replayLevel(int levelNumber, const ReplayLevel& level)
{
    startRound(levelNumber, level);
    const size_t count = level.ticks.size();
    for (size_t i = 0; i < count; ++i) {
        if (roundOver())
            return "the round ended after tick " + std::to_string(i) + " of " + std::to_string(count) +
                ", yet the replay goes on";
        const ReplayTick& tick = level.ticks[i];
        stepRound(TheSim, TheBoard, {tick.seconds, tick.keys, static_cast<float>(tick.cameraLag)});
        if (roundOver() && LevelEndTime == TimeUpEndTime)
            return "the time ran out at tick " + std::to_string(i + 1) + ", which ends the run";
    }
    bool endedByItself = LevelFinished && roundOver();
    if (level.skipped && endedByItself)
        return "the replay says it was left with F1, but its round ended by itself";
    if (!level.skipped && !endedByItself)
        return "its round has not ended after the last tick, yet the replay does not say it was left with F1";
    float booked = LevelTimes[static_cast<size_t>(levelNumber - 1)];
    if (booked != level.bookedSeconds)
        return "it books " + real(booked) + " s, the replay claims " + real(level.bookedSeconds) + " s";
    Vec3 p = TheMarble.getPosition();
    if (p.x != level.endX || p.y != level.endY || p.z != level.endZ)
        return "the marble ends at (" + real(p.x) + ", " + real(p.y) + ", " + real(p.z) + "), the replay says (" +
            real(level.endX) + ", " + real(level.endY) + ", " + real(level.endZ) + ")";
    return "";
}

// Hash, load and play of one level; "" when all agree.
std::string checkLevel(int levelNumber, const ReplayLevel& level)
{
    std::string hash;
    if (!hashFile(level.mapName, hash))
        return "the map file cannot be read";
    if (hash != level.mapHash)
        return "the map file is not the one the run was played on (its SHA-256 is " + hash + ")";
    std::vector<std::string> messages;
    if (!loadMapAsGame(level.mapName, messages))
        return "the game's loader refuses the map file" + (messages.empty() ? "" : ": " + messages.front());
    return replayLevel(levelNumber, level);
}

} // namespace

int verifyReplay(const std::string& replayPath, const std::string& dataDir)
{
    Replay replay;
    ReplayError error;
    if (!readReplayFile(pathFromStart(replayPath), replay, error)) {
        if (error.line > 0)
            std::fprintf(stderr, "%s:%d: %s\n", replayPath.c_str(), error.line, error.message.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", replayPath.c_str(), error.message.c_str());
        return 2;
    }
    std::string folder = pathFromStart(dataDir.empty() ? "." : dataDir);
    std::error_code failure;
    std::filesystem::current_path(folder, failure);
    if (failure) {
        std::fprintf(stderr, "roliquo-level: cannot enter the folder %s: %s\n", folder.c_str(),
                     failure.message().c_str());
        return 2;
    }

    // The level list of the game that was played: the rules book each level's time in its own slot.
    LevelCount = static_cast<int32_t>(replay.levels.size());
    MapNames.clear();
    for (const ReplayLevel& level : replay.levels)
        MapNames.push_back(level.mapName);
    LevelTimes.assign(replay.levels.size(), UnfinishedLevelSeconds);

    for (size_t i = 0; i < replay.levels.size(); ++i) {
        const ReplayLevel& level = replay.levels[i];
        int levelNumber = static_cast<int>(i) + 1;
        std::string difference = checkLevel(levelNumber, level);
        if (!difference.empty()) {
            std::printf("level %d %s: DIFFERS: %s\n", levelNumber, level.mapName.c_str(), difference.c_str());
            return 1;
        }
        std::printf("level %d %s: %s s%s\n", levelNumber, level.mapName.c_str(), real(level.bookedSeconds).c_str(),
                    level.skipped ? " (left with F1)" : "");
    }
    // The same sum, in the same order, as the total the game ranks.
    float total = 0.0f;
    for (float seconds : LevelTimes)
        total += seconds;
    if (total != replay.total) {
        std::printf("total: DIFFERS: the levels add up to %s s, the replay claims %s s\n", real(total).c_str(),
                    real(replay.total).c_str());
        return 1;
    }
    std::printf("total %s s, name %s: verified\n", real(total).c_str(), replay.name.c_str());
    return 0;
}
