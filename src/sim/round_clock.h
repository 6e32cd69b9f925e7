// SPDX-License-Identifier: MIT
// The round's fixed times: the playing time of every level, the time booked for a level not finished,
// and the end mark of a round that ran out. The clock itself is part of the SimState (sim_state.h).
#pragma once

// Playing time of every level, and the time booked for a level that was not finished.
constexpr float PlayingSeconds = 45.0f;
constexpr float UnfinishedLevelSeconds = 225.0f;
// LevelEndTime of an unfinished level: the round ends 4 s after the clock passes zero.
constexpr float TimeUpEndTime = -4.0f;
