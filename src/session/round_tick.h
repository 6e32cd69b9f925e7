// SPDX-License-Identifier: MIT
// The tick: the real time since the last one, the round played one step with its finish cue, banner
// and round cues, the frame and the end of the round. One body for the live round and a watched replay.
#pragma once

#include "sim/round_step.h"

// One tick of the game: measures the time since the last one, runs the round unless paused or halted
// (or held back by the tickDue hook), shows the frame.
void tick();

// Plays one tick of the round: the round step, the finish cue when audible, then, when drawn, the
// finish booked (the levelFinished hook), the frame and the round's end, else only the banner's
// shrinking; last the round cues (audible, or only their flags: a replay being sought through).
void playTick(const RoundInput& input, bool audible, bool drawn);
