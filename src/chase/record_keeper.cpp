// SPDX-License-Identifier: MIT
// Booking level records at the finish, with the one-level replay that proves them, and listing them.
// The records file and its folder live in scores/level_records.cpp.
#include "chase/record_keeper.h"

#include <cstdio>

#include "chase/chase.h"
#include "chase/replay_recorder.h"
#include "level/board.h"
#include "level/map_list.h"
#include "level/level_set.h"
#include "level/map_loader.h"
#include "online/world_records.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"
#include "screen/font.h"
#include "scores/high_scores.h"
#include "scores/level_records.h"
#include "screen/chase_view.h"
#include "session/run.h"
#include "sim/round_step.h"

namespace {

// The name a record's replay carries.
const char* const RecordName = "record";
constexpr float RunOutTickSeconds = 1.0f / 60.0f;
// The round ends one second of clock after the finish; this bounds the run-out whatever happens.
constexpr int MaxRunOutTicks = 600;

// The recorded level, closed as the game would close it: ticks without keys until the round ends, on
// a copy of the simulated state (the marble no longer moves once finished), so the replay verifies.
Replay recordReplay(ReplayLevel level, float seconds)
{
    SimState runOut = TheSim;
    uint8_t lag = level.ticks.empty() ? level.startCameraLag : level.ticks.back().cameraLag;
    for (int i = 0; i < MaxRunOutTicks && !(runOut.roundClock < runOut.levelEndTime); ++i) {
        stepRound(runOut, TheBoard, {RunOutTickSeconds, 0, static_cast<float>(lag), false});
        level.ticks.push_back({RunOutTickSeconds, 0, lag});
    }
    level.bookedSeconds = seconds;
    level.skipped = false;
    Vec3 p = runOut.marble.getPosition();
    level.endX = p.x;
    level.endY = p.y;
    level.endZ = p.z;
    Replay replay;
    replay.levels.push_back(std::move(level));
    replay.total = seconds;
    replay.name = RecordName;
    return replay;
}

std::string columnTime(bool has, float seconds)
{
    if (!has)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(seconds));
    return text;
}

} // namespace

void noteLevelStart()
{
    showFinish(FinishSummary());
    std::string& hash = TheChase.levelHash;
    hash.clear();
    const std::string* mapName = levelMapName(LevelNumber);
    if (mapName != nullptr && !hashFile(levelFilePath(*mapName), hash))
        hash.clear();
}

void bookLevelFinish()
{
    const std::string& hash = TheChase.levelHash;
    const std::string* levelMap = levelMapName(LevelNumber);
    if (levelMap == nullptr || static_cast<size_t>(LevelNumber) > LevelTimes.size() || hash.empty())
        return;
    const std::string& mapName = *levelMap;
    const float seconds = LevelTimes[static_cast<size_t>(LevelNumber - 1)];
    const LevelTime* record = findLevelTime(TheRecordBook.records, mapName, hash);
    const LevelTime* par = findLevelTime(TheRecordBook.par, mapName, hash);
    FinishSummary finish;
    finish.level = LevelNumber;
    finish.seconds = seconds;
    finish.hadRecord = record != nullptr;
    finish.recordDelta = record != nullptr ? seconds - record->seconds : 0.0f;
    finish.hasPar = par != nullptr;
    finish.parDelta = par != nullptr ? seconds - par->seconds : 0.0f;
    finish.medal = par != nullptr ? medalFor(seconds, par->seconds) : Medal::None;
    showFinish(finish);

    // A level played alone or a replay watched keeps no records.
    if (!runKeepsRecords())
        return;
    if (record != nullptr && !(seconds < record->seconds))
        return;
    ReplayLevel level;
    if (!recordedLevel(level) || level.mapHash != hash)
        return;
    std::string replay = formatReplay(recordReplay(std::move(level), seconds));
    saveLevelRecord({mapName, hash, seconds}, replay);
    // Sent once kept here: the local record never waits on the world's.
    TheWorld.send(replay);
}

std::vector<RecordsPageRow> levelRecordRows()
{
    std::vector<RecordsPageRow> rows;
    for (const std::string& mapName : MapNames) {
        RecordsPageRow row;
        row.mapName = mapName;
        std::string hash;
        if (hashFile(levelFilePath(mapName), hash)) {
            const LevelTime* record = findLevelTime(TheRecordBook.records, mapName, hash);
            const LevelTime* par = findLevelTime(TheRecordBook.par, mapName, hash);
            row.hasRecord = record != nullptr;
            row.record = record != nullptr ? record->seconds : 0.0f;
            row.hasPar = par != nullptr;
            row.par = par != nullptr ? par->seconds : 0.0f;
            row.medal = row.hasRecord && row.hasPar ? medalFor(row.record, row.par) : Medal::None;
            row.sha256 = hash;
        }
        rows.push_back(std::move(row));
    }
    if (TheWorld.active()) {
        std::vector<WorldLevelKey> keys;
        for (const RecordsPageRow& row : rows)
            if (!row.sha256.empty())
                keys.push_back({row.mapName, row.sha256});
        TheWorld.ask(keys, false);
        fillWorldColumns(rows);
    }
    return rows;
}

void fillWorldColumns(std::vector<RecordsPageRow>& rows)
{
    for (RecordsPageRow& row : rows) {
        WorldLevel world = row.sha256.empty() ? WorldLevel() : TheWorld.level(row.sha256);
        row.world.shown = true;
        row.world.best = world.hasBest ? formatNumber(world.best, 2) : "-";
        row.world.name = world.hasBest ? world.bestName : "-";
        row.world.place = world.hasPlace ? std::to_string(world.place) : "-";
    }
}

std::string recordsReportText(const std::vector<RecordsPageRow>& rows)
{
    std::string text;
    char line[512];
    const LevelSet& set = chosenLevelSet();
    if (set.name != MainSetName)
        text += "set " + set.name + ": " + set.title + "\n";
    std::snprintf(line, sizeof line, "%-5s %-24s %9s %-7s %9s\n", "level", "map", "record", "medal", "par");
    text += line;
    for (size_t i = 0; i < rows.size(); ++i) {
        const RecordsPageRow& row = rows[i];
        const char* medal = row.medal == Medal::None ? "-" : medalName(row.medal);
        std::snprintf(line, sizeof line, "%-5zu %-24s %9s %-7s %9s\n", i + 1, row.mapName.substr(0, 255).c_str(),
                      columnTime(row.hasRecord, row.record).c_str(), medal, columnTime(row.hasPar, row.par).c_str());
        text += line;
    }
    size_t counted = 0;
    float sum = sumOfBest(rows, counted);
    if (counted == rows.size() && counted > 0)
        std::snprintf(line, sizeof line, "sum of best %.2f\n", static_cast<double>(sum));
    else
        std::snprintf(line, sizeof line, "sum of best NA (%zu of %zu levels have a record)\n", counted, rows.size());
    text += line;
    return text;
}
