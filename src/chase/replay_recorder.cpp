// SPDX-License-Identifier: MIT
// The recording of the run in play and its hand-over to the replay store once the run is named.
#include "chase/replay_recorder.h"

#include <algorithm>
#include <cstdio>

#include "chase/chase.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "online/world_records.h"
#include "replay/file_hash.h"
#include "replay/replay_store.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "session/run.h"
#include "sim/sim_state.h"

namespace {

uint8_t cameraLagValue()
{
    return static_cast<uint8_t>(std::clamp(OptionCameraLag, 0.0f, 9.0f));
}

// The level being played is the recording's last one.
bool recordingThisLevel()
{
    return TheChase.recording.active && !TheChase.recording.complete && LevelNumber >= 1 &&
        TheChase.recording.replay.levels.size() == static_cast<size_t>(LevelNumber);
}

void stopRecording(const char* why)
{
    std::fprintf(stderr, "roliquo: this run gets no replay: %s\n", why);
    TheChase.recording = Recording();
}

} // namespace

void recordLevelEnd()
{
    if (runIsWatched())
        return;
    if (LevelNumber == 0) {
        TheChase.recording = Recording();
        TheChase.recording.active = true;
        return;
    }
    if (!recordingThisLevel())
        return;
    ReplayLevel& level = TheChase.recording.replay.levels.back();
    level.bookedSeconds = LevelTimes[static_cast<size_t>(LevelNumber - 1)];
    // A round that ended by itself posted this level start from its last tick; anything else was F1.
    level.skipped = !(LevelFinished && RoundClock < LevelEndTime);
    Vec3 p = TheMarble.getPosition();
    level.endX = p.x;
    level.endY = p.y;
    level.endZ = p.z;
    if (LevelNumber == LevelCount) {
        TheChase.recording.replay.total = runTotal(TheSim);
        TheChase.recording.complete = true;
    }
}

void recordLevelStart()
{
    if (!TheChase.recording.active || TheChase.recording.complete || LevelNumber < 1 || LevelNumber > LevelCount ||
        TheChase.recording.replay.levels.size() != static_cast<size_t>(LevelNumber - 1))
        return;
    if (TheChase.recording.replay.levels.size() >= MaxReplayLevels)
        return stopRecording("it has more levels than a replay holds");
    ReplayLevel level;
    level.mapName = *levelMapName(LevelNumber);
    if (!isReplayMapName(level.mapName))
        return stopRecording("a map file's name cannot stand in a replay");
    if (!hashFile(levelFilePath(level.mapName), level.mapHash))
        return stopRecording("a map file could not be read again to take its SHA-256");
    level.startClock = RoundClock;
    level.startCameraLag = cameraLagValue();
    TheChase.recording.replay.levels.push_back(std::move(level));
}

void recordTick(SteerKeys keys)
{
    if (!recordingThisLevel())
        return;
    std::vector<ReplayTick>& ticks = TheChase.recording.replay.levels.back().ticks;
    if (ticks.size() >= MaxReplayTicksPerLevel || TheChase.recording.ticks >= MaxReplayTicks)
        return stopRecording("it has more ticks than a replay holds");
    ticks.push_back({FrameSeconds, keys, cameraLagValue()});
    TheChase.recording.ticks += 1;
}

void keepNamedRunReplay()
{
    if (!TheChase.recording.complete || NewRecordRank < 0 || NewRecordRank >= HighScoreRows)
        return;
    // A level played alone keeps no records, so no replay either.
    if (!runKeepsHighScores())
        return;
    const HighScoreEntry& row = HighScores[NewRecordRank];
    // The row must still be this run's: anything else means the table moved under it.
    if (row.time != TheChase.recording.replay.total)
        return;
    TheChase.recording.replay.name = replayNameOf(row.name);
    std::vector<TableRow> table;
    for (int i = 0; i < HighScoreRows; ++i)
        table.push_back({HighScores[i].time, HighScores[i].name});
    TheWorld.send(formatReplay(TheChase.recording.replay));
    saveReplayInBackground(std::move(TheChase.recording.replay), std::move(table));
    TheChase.recording = Recording();
}

bool recordedLevel(ReplayLevel& out)
{
    if (!recordingThisLevel())
        return false;
    out = TheChase.recording.replay.levels.back();
    return true;
}
