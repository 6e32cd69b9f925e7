// SPDX-License-Identifier: MIT
// `roliquo-level solve`: a beam search for key input that finishes the loaded level with the game's
// physics and rules, ticking at 60 Hz from the current sim state (a level start at clock 45).
#pragma once

#include <vector>

#include "trace_io.h"

struct SolveOptions {
    float maxSeconds = 45.0f; // give up once this much clock has been used
    int beamWidth = 96;       // states kept after every chunk
    int chunkTicks = 6;       // ticks one key choice is held for
};

struct SolveResult {
    bool finished = false;
    float finishTime = 0.0f;      // the time the game books: 45 minus the clock at the finish
    std::vector<TickInput> steps; // one per tick, ending with the finishing tick
    int falls = 0;                // holes and edges on the way
    long long ticksSimulated = 0; // search effort
    // The point furthest along the board (largest y) that any searched state reached, and the clock
    // there: where a search that fails got stuck.
    float furthestX = 0.0f;
    float furthestY = 0.0f;
    float furthestClock = 0.0f;
};

// Searches from the current state and leaves the state as it was found.
SolveResult solveLevel(const SolveOptions& options);
