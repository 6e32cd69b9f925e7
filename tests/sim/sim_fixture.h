// Shared set-up of the simulation tests: a clean backend, run state, board, marble and camera, and the
// play tick's simulation steps (clock, freeze, marble, camera) for tests that run whole rounds.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "level/board.h"
#include "platform/headless/headless.h"
#include "sim/camera.h"
#include "sim/marble.h"

inline void expectVecNear(Vec3 actual, Vec3 expected, float tolerance, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what << ": x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what << ": y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what << ": z";
}

class SimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        resetRunState();
        TheBoard.setHoles({});
        TheBoard.vertices.clear();
        TheBoard.projected.clear();
        TheBoard.texCoords.clear();
        TheMarble = Marble();
        TheCamera = FollowCamera();
    }

    void TearDown() override
    {
        headless::reset();
        resetRunState();
        TheBoard.setHoles({});
    }

    // A round in play with `clock` seconds left: one level listed, nothing finished, no freeze.
    static void startRound(float clock = 30.0f)
    {
        LevelCount = 1;
        LevelTimes.assign(1, UnfinishedLevelSeconds);
        LevelNumber = 1;
        RoundClock = clock;
        FreezeTimer = 0.0f;
        LevelFinished = false;
        LevelEndTime = TimeUpEndTime;
        FrameSeconds = 0.01f;
    }

    static void placeMarble(float x, float y)
    {
        TheMarble.setPosition(Vec3(x, y, TheBoard.heightAt(x, y)));
        TheMarble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
    }

    // The simulation part of one play tick, in the game's order.
    static void tick(float seconds)
    {
        FrameSeconds = seconds;
        RoundClock -= seconds;
        FreezeTimer -= seconds;
        updateMarble();
        updateCamera();
    }

    static void holdKeys(std::initializer_list<int> keys)
    {
        headless::releaseAllKeys();
        for (int key : keys)
            headless::setKeyDown(key, true);
    }
};
