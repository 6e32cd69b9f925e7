// SPDX-License-Identifier: MIT
// The follow camera: chases a point behind and above the marble with the chosen lag, keeps its
// clearance over the hills, and rebuilds the Transform the renderers draw with. Part of the SimState.
#pragma once

#include "sim/vec_math.h"

class Board;

struct FollowCamera {
    Vec3 eye;
    float pitch = 0.0f;
    float yaw = 0.0f;
    float roll = 0.0f;
    Transform transform;
    // Aim targets of the latest update, kept so an aim quotient without a value reuses them.
    float pitchTarget = 0.0f;
    float yawTarget = 0.0f;
};

// One chase step of `seconds` toward the marble at `marble` on `board`, with the Camera Lag option's value
// `lag` (0 = tight .. 9 = lazy).
void updateCamera(FollowCamera& camera, const Board& board, Vec3 marble, float lag, float seconds);
