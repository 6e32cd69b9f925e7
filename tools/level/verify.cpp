// SPDX-License-Identifier: MIT
// Replay verification: each level is loaded by the game's own loader, started as the game's level start
// does, and run tick by tick through the round step; its hash, booked time, end and the marble's last
// position must all be what the replay says. The JSON form of the verdict is in verify_json.cpp.
#include "verify.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "level/board.h"
#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"
#include "sim/round_step.h"
#include "sim_session.h"

namespace {

void startLevelRound(int levelNumber, const ReplayLevel& level)
{
    LevelNumber = levelNumber;
    startRound(TheSim, TheBoard, level.startClock);
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
    startLevelRound(levelNumber, level);
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
        return "it books " + exactFloatText(booked) + " s, the replay claims " + exactFloatText(level.bookedSeconds) + " s";
    Vec3 p = TheMarble.getPosition();
    if (p.x != level.endX || p.y != level.endY || p.z != level.endZ)
        return "the marble ends at (" + exactFloatText(p.x) + ", " + exactFloatText(p.y) + ", " + exactFloatText(p.z) + "), the replay says (" +
            exactFloatText(level.endX) + ", " + exactFloatText(level.endY) + ", " + exactFloatText(level.endZ) + ")";
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

void replayLevels(const Replay& replay, Verdict& verdict)
{
    // The level list of the game that was played: the rules book each level's time in its own slot.
    LevelTimes.assign(replay.levels.size(), UnfinishedLevelSeconds);

    verdict.status = VerifiedStatus;
    for (size_t i = 0; i < replay.levels.size(); ++i) {
        LevelVerdict& shown = verdict.levels[i];
        if (verdict.status != VerifiedStatus)
            break;
        shown.checked = true;
        shown.reason = checkLevel(static_cast<int>(i) + 1, replay.levels[i]);
        shown.verified = shown.reason.empty();
        if (!shown.verified)
            verdict.status = DiffersStatus;
    }
    if (verdict.status != VerifiedStatus)
        return;
    float total = runTotal(TheSim);
    if (total != replay.total) {
        verdict.status = DiffersStatus;
        verdict.problem = "the levels add up to " + exactFloatText(total) + " s, the replay claims " + exactFloatText(replay.total) + " s";
    }
}

} // namespace

Verdict verifyReplay(const std::string& replayPath, const std::string& dataDir)
{
    Verdict verdict;
    Replay replay;
    ReplayError error;
    if (!readReplayFile(pathFromStart(replayPath), replay, error)) {
        verdict.problem = replayErrorText(replayPath, error);
        return verdict;
    }
    verdict.replayRead = true;
    verdict.simulation = replay.simulation;
    verdict.total = replay.total;
    verdict.name = replay.name;
    for (const ReplayLevel& level : replay.levels) {
        LevelVerdict shown;
        shown.mapName = level.mapName;
        shown.mapHash = level.mapHash;
        shown.bookedSeconds = level.bookedSeconds;
        shown.skipped = level.skipped;
        verdict.levels.push_back(shown);
    }
    // Another simulation may book other times from the same keys: the file is neither proved nor refuted.
    verdict.problem = simulationMismatch(replay);
    if (!verdict.problem.empty()) {
        verdict.status = OtherSimulationStatus;
        return verdict;
    }
    std::string folder = pathFromStart(dataDir.empty() ? "." : dataDir);
    std::error_code failure;
    std::filesystem::current_path(folder, failure);
    if (failure) {
        verdict.problem = "roliquo-level: cannot enter the folder " + folder + ": " + failure.message();
        return verdict;
    }
    replayLevels(replay, verdict);
    return verdict;
}

int printVerdict(const Verdict& verdict, const std::string& replayPath)
{
    if (verdict.status == MalformedStatus) {
        std::fprintf(stderr, "%s\n", verdict.problem.c_str());
        return verdict.status;
    }
    if (verdict.status == OtherSimulationStatus) {
        std::printf("%s: %s\n", replayPath.c_str(), verdict.problem.c_str());
        return verdict.status;
    }
    for (size_t i = 0; i < verdict.levels.size() && verdict.levels[i].checked; ++i) {
        const LevelVerdict& level = verdict.levels[i];
        if (!level.verified) {
            std::printf("level %zu %s: DIFFERS: %s\n", i + 1, level.mapName.c_str(), level.reason.c_str());
            return verdict.status;
        }
        std::printf("level %zu %s: %s s%s\n", i + 1, level.mapName.c_str(), exactFloatText(level.bookedSeconds).c_str(),
                    level.skipped ? " (left with F1)" : "");
    }
    if (verdict.status != VerifiedStatus) {
        std::printf("total: DIFFERS: %s\n", verdict.problem.c_str());
        return verdict.status;
    }
    std::printf("total %s s, name %s: verified\n", exactFloatText(verdict.total).c_str(), verdict.name.c_str());
    return verdict.status;
}
