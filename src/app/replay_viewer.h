// SPDX-License-Identifier: MIT
// Watching a replay in the window (roliquo --replay FILE): the recorded run plays again as it was
// played, with the frames, clock, banner, cues and music of the game itself. Each tick's length and
// keys come from the file, paced by the real clock; Esc ends it, and so does the end of its last level.
#pragma once

#include <string>

#include "sim/marble.h"

// Reads the replay to watch, before the window opens. False with "FILE:LINE: why" in error.
bool loadReplayToWatch(const std::string& path, std::string& error);
bool isWatchingReplay();
// After the start-up: the replay's levels become the level list and its first level starts.
void startWatchingReplay();
// Stops watching and forgets the replay (tests that run several games in one process).
void stopWatchingReplay();

// The key table asks first: Esc ends the replay, F1 is ignored (the file holds the skips). True when
// the key was taken.
bool watchingTakesKey(int virtualKey);
// The level start, before the level number advances: true once the replay's last level is behind (the
// game then ends, status 0).
bool watchedRunIsOver();
// The level start, once the marble is placed: the recorded clock and Camera Lag, and the map file
// checked against the recorded SHA-256 (another file ends the replay, status 1).
void watchLevelStart();
// The tick, before the round step: while watching, false until the real clock has caught up with the
// next recorded tick, then true with FrameSeconds, keys and the Camera Lag taken from it. Not watching:
// true, nothing changed.
bool takeWatchedTick(SteerKeys& keys);
