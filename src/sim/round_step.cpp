// The round step every caller shares, and the level start's placement. The cues, the frame and the
// end of the round belong to the game's tick (app/round.cpp).
#include "sim/round_step.h"

#include "level/board.h"
#include "sim/camera.h"
#include "sim/round_clock.h"

namespace {

const Vec3 StartOffsetOfEye(0.0f, -3000.0f, -6000.0f);

} // namespace

LevelEvents stepRound(const RoundInput& input)
{
    RoundClock -= input.seconds;
    FreezeTimer -= input.seconds;
    LevelEvents events = updateMarble(input.keys, input.seconds);
    if (input.moveCamera)
        updateCamera(input.cameraLag, input.seconds);
    return events;
}

void placeMarbleAndCamera()
{
    float z = TheBoard.heightAt(StartX, StartY);
    TheMarble.setPosition(Vec3(StartX, StartY, z));
    TheMarble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
    // The camera's smoothed angles are kept: it swings round from where it looked.
    TheCamera.eye = add(TheMarble.getPosition(), StartOffsetOfEye);
}
