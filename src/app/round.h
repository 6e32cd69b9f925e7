// SPDX-License-Identifier: MIT
// The tick (clock, marble, camera, frame, end of round, cues) and the level start.
#pragma once

// Clock values of a round.
constexpr float FirstLevelClock = 52.0f; // a new game: a 7 s countdown to the start signal
constexpr float LaterLevelClock = 46.5f; // every later level: 1.5 s
constexpr float FinishToNextLevelSeconds = 1.0f;

// One tick: measures the time since the last one, runs the round unless paused or halted, draws.
// (round.cpp)
void tick();

// Starts the next level of the run, or completes the run after the last one. (level_start.cpp)
void startLevel();
