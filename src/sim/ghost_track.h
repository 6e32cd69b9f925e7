// SPDX-License-Identifier: MIT
// A ghost's track: where a recorded run's marble was at each round time (seconds since the start
// signal, 45 - RoundClock), with the position between two samples and the time the run first reached
// a distance along the board. Built by the app from a replay; read by the frame. Not part of SimState.
#pragma once

#include <vector>

#include "sim/vec_math.h"

struct GhostSample {
    float roundTime = 0.0f; // 45 - RoundClock after the tick
    Vec3 position;
};

struct GhostTrack {
    std::vector<GhostSample> samples;    // in tick order; round times never decrease
    float color[3] = {0.0f, 0.0f, 0.0f}; // 0..255, as the marble's

    bool empty() const { return samples.empty(); }
    // The position at roundTime, interpolated between the two samples around it; before the first
    // sample the first, after the last the last. False for an empty track.
    bool positionAt(float roundTime, Vec3& out) const;
    // The round time at which the run first reached y (interpolated between the samples either side).
    // False when it never did.
    bool timeAtY(float y, float& out) const;
};

// How far behind the ghost the player is, in seconds: now minus the time the ghost first reached the
// player's y. Negative when the player is ahead. False when the ghost never reached that y.
bool ghostGap(const GhostTrack& track, float now, float y, float& gap);
