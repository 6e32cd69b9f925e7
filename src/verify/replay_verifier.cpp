// SPDX-License-Identifier: MIT
// Replay verification through the game's own loader, level start rules and round step.
#include "verify/replay_verifier.h"

#include <filesystem>
#include <system_error>

#include "level/board.h"
#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "sim/round_step.h"
#include "verify/map_load.h"

namespace {

// The game's tick ends the round once the clock is below the end time: the next level starts after a
// finish, the run ends at a time-up.
bool roundOver()
{
    return RoundClock < LevelEndTime;
}

// Runs one level's ticks; "" when it recomputes to what the replay says, else what differs.
std::string replayLevel(int levelNumber, const ReplayLevel& level)
{
    LevelNumber = levelNumber;
    startRound(TheSim, TheBoard, level.startClock);
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
        return "it books " + exactFloatText(booked) + " s, the replay claims " + exactFloatText(level.bookedSeconds) +
            " s";
    Vec3 p = TheMarble.getPosition();
    if (p.x != level.endX || p.y != level.endY || p.z != level.endZ)
        return "the marble ends at (" + exactFloatText(p.x) + ", " + exactFloatText(p.y) + ", " + exactFloatText(p.z) +
            "), the replay says (" + exactFloatText(level.endX) + ", " + exactFloatText(level.endY) + ", " +
            exactFloatText(level.endZ) + ")";
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
        verdict.problem = "the levels add up to " + exactFloatText(total) + " s, the replay claims " +
            exactFloatText(replay.total) + " s";
    }
}

size_t tickCount(const Replay& replay)
{
    size_t ticks = 0;
    for (const ReplayLevel& level : replay.levels)
        ticks += level.ticks.size();
    return ticks;
}

} // namespace

Verdict refusedVerdict(const Replay& replay, std::string problem)
{
    Verdict verdict;
    verdict.problem = std::move(problem);
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
    return verdict;
}

Verdict verifyReadReplay(const Replay& replay, const std::string& folder, size_t tickBudget)
{
    Verdict verdict = refusedVerdict(replay, "");
    // Another simulation may book other times from the same keys: the file is neither proved nor refuted.
    verdict.problem = simulationMismatch(replay);
    if (!verdict.problem.empty()) {
        verdict.status = OtherSimulationStatus;
        return verdict;
    }
    if (size_t ticks = tickCount(replay); ticks > tickBudget) {
        verdict.problem = "the replay holds " + std::to_string(ticks) + " ticks, more than the " +
            std::to_string(tickBudget) + " a verification may play";
        return verdict;
    }
    if (!folder.empty()) {
        std::error_code failure;
        std::filesystem::current_path(folder, failure);
        if (failure) {
            verdict.problem = "cannot enter the folder " + folder + ": " + failure.message();
            return verdict;
        }
    }
    replayLevels(replay, verdict);
    return verdict;
}
