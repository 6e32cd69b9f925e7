// SPDX-License-Identifier: MIT
// The ghost's choice and the building of its track: the replay level of the choice, matched by map
// name and SHA-256, re-run tick by tick on a copy of TheSim, recording where the marble was when.
#include "chase/ghost.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "level/board.h"
#include "level/map_list.h"
#include "online/world_records.h"
#include "replay/replay_file.h"
#include "scores/level_records.h"
#include "screen/chase_view.h"
#include "screen/game_state.h"
#include "sim/round_step.h"

namespace {

constexpr float NoticeSeconds = 1.5f;

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
    startRound(ghost, TheBoard, level.startClock);
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
    bool otherSimulation = false;
    if (!readPlayableReplay(path, replay, error, otherSimulation)) {
        std::fprintf(stderr, "roliquo: no ghost from %s: %s\n", path.c_str(), error.message.c_str());
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
    case GhostChoice::World:
        return "GHOST WORLD";
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
    case GhostChoice::World:
        return "world";
    case GhostChoice::File:
        return "file";
    case GhostChoice::Off:
        break;
    }
    return "off";
}

bool ghostChoiceFromWord(std::string_view word, GhostChoice& choice)
{
    for (GhostChoice c : {GhostChoice::Off, GhostChoice::Record, GhostChoice::Par, GhostChoice::World, GhostChoice::File}) {
        if (word == ghostChoiceWord(c)) {
            choice = c;
            return true;
        }
    }
    return false;
}

void chooseGhost(GhostChoice choice)
{
    TheChase.ghost = choice;
}

bool loadGhostFile(const std::string& path, std::string& error)
{
    GhostFile& given = TheChase.givenGhost;
    given = GhostFile();
    ReplayError failure;
    bool otherSimulation = false;
    if (!readPlayableReplay(path, given.replay, failure, otherSimulation)) {
        error = otherSimulation ? path + ": " + failure.message + ", so its ghost would not roll as it was played"
                                : replayErrorText(path, failure);
        given = GhostFile();
        return false;
    }
    given.path = path;
    given.loaded = true;
    TheChase.ghost = GhostChoice::File;
    return true;
}

void cycleGhostChoice()
{
    GhostChoice& choice = TheChase.ghost;
    switch (choice) {
    case GhostChoice::Off:
        choice = GhostChoice::Record;
        break;
    case GhostChoice::Record:
        choice = GhostChoice::Par;
        break;
    case GhostChoice::Par:
        choice = TheWorld.active() ? GhostChoice::World : TheChase.givenGhost.loaded ? GhostChoice::File : GhostChoice::Off;
        break;
    case GhostChoice::World:
        choice = TheChase.givenGhost.loaded ? GhostChoice::File : GhostChoice::Off;
        break;
    case GhostChoice::File:
        choice = GhostChoice::Off;
        break;
    }
    showGhostNotice(noticeOf(choice), NoticeSeconds);
    prepareGhost();
}

void prepareGhost()
{
    const GhostChoice choice = TheChase.ghost;
    bool shown = choice != GhostChoice::Off;
    showGhost(shown, GhostTrack());
    const std::string* levelMap = levelMapName(LevelNumber);
    if (!shown || GameState != Playing || levelMap == nullptr)
        return;
    const std::string& mapName = *levelMap;
    const std::string& mapHash = TheChase.levelHash;
    if (mapHash.empty())
        return;
    Replay stored;
    const ReplayLevel* level = nullptr;
    const GhostFile& given = TheChase.givenGhost;
    if (choice == GhostChoice::Record) {
        if (findLevelTime(TheRecordBook.records, mapName, mapHash) == nullptr ||
            !storedLevel(levelRecordsFolder() + "/" + levelReplayFileName(mapName, mapHash), mapName, mapHash, stored,
                         level))
            return;
    } else if (choice == GhostChoice::Par) {
        if (findLevelTime(TheRecordBook.par, mapName, mapHash) == nullptr ||
            !storedLevel(parFolderPath() + "/" + levelReplayFileName(mapName, mapHash), mapName, mapHash, stored,
                         level))
            return;
    } else if (choice == GhostChoice::World) {
        // Fetched once, in the background, and kept beside the records; until then no ghost.
        std::string path = TheWorld.ghostPath(mapName, mapHash);
        std::error_code failure;
        if (!TheWorld.active())
            return;
        if (!std::filesystem::exists(path, failure)) {
            TheWorld.ask({{mapName, mapHash}}, true);
            return;
        }
        if (!storedLevel(path, mapName, mapHash, stored, level))
            return;
    } else if (given.loaded) {
        level = matchingLevel(given.replay, mapName, mapHash);
        if (level == nullptr) {
            std::fprintf(stderr,
                         "roliquo: the ghost %s holds no run of %s as this map file is now; no ghost on level %d\n",
                         given.path.c_str(), mapName.c_str(), LevelNumber);
            return;
        }
    }
    if (level != nullptr)
        showGhost(true, trackOf(*level));
}
