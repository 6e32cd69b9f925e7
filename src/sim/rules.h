// SPDX-License-Identifier: MIT
// The level rules: falling into a hole, leaving the board at a side or behind the start, and crossing
// the finish line. Run at the end of every updateMarble that is not skipped.
#pragma once

class Board;
struct SimState;

// What the rules did in one update, so that the caller can play the cues: the finish is reported on
// the update that crosses the line, and only then.
struct LevelEvents {
    bool fell = false;     // at least one penalty was charged
    bool finished = false; // the finish was booked
};

// Applies the rules to the marble of `state` on `board`, charging falls to its clock and booking its finish.
LevelEvents applyLevelRules(SimState& state, const Board& board);
