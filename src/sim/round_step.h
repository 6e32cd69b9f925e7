// SPDX-License-Identifier: MIT
// The playing part of a tick (the clock and freeze, the marble with its rules, the camera) and the level
// start's placement of the marble and camera: the one copy the game, the level tools and the tests run.
#pragma once

#include "sim/marble.h"
#include "sim/rules.h"
#include "sim/sim_state.h"

class Board;

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

// Puts the marble at rest on the start point and the camera eye behind and above it, as every level
// start does; the camera's angles are left as they are.
void placeMarbleAndCamera(SimState& state, const Board& board);
