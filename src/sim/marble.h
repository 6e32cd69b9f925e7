// The Marble: a point that rolls on the board's surface, and the per-tick update that turns the polled
// arrow keys into a push along the surface. One global, TheMarble. Level rules live in rules.h.
#pragma once

#include "sim/vec_math.h"

class Board;

class Marble {
public:
    Vec3 velocity;   // world units per 1/210 s
    Vec3 position;   // on the surface: z = heightAt(x, y) after every step
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

// Per-tick update of TheMarble on TheBoard: keys, drive force, integration while the round runs, rules.
void updateMarble();
