// SPDX-License-Identifier: MIT
// The app's own run values (the counter, the name cursor, the cue flags), and every shared value of the
// game in one include: the simulated state, the level list and what the screens show.
#pragma once

#include <cstdint>

#include "level/map_list.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"

extern int64_t LastCounterValue;
extern int32_t NameCursor; // letters typed so far on the name-entry screen (0..3)
extern bool GoCuePlayed;
extern bool TimeUpCuePlayed;

// Puts every value of this include back to its program-start value (the level list becomes empty, the
// simulated state a fresh one). The game itself never needs this; tests and tools that run several
// games in one process do.
void resetRunState();
