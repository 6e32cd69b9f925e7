// SPDX-License-Identifier: MIT
// The chase's record and its part of every level start, in the order each step needs: the ghost needs
// the hash, the hash the recorded level.
#include "chase/chase.h"

#include "chase/ghost.h"
#include "chase/record_keeper.h"
#include "chase/replay_recorder.h"
#include "screen/chase_view.h"

Chase TheChase;

void chaseLevelStarted()
{
    recordLevelStart();
    noteLevelStart();
    prepareGhost();
}

void resetChase()
{
    TheChase = Chase();
    resetReplayRecorder();
    TheChaseView = ChaseView();
}
