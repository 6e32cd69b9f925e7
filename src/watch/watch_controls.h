// SPDX-License-Identifier: MIT
// The keys while watching a replay (pause, seek, restart, level jumps, speed, tick steps, the key
// display) and the overlay they show.
#pragma once

// True when the key was taken.
bool watchControlTakesKey(int virtualKey);
// Fills the overlay from the session before a frame.
void refreshWatchOverlay();
