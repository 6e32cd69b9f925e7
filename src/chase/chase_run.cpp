// SPDX-License-Identifier: MIT
// The chase's part of every level start, in the order each step needs (the ghost needs the hash), and
// the reset of its record, its recording and its view.
#include "chase/chase_run.h"

#include "chase/chase.h"
#include "chase/ghost.h"
#include "chase/record_keeper.h"
#include "chase/replay_recorder.h"
#include "screen/chase_view.h"

void chaseLevelStarted()
{
    recordLevelStart();
    noteLevelStart();
    prepareGhost();
}

void resetChase()
{
    TheChase = Chase();
    TheChaseView = ChaseView();
}
