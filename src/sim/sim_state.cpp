// SPDX-License-Identifier: MIT
// The one simulated state and the names of its parts, with their program-start values (see
// sim_state.h); a fresh SimState() is that start.
#include "sim/sim_state.h"

SimState TheSim;

Marble& TheMarble = TheSim.marble;
FollowCamera& TheCamera = TheSim.camera;
std::vector<float>& LevelTimes = TheSim.levelTimes;
int32_t& LevelNumber = TheSim.levelNumber;
float& RoundClock = TheSim.roundClock;
float& FreezeTimer = TheSim.freezeTimer;
float& LevelEndTime = TheSim.levelEndTime;
bool& LevelFinished = TheSim.levelFinished;

float runTotal(const SimState& state)
{
    float total = 0.0f;
    for (float seconds : state.levelTimes)
        total += seconds;
    return total;
}
