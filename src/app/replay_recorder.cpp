// SPDX-License-Identifier: MIT
// The recording of the run in play and its hand-over to the replay store once the run is named.
#include "app/replay_recorder.h"

#include <algorithm>
#include <cstdio>

#include "app/replay_viewer.h"
#include "app/run_state.h"
#include "replay/file_hash.h"
#include "replay/replay_store.h"
#include "scores/high_scores.h"

namespace {

struct Recording {
    Replay replay;
    bool active = false;   // a game is being recorded level by level
    bool complete = false; // its last level is behind; waiting for the row's name
    size_t ticks = 0;
};

Recording Run;

uint8_t cameraLagValue()
{
    return static_cast<uint8_t>(std::clamp(OptionCameraLag, 0.0f, 9.0f));
}

// The level being played is the recording's last one.
bool recordingThisLevel()
{
    return Run.active && !Run.complete && LevelNumber >= 1 &&
        Run.replay.levels.size() == static_cast<size_t>(LevelNumber);
}

void stopRecording(const char* why)
{
    std::fprintf(stderr, "roliquo: this run gets no replay: %s\n", why);
    Run = Recording();
}

} // namespace

void recordLevelEnd()
{
    if (isWatchingReplay())
        return;
    if (LevelNumber == 0) {
        Run = Recording();
        Run.active = true;
        return;
    }
    if (!recordingThisLevel())
        return;
    ReplayLevel& level = Run.replay.levels.back();
    level.bookedSeconds = LevelTimes[static_cast<size_t>(LevelNumber - 1)];
    // A round that ended by itself posted this level start from its last tick; anything else was F1.
    level.skipped = !(LevelFinished && RoundClock < LevelEndTime);
    Vec3 p = TheMarble.getPosition();
    level.endX = p.x;
    level.endY = p.y;
    level.endZ = p.z;
    if (LevelNumber == LevelCount) {
        // The same sum, in the same order, as the total the table gets.
        float total = 0.0f;
        for (float seconds : LevelTimes)
            total += seconds;
        Run.replay.total = total;
        Run.complete = true;
    }
}

void recordLevelStart()
{
    if (!Run.active || Run.complete || LevelNumber < 1 || LevelNumber > LevelCount ||
        Run.replay.levels.size() != static_cast<size_t>(LevelNumber - 1))
        return;
    if (Run.replay.levels.size() >= MaxReplayLevels)
        return stopRecording("it has more levels than a replay holds");
    ReplayLevel level;
    level.mapName = MapNames[static_cast<size_t>(LevelNumber - 1)];
    if (!isReplayMapName(level.mapName))
        return stopRecording("a map file's name cannot stand in a replay");
    if (!hashFile(level.mapName, level.mapHash))
        return stopRecording("a map file could not be read again to take its SHA-256");
    level.startClock = RoundClock;
    level.startCameraLag = cameraLagValue();
    Run.replay.levels.push_back(std::move(level));
}

void recordTick(SteerKeys keys)
{
    if (!recordingThisLevel())
        return;
    std::vector<ReplayTick>& ticks = Run.replay.levels.back().ticks;
    if (ticks.size() >= MaxReplayTicksPerLevel || Run.ticks >= MaxReplayTicks)
        return stopRecording("it has more ticks than a replay holds");
    ticks.push_back({FrameSeconds, keys, cameraLagValue()});
    Run.ticks += 1;
}

void keepNamedRunReplay()
{
    if (!Run.complete || NewRecordRank < 0 || NewRecordRank >= HighScoreRows)
        return;
    // A level played alone keeps no records, so no replay either.
    if (!HighScoresWritable)
        return;
    const HighScoreEntry& row = HighScores[NewRecordRank];
    // The row must still be this run's: anything else means the table moved under it.
    if (row.time != Run.replay.total)
        return;
    Run.replay.name = replayNameOf(row.name);
    std::vector<TableRow> table;
    for (int i = 0; i < HighScoreRows; ++i)
        table.push_back({HighScores[i].time, HighScores[i].name});
    saveReplayInBackground(std::move(Run.replay), std::move(table));
    Run = Recording();
}

bool recordedLevel(ReplayLevel& out)
{
    if (!recordingThisLevel())
        return false;
    out = Run.replay.levels.back();
    return true;
}

void resetReplayRecorder()
{
    Run = Recording();
}
