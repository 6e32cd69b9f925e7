// SPDX-License-Identifier: MIT
// The ghost's choice and the building of its track: the replay level of the choice, matched by map
// name and SHA-256, re-run tick by tick on a copy of TheSim, recording where the marble was when.
#include "app/ghost.h"

#include <cstdio>

#include "app/record_keeper.h"
#include "app/run_state.h"
#include "app/settings.h"
#include "level/board.h"
#include "replay/replay_file.h"
#include "scores/level_records.h"
#include "screen/chase_view.h"
#include "sim/round_step.h"

GhostChoice OptionGhost = GhostChoice::Off;

namespace {

constexpr float NoticeSeconds = 1.5f;

struct GhostFile {
    std::string path;
    Replay replay;
    bool loaded = false;
};
GhostFile GivenGhost;

const ReplayLevel* matchingLevel(const Replay& replay, const std::string& mapName, const std::string& mapHash)
{
    for (const ReplayLevel& level : replay.levels) {
        if (level.mapName == mapName && level.mapHash == mapHash)
            return &level;
    }
    return nullptr;
}

// The round from the replay level's own start clock, on a copy: TheSim is never touched.
GhostTrack trackOf(const ReplayLevel& level)
{
    GhostTrack track;
    SimState ghost = TheSim;
    ghost.roundClock = level.startClock;
    ghost.freezeTimer = 0.0f;
    ghost.levelEndTime = TimeUpEndTime;
    ghost.levelFinished = false;
    placeMarbleAndCamera(ghost, TheBoard);
    track.samples.reserve(level.ticks.size() + 1);
    track.samples.push_back({PlayingSeconds - ghost.roundClock, ghost.marble.position});
    for (const ReplayTick& tick : level.ticks) {
        if (ghost.roundClock < ghost.levelEndTime)
            break;
        stepRound(ghost, TheBoard, {tick.seconds, tick.keys, static_cast<float>(tick.cameraLag), false});
        track.samples.push_back({PlayingSeconds - ghost.roundClock, ghost.marble.position});
    }
    for (int i = 0; i < 3; ++i)
        track.color[i] = TheMarble.color[i];
    return track;
}

// A stored replay (a record or a par route) of this level; false when there is none to read.
bool storedLevel(const std::string& path, const std::string& mapName, const std::string& mapHash, Replay& replay,
                 const ReplayLevel*& level)
{
    ReplayError error;
    if (!readReplayFile(path, replay, error)) {
        std::fprintf(stderr, "roliquo: no ghost from %s: %s\n", path.c_str(), error.message.c_str());
        return false;
    }
    if (std::string mismatch = simulationMismatch(replay); !mismatch.empty()) {
        std::fprintf(stderr, "roliquo: no ghost from %s: %s\n", path.c_str(), mismatch.c_str());
        return false;
    }
    level = matchingLevel(replay, mapName, mapHash);
    return level != nullptr;
}

const char* noticeOf(GhostChoice choice)
{
    switch (choice) {
    case GhostChoice::Record:
        return "GHOST RECORD";
    case GhostChoice::Par:
        return "GHOST PAR";
    case GhostChoice::File:
        return "GHOST FILE";
    case GhostChoice::Off:
        break;
    }
    return "GHOST OFF";
}

} // namespace

const char* ghostChoiceWord(GhostChoice choice)
{
    switch (choice) {
    case GhostChoice::Record:
        return "record";
    case GhostChoice::Par:
        return "par";
    case GhostChoice::File:
        return "file";
    case GhostChoice::Off:
        break;
    }
    return "off";
}

bool ghostChoiceFromWord(std::string_view word, GhostChoice& choice)
{
    for (GhostChoice c : {GhostChoice::Off, GhostChoice::Record, GhostChoice::Par, GhostChoice::File}) {
        if (word == ghostChoiceWord(c)) {
            choice = c;
            return true;
        }
    }
    return false;
}

bool loadGhostFile(const std::string& path, std::string& error)
{
    GivenGhost = GhostFile();
    ReplayError failure;
    if (!readReplayFile(path, GivenGhost.replay, failure)) {
        error = path + (failure.line > 0 ? ":" + std::to_string(failure.line) : "") + ": " + failure.message;
        GivenGhost = GhostFile();
        return false;
    }
    if (std::string mismatch = simulationMismatch(GivenGhost.replay); !mismatch.empty()) {
        error = path + ": " + mismatch + ", so its ghost would not roll as it was played";
        GivenGhost = GhostFile();
        return false;
    }
    GivenGhost.path = path;
    GivenGhost.loaded = true;
    OptionGhost = GhostChoice::File;
    return true;
}

void cycleGhostChoice()
{
    switch (OptionGhost) {
    case GhostChoice::Off:
        OptionGhost = GhostChoice::Record;
        break;
    case GhostChoice::Record:
        OptionGhost = GhostChoice::Par;
        break;
    case GhostChoice::Par:
        OptionGhost = GivenGhost.loaded ? GhostChoice::File : GhostChoice::Off;
        break;
    case GhostChoice::File:
        OptionGhost = GhostChoice::Off;
        break;
    }
    GhostNotice = noticeOf(OptionGhost);
    GhostNoticeSeconds = NoticeSeconds;
    writeSettings();
    prepareGhost();
}

void prepareGhost()
{
    TheGhostTrack = GhostTrack();
    ChaseShown = OptionGhost != GhostChoice::Off;
    if (!ChaseShown || GameState != Playing || LevelNumber < 1 || LevelNumber > static_cast<int32_t>(MapNames.size()))
        return;
    const std::string& mapName = MapNames[static_cast<size_t>(LevelNumber - 1)];
    const std::string& mapHash = levelMapHash();
    if (mapHash.empty())
        return;
    Replay stored;
    const ReplayLevel* level = nullptr;
    if (OptionGhost == GhostChoice::Record) {
        if (findLevelTime(LevelRecords, mapName, mapHash) == nullptr ||
            !storedLevel(levelRecordsFolder() + "/" + levelReplayFileName(mapName, mapHash), mapName, mapHash, stored,
                         level))
            return;
    } else if (OptionGhost == GhostChoice::Par) {
        if (findLevelTime(ParTimes, mapName, mapHash) == nullptr ||
            !storedLevel(std::string(ParFolder) + "/" + levelReplayFileName(mapName, mapHash), mapName, mapHash, stored,
                         level))
            return;
    } else if (GivenGhost.loaded) {
        level = matchingLevel(GivenGhost.replay, mapName, mapHash);
        if (level == nullptr) {
            std::fprintf(stderr,
                         "roliquo: the ghost %s holds no run of %s as this map file is now; no ghost on level %d\n",
                         GivenGhost.path.c_str(), mapName.c_str(), LevelNumber);
            return;
        }
    }
    if (level != nullptr)
        TheGhostTrack = trackOf(*level);
}

void resetGhost()
{
    GivenGhost = GhostFile();
    OptionGhost = GhostChoice::Off;
    TheGhostTrack = GhostTrack();
    ChaseShown = false;
    GhostNotice.clear();
    GhostNoticeSeconds = 0.0f;
}
