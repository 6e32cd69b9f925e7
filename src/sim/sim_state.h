// SPDX-License-Identifier: MIT
// The simulated state: everything a round step reads and writes besides the board, as one value, so
// a snapshot is a copy and a restore an assignment. One global, TheSim, whose parts keep their names.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/round_clock.h"

struct SimState {
    Marble marble;
    FollowCamera camera;
    std::vector<float> levelTimes;      // seconds used on each level this game; 225 = not finished
    int32_t levelNumber = -1;           // 1-based level in play; 0 just before a new game's first level; -1 at start
    float roundClock = 0.0f;            // seconds left: above 45 the countdown, 45..0 playing, below 0 time up
    float freezeTimer = 0.0f;           // while above 0 the marble is held still
    float levelEndTime = TimeUpEndTime; // RoundClock value below which the round ends
    bool levelFinished = true;          // the marble crossed the finish of this level
};

extern SimState TheSim;

// The run's total: every level's time summed in playing order, as the best-times table gets it (a
// replay's total and its verification sum the same way, so they agree to the bit).
float runTotal(const SimState& state);

// The game's names for the parts of TheSim: the round step, the level start and the screens use these.
extern Marble& TheMarble;
extern FollowCamera& TheCamera;
extern std::vector<float>& LevelTimes;
extern int32_t& LevelNumber;
extern float& RoundClock;
extern float& FreezeTimer;
extern float& LevelEndTime;
extern bool& LevelFinished;
