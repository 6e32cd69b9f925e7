// SPDX-License-Identifier: MIT
// Recording the run being played for its replay: every tick that advances the round, with its length
// and steering keys, level by level; the replay is kept once the run's total is in the table and named.
// Menus, paused ticks and screens are not part of it. Watching a replay records nothing.
#pragma once

#include "replay/replay_file.h"
#include "sim/marble.h"

// The level start, before the level number advances: closes the level being left (its booked time,
// whether it was left with F1, where the marble stopped). A new game starts a fresh recording.
void recordLevelEnd();
// The level start, once the level is loaded and the marble placed: its map file, hash, clock and lag.
void recordLevelStart();
// Every tick that advances the round, with the keys it hands to the round step.
void recordTick(SteerKeys keys);
// The name of the completed run's row is settled (typed, or left through the menu): its replay is
// saved in the background (replay/replay_store.h).
void keepNamedRunReplay();

// A copy of the level being recorded so far (its ticks up to this one). False when this level is not
// being recorded (watching a replay, or the recording was given up).
bool recordedLevel(ReplayLevel& out);
