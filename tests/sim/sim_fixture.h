// SPDX-License-Identifier: MIT
// Shared set-up of the simulation tests: clean round state, board, marble and camera, held steering
// keys and camera lag, and the shared round step for tests that run whole rounds.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "level/board.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/round_step.h"
#include "sim/sim_state.h"

inline void expectVecNear(Vec3 actual, Vec3 expected, float tolerance, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what << ": x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what << ": y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what << ": z";
}

class SimTest : public ::testing::Test {
public:
    // The keys the next update holds, and the Camera Lag option's value (6 at program start).
    static inline SteerKeys HeldKeys = 0;
    static inline float CameraLag = 6.0f;

protected:
    void SetUp() override
    {
        TheSim = SimState();
        HeldKeys = 0;
        CameraLag = 6.0f;
        TheBoard.setHoles({});
    }

    void TearDown() override
    {
        TheSim = SimState();
        TheBoard.setHoles({});
    }

    // A round in play with `clock` seconds left: one level listed, nothing finished, no freeze.
    static void startRound(float clock = 30.0f)
    {
        LevelTimes.assign(1, UnfinishedLevelSeconds);
        LevelNumber = 1;
        RoundClock = clock;
        FreezeTimer = 0.0f;
        LevelFinished = false;
        LevelEndTime = TimeUpEndTime;
    }

    static void placeMarble(float x, float y)
    {
        TheMarble.setPosition(Vec3(x, y, TheBoard.heightAt(x, y)));
        TheMarble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
    }

    // The simulation part of one play tick, through the game's own round step.
    static LevelEvents tick(float seconds) { return stepRound(TheSim, TheBoard, {seconds, HeldKeys, CameraLag}); }

    static void holdKeys(std::initializer_list<SteerKey> keys)
    {
        HeldKeys = 0;
        for (SteerKey key : keys)
            HeldKeys |= key;
    }
};
