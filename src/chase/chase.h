// SPDX-License-Identifier: MIT
// The chase beside the specified game: the ghost choice and a --ghost replay, the SHA-256 of the level
// in play, and what the chase does at each level start. Recording lives in replay_recorder.h.
#pragma once

#include <string>

#include "replay/replay_file.h"

enum class GhostChoice {
    Off,
    Record,
    Par,
    File,
};

// A replay given with --ghost.
struct GhostFile {
    std::string path;
    Replay replay;
    bool loaded = false;
};

struct Chase {
    GhostChoice ghost = GhostChoice::Off;
    GhostFile givenGhost;
    // The SHA-256 of the level in play; empty when its map file could not be read again.
    std::string levelHash;
};

extern Chase TheChase;

// The level start, once the marble is placed: the level's recording starts, its map file is hashed and
// the last finish summary cleared, and its ghost is built.
void chaseLevelStarted();

// Forgets the --ghost replay, the choice, the recording and what the frame shows of the chase (tests
// that run several games in one process).
void resetChase();
