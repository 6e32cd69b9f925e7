// SPDX-License-Identifier: MIT
// What the playing frame shows of the chase beside the specified game: the ghost and the gap to it,
// the word of a changed ghost choice, and the level's time against its record and par at the finish.
// The app writes these (app/ghost.cpp, app/record_keeper.cpp); the frame only reads them.
#pragma once

#include <cstdint>
#include <string>

#include "scores/medal.h"
#include "sim/ghost_track.h"

// The ghost of this level; empty when none runs (the choice is off, or no run matches the level).
extern GhostTrack TheGhostTrack;
// Whether the chase is on at all (a ghost choice other than off): the gap and the finish summary show
// only then, so with the ghost off a game looks exactly as it always did.
extern bool ChaseShown;

// The word shown for a moment when the ghost choice changes ("GHOST PAR"), and the real seconds left.
extern std::string GhostNotice;
extern float GhostNoticeSeconds;

// The latest finish, shown until the next level starts.
struct FinishSummary {
    int32_t level = 0; // the level it belongs to; 0: none
    float seconds = 0.0f;
    bool hadRecord = false;   // a record stood before this finish
    float recordDelta = 0.0f; // seconds minus that record
    bool hasPar = false;
    float parDelta = 0.0f; // seconds minus par
    Medal medal = Medal::None;
};
extern FinishSummary LastFinish;

// The ghost disc, after the marble: at the ghost's position at the current round time.
void drawGhost();
// The gap figure while the round runs, the ghost choice's word, and the finish summary.
void drawChaseOverlay();
