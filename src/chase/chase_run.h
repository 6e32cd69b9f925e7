// SPDX-License-Identifier: MIT
// The chase's part of the run: what it does at every level start, and its reset.
#pragma once

// The level start, once the marble is placed: the level's recording starts, its map file is hashed and
// the last finish summary cleared, and its ghost is built.
void chaseLevelStarted();

// Forgets the --ghost replay, the choice, the recording and what the frame shows of the chase (tests
// that run several games in one process).
void resetChase();
