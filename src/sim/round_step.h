// SPDX-License-Identifier: MIT
// The playing part of a tick (the clock and freeze, the marble with its rules, the camera) and the level
// start of a round: the one copy the game, the level tools and the tests run.
#pragma once

#include "sim/marble.h"
#include "sim/rules.h"
#include "sim/sim_state.h"

class Board;

// The simulation's version, written into every replay so that a replay says which arithmetic played
// it. Raise it whenever a change to the round step (the physics, the rules, the camera, the clock)
// changes what a run books: the golden traces in tests/levels/golden/ then change, and so does this.
constexpr int SimulationVersion = 1;

// One tick's input: its length, the steering keys held during it and the Camera Lag option.
struct RoundInput {
    float seconds = 0.0f;
    SteerKeys keys = 0;
    float cameraLag = 0.0f;
    // A search that only needs where the marble goes may leave the camera where it is.
    bool moveCamera = true;
};

// Runs the round of `state` on `board` for one tick in the game's order: RoundClock and FreezeTimer count
// down, updateMarble (with the level rules), updateCamera. Reports what the rules did, so the caller
// plays the cues.
LevelEvents stepRound(SimState& state, const Board& board, const RoundInput& input);

// The marble's part of a tick: the keys' push along the surface, the integration over `seconds` while
// the round runs (clock 45..0, no freeze), then the level rules. Nothing when the level is finished.
LevelEvents updateMarble(SimState& state, const Board& board, SteerKeys keys, float seconds);

// The clock a level starts with: a game's first level counts down 7 s to the start signal at 45, every
// later level 1.5 s. (A solver route starts at 45 itself.)
constexpr float FirstLevelClock = 52.0f;
constexpr float LaterLevelClock = 46.5f;
constexpr float levelStartClock(bool firstLevelOfGame)
{
    return firstLevelOfGame ? FirstLevelClock : LaterLevelClock;
}

// Starts a round of `state` on `board` with `clock` seconds on the clock, as every level start does
// (the game's, the ghost's, the level tools' and the tests'): no freeze, the level unfinished, the
// marble at rest on the start point and the camera eye behind and above it. The camera's angles are
// left as they are, so it swings round from where it looked.
void startRound(SimState& state, const Board& board, float clock);
