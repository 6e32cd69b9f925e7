// SPDX-License-Identifier: MIT
// Watching a replay in the window (roliquo --replay FILE): the recorded run plays again as it was
// played, with the frames, clock, banner, cues and music of the game itself. Each tick's length and
// keys come from the file, paced by the real clock times the chosen speed; it can be paused, sought
// and jumped through by level (watch_controls.h). Esc ends it, and so does the end of its last level.
// The run calls the last three through its hooks.
#pragma once

#include <cstdint>
#include <string>

#include "sim/marble.h"

// Exit statuses of the game when watching: a map file that is not the recorded one, a file that is
// no replay, and a replay of another simulation version (it would not play the same).
constexpr int WatchedMapDiffersExitCode = 1;
constexpr int ReplayUnreadableExitCode = 2;
constexpr int OtherSimulationExitCode = 4;

// Reads the replay to watch, before the window opens. 0 when it can be watched; else one of the exit
// statuses above with "FILE:LINE: why" (or "FILE: why") in error.
int loadReplayToWatch(const std::string& path, std::string& error);
// After the start-up: the replay's levels become the level list and its first level starts (a
// watching run).
void startWatchingReplay();
// Stops watching and forgets the replay (tests that run several games in one process).
void stopWatchingReplay();

// The key table asks first: Esc ends the replay, F1 is ignored (the file holds the skips), and the
// watching keys are taken. True when the key was taken.
bool watchingTakesKey(int virtualKey);

// A pad has fewer buttons than the viewer has keys: while a replay is watched, the pad's Tab (west
// button) restarts the level as Home does and its F7 (right stick click) goes on as Page Down. Every
// other key, and every key from the keyboard, is returned as it came.
int watchedPadKey(int virtualKey, int64_t lParam);
// The level start, before the level number advances: keeps the moment it starts from (for the level
// jumps); true once the replay's last level is behind (the game then ends, status 0).
bool watchedRunIsOver();
// The level start, once the marble is placed: the recorded clock and Camera Lag, the map file
// checked against the recorded SHA-256 (another file ends the replay, status 1), the first keyframe.
void watchLevelStart();
// The tick, before the round step: while watching, false until the real clock (times the speed) has
// caught up with the next recorded tick, then true with FrameSeconds, keys and the Camera Lag taken
// from it; ticks due before that one are played undrawn first. Not watching: true, nothing changed.
bool takeWatchedTick(SteerKeys& keys);
