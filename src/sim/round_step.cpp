// SPDX-License-Identifier: MIT
// The round step every caller shares, the marble's per-tick update, and the start of a round. The
// cues, the frame and the end of the round belong to the game's tick (session/round_tick.cpp).
#include "sim/round_step.h"

#include "level/board.h"
#include "sim/camera.h"

namespace {

const Vec3 StartOffsetOfEye(0.0f, -3000.0f, -6000.0f);

} // namespace

LevelEvents stepRound(SimState& state, const Board& board, const RoundInput& input)
{
    state.roundClock -= input.seconds;
    state.freezeTimer -= input.seconds;
    LevelEvents events = updateMarble(state, board, input.keys, input.seconds);
    if (input.moveCamera)
        updateCamera(state.camera, board, state.marble.getPosition(), input.cameraLag, input.seconds);
    return events;
}

LevelEvents updateMarble(SimState& state, const Board& board, SteerKeys keys, float seconds)
{
    if (state.levelFinished)
        return LevelEvents();

    // Each tangent is taken at the marble's point as the keys are tested, in the order Left, Right,
    // Up, Down; the keys follow the world axes, not the camera.
    Marble& marble = state.marble;
    Vec3 controlForce(0.0f, 0.0f, 0.0f);
    Vec3 p = marble.getPosition();
    if ((keys & SteerLeft) != 0)
        controlForce.subInPlace(board.tangentX(p.x, p.y));
    if ((keys & SteerRight) != 0)
        controlForce.addInPlace(board.tangentX(p.x, p.y));
    if ((keys & SteerUp) != 0)
        controlForce.addInPlace(board.tangentY(p.x, p.y));
    if ((keys & SteerDown) != 0)
        controlForce.subInPlace(board.tangentY(p.x, p.y));

    marble.setDriveForce((keys & SteerShift) != 0 ? ShiftDriveForce : DriveForce);
    controlForce = scale(controlForce, marble.getDriveForce());

    if (state.freezeTimer <= 0.0f && state.roundClock >= 0.0f && state.roundClock <= PlayingSeconds)
        marble.integrate(board, controlForce, seconds);

    return applyLevelRules(state, board);
}

void startRound(SimState& state, const Board& board, float clock)
{
    state.roundClock = clock;
    state.freezeTimer = 0.0f;
    state.levelEndTime = TimeUpEndTime;
    state.levelFinished = false;
    float z = board.heightAt(StartX, StartY);
    state.marble.setPosition(Vec3(StartX, StartY, z));
    state.marble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
    state.camera.eye = add(state.marble.getPosition(), StartOffsetOfEye);
}
