// SPDX-License-Identifier: MIT
// The chase's record: the ghost choice and a --ghost replay, and the SHA-256 of the level in play. The
// recording lives in replay_recorder.h, the chase's part of each level start in chase_run.h.
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
