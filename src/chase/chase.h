// SPDX-License-Identifier: MIT
// The chase's one record: the recording of the run, the ghost choice and a --ghost replay, and the
// SHA-256 of the level in play. The chase's part of each level start lives in chase_run.h.
#pragma once

#include <string>

#include "replay/replay_file.h"

enum class GhostChoice {
    Off,
    Record,
    Par,
    World, // the best verified run on the world-records server, when one is set
    File,
};

// A replay given with --ghost.
struct GhostFile {
    std::string path;
    Replay replay;
    bool loaded = false;
};

// The run being recorded for its replay (replay_recorder.h).
struct Recording {
    Replay replay;
    bool active = false;   // a game is being recorded level by level
    bool complete = false; // its last level is behind; waiting for the row's name
    size_t ticks = 0;
};

struct Chase {
    Recording recording;
    GhostChoice ghost = GhostChoice::Off;
    GhostFile givenGhost;
    // The SHA-256 of the level in play; empty when its map file could not be read again.
    std::string levelHash;
};

extern Chase TheChase;
