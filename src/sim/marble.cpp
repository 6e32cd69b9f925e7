// Marble physics: one semi-implicit Euler step over the board's surface, and the per-tick update that
// turns the held steering keys into a push along the surface. Level rules live in rules.cpp.
#include "sim/marble.h"

#include "level/board.h"
#include "sim/round_clock.h"

Marble TheMarble;

constexpr float DriveForce = 40.0f;
constexpr float ShiftDriveForce = 65.0f;
constexpr float Gravity = 11.76f;
constexpr float GravityScale = 10.0f;
constexpr float DragFactor = -9.5f;
constexpr float Response = 0.1f;
constexpr float SpeedLimitPerForce = 0.1f;
// World units moved per second for each unit of velocity.
constexpr float PositionScale = 210.0f;

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

LevelEvents updateMarble(SteerKeys keys, float seconds)
{
    if (LevelFinished)
        return LevelEvents();

    // Each tangent is taken at the marble's point as the keys are tested, in the order Left, Right,
    // Up, Down; the keys follow the world axes, not the camera.
    Vec3 controlForce(0.0f, 0.0f, 0.0f);
    Vec3 p = TheMarble.getPosition();
    if ((keys & SteerLeft) != 0)
        controlForce.subInPlace(TheBoard.tangentX(p.x, p.y));
    if ((keys & SteerRight) != 0)
        controlForce.addInPlace(TheBoard.tangentX(p.x, p.y));
    if ((keys & SteerUp) != 0)
        controlForce.addInPlace(TheBoard.tangentY(p.x, p.y));
    if ((keys & SteerDown) != 0)
        controlForce.subInPlace(TheBoard.tangentY(p.x, p.y));

    TheMarble.setDriveForce((keys & SteerShift) != 0 ? ShiftDriveForce : DriveForce);
    controlForce = scale(controlForce, TheMarble.getDriveForce());

    if (FreezeTimer <= 0.0f && RoundClock >= 0.0f && RoundClock <= PlayingSeconds)
        TheMarble.integrate(TheBoard, controlForce, seconds);

    return applyLevelRules();
}
