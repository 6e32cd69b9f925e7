// SPDX-License-Identifier: MIT
// The layer over a watched replay: a thin progress bar with the time in the level and the speed, and
// the recorded steering keys as four arrows and a Shift mark. The replay viewer (watch/) fills it.
#pragma once

#include "sim/marble.h"

struct WatchOverlay {
    bool watching = false;     // nothing is drawn otherwise
    bool showBar = false;      // just sought, or not at 1x (and always while paused)
    float levelSeconds = 0.0f; // recorded time in the level so far
    float levelLength = 0.0f;  // recorded time of the whole level
    float speed = 1.0f;
    bool showKeys = false;
    SteerKeys keys = 0; // the keys of the tick last played
};

extern WatchOverlay TheWatchOverlay;

// The viewer's way of changing what the layer shows.
void showWatchOverlay(const WatchOverlay& overlay);

// Draws the bar and the keys over the playing frame, as TheWatchOverlay says.
void drawWatchOverlay();
