// SPDX-License-Identifier: MIT
// The Marble: a point that rolls on the board's surface, and the steering keys that push it. Its per-tick
// update with the level rules is in round_step.h; it is drawn by render/marble_renderer.h.
#pragma once

#include <cstdint>

#include "sim/vec_math.h"

// The steering keys held during a tick, as bits. The run polls them; tools and tests pass their own.
enum SteerKey : uint8_t {
    SteerLeft = 1,
    SteerRight = 2,
    SteerUp = 4,
    SteerDown = 8,
    SteerShift = 16,
};
using SteerKeys = uint8_t;

// The push of the steering keys, plain and with Shift held.
constexpr float DriveForce = 40.0f;
constexpr float ShiftDriveForce = 65.0f;
// The speed limit is this times the drive force, in velocity units.
constexpr float SpeedLimitPerForce = 0.1f;
// World units moved per second for each unit of velocity.
constexpr float PositionScale = 210.0f;
// The fastest the marble moves, in world units a second: Shift held, at its speed limit.
constexpr float TopSpeed = ShiftDriveForce * SpeedLimitPerForce * PositionScale;

class Board;

class Marble {
public:
    Vec3 velocity; // world units per 1/210 s
    Vec3 position; // on the surface: z = heightAt(x, y) after every step
    float driveForce = 0.0f;
    float color[3] = {0.0f, 0.0f, 0.0f}; // 0..255 each

    void setVelocity(Vec3 v) { velocity = v; }
    Vec3 getPosition() const { return position; }
    void setPosition(Vec3 p) { position = p; }
    void setDriveForce(float f) { driveForce = f; }
    float getDriveForce() const { return driveForce; }
    void setColor(float r, float g, float b);

    // One semi-implicit Euler step over the board's surface. (sim/marble.cpp)
    void integrate(const Board& board, Vec3 force, float seconds);
};
