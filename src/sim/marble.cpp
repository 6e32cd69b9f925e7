// SPDX-License-Identifier: MIT
// Marble physics: one semi-implicit Euler step over the board's surface. The per-tick update that turns
// the held keys into a push lives in round_step.cpp, the level rules in rules.cpp.
#include "sim/marble.h"

#include "level/board.h"

constexpr float Gravity = 11.76f;
constexpr float GravityScale = 10.0f;
constexpr float DragFactor = -9.5f;
constexpr float Response = 0.1f;

void Marble::setColor(float r, float g, float b)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
}

void Marble::integrate(const Board& board, Vec3 force, float seconds)
{
    Vec3 slope = board.slopeAt(position.x, position.y);
    Vec3 gravity = scale(Vec3(0.0f, 0.0f, Gravity), GravityScale);
    Vec3 downhill = scale(slope, dot(gravity, slope));
    Vec3 drag = scale(velocity, DragFactor);
    Vec3 acceleration = scale(add(add(force, downhill), drag), Response);
    velocity.addInPlace(scale(acceleration, seconds));

    // The limit holds the whole velocity, vertical part included.
    float limit = SpeedLimitPerForce * driveForce;
    if (velocity.length() > limit)
        velocity = scale(velocity.normalized(), limit);

    Vec3 previous = position;
    float step = seconds * PositionScale;
    position.addInPlace(scale(velocity, step));
    position.z = board.heightAt(position.x, position.y);

    // The vertical velocity is the height change of this step (old minus new); a step of no time has
    // no change to measure, so it keeps the value it had.
    if (step != 0.0f)
        velocity.z = (previous.z - position.z) / step;
}
