// SPDX-License-Identifier: MIT
// What the playing frame shows of the chase beside the specified game: the ghost and the gap to it,
// the word of a changed ghost choice, and the level's time against its record and par at the finish.
// The chase room tells it what to show (chase/ghost.cpp, chase/record_keeper.cpp); the frame draws it.
#pragma once

#include <cstdint>
#include <string>

#include "scores/medal.h"
#include "sim/ghost_track.h"

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

struct ChaseView {
    // The ghost of this level; empty when none runs (the choice is off, or no run matches the level).
    GhostTrack ghost;
    // Whether the chase is on at all (a ghost choice other than off): the gap and the finish summary
    // show only then, so with the ghost off a game looks exactly as it always did.
    bool shown = false;
    // The word shown for a moment when the ghost choice changes ("GHOST PAR"), and the real seconds left.
    std::string notice;
    float noticeSeconds = 0.0f;
    FinishSummary lastFinish;
};
extern ChaseView TheChaseView;

// Whether the chase shows, and the ghost it shows (an empty track: none).
void showGhost(bool shown, GhostTrack track);
// Shows `word` for `seconds` of real time.
void showGhostNotice(const char* word, float seconds);
void showFinish(const FinishSummary& summary);

// The ghost disc, after the marble: at the ghost's position at the current round time.
void drawGhost();
// The gap figure while the round runs, the ghost choice's word, and the finish summary.
void drawChaseOverlay();
