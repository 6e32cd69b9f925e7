// The Marble: a point that rolls on the board's surface, and the per-tick update that turns the held
// steering keys into a push along the surface. One global, TheMarble. Level rules live in rules.h.
#pragma once

#include <cstdint>

#include "sim/rules.h"
#include "sim/vec_math.h"

// The steering keys held during a tick, as bits. The app polls them; tools and tests pass their own.
enum SteerKey : uint8_t {
    SteerLeft = 1,
    SteerRight = 2,
    SteerUp = 4,
    SteerDown = 8,
    SteerShift = 16,
};
using SteerKeys = uint8_t;

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

    // Draws the marble as a shaded disc. (render/marble_renderer.cpp)
    void draw(const Transform& camera, const Board& board, bool normal) const;
};

extern Marble TheMarble;

// Per-tick update of TheMarble on TheBoard: keys, drive force, integration over `seconds` while the
// round runs, rules. Reports what the rules did; nothing when the level is already finished.
LevelEvents updateMarble(SteerKeys keys, float seconds);
