// SPDX-License-Identifier: MIT
// The follow camera: the settled chase view, the lag as a first-order chase with its 0.1 s cap, the
// clearance samples around the target, yaw and roll turning together, and aims without a value.
#include <gtest/gtest.h>

#include <cmath>

#include "sim_fixture.h"

namespace {

class CameraTest : public SimTest {
protected:
    void SetUp() override
    {
        SimTest::SetUp();
        startRound(30.0f);
        placeMarble(0.0f, -5800.0f);
    }

    static void cameraTick(float seconds)
    {
        updateCamera(TheCamera, TheBoard, TheMarble.getPosition(), CameraLag, seconds);
    }
};

} // namespace

TEST_F(CameraTest, SettledChaseSeesTheMarbleStraightAhead)
{
    Vec3 p = TheMarble.getPosition();
    TheCamera.eye = add(p, Vec3(0, -400, -350));
    CameraLag = 0.0f;
    cameraTick(0.1f);
    EXPECT_NEAR(TheCamera.pitch, -0.852f, 1e-3f);
    EXPECT_EQ(TheCamera.yaw, 0.0f);
    EXPECT_EQ(TheCamera.roll, 0.0f);
    Vec3 c = apply(TheCamera.transform.getRotation(), sub(p, TheCamera.transform.getPosition()));
    EXPECT_NEAR(c.x, 0.0f, 1e-3f);
    EXPECT_NEAR(c.y, 0.0f, 1e-3f) << "the marble is on the view axis";
    EXPECT_NEAR(c.z, 531.5f, 0.01f) << "at the eye's distance in front";
}

TEST_F(CameraTest, LagZeroLandsOnTheTargetInOneTick)
{
    for (float seconds : {0.1f, 0.5f, 3.0f}) {
        Vec3 p = TheMarble.getPosition();
        TheCamera = FollowCamera();
        TheCamera.eye = add(p, Vec3(0, -3000, -6000)); // where a level starts it
        CameraLag = 0.0f;
        cameraTick(seconds);
        EXPECT_EQ(TheCamera.eye.x, 0.0f) << seconds << " s";
        EXPECT_EQ(TheCamera.eye.y, -6200.0f) << seconds << " s";
        EXPECT_EQ(TheCamera.eye.z, -350.0f) << seconds << " s: flat ground leaves the target at -350";
        // Aimed from the eye before the move: 3000 behind, 6000 above.
        EXPECT_NEAR(TheCamera.pitch, -std::atan(0.5f), 1e-6f) << seconds << " s";
        EXPECT_EQ(TheCamera.transform.getPosition().y, -6200.0f) << "the transform carries the eye";
    }
}

TEST_F(CameraTest, ALongTickCountsAsATenthOfASecond)
{
    Vec3 p = TheMarble.getPosition();
    TheCamera.eye = add(p, Vec3(0, -3000, -6000));
    CameraLag = 6.0f;
    cameraTick(0.5f);
    // k = (10 - 6) x 0.1: 40 % of the way to (0, -6200, -350).
    EXPECT_NEAR(TheCamera.eye.y, -7760.0f, 1e-2f);
    EXPECT_NEAR(TheCamera.eye.z, -3740.0f, 1e-2f);
    EXPECT_NEAR(TheCamera.pitch, 0.4f * -std::atan(0.5f), 1e-6f);
}

TEST_F(CameraTest, HillsAtTheClearanceSamplesLiftTheTarget)
{
    // With the marble at (0, 0) the target eye is at (0, -400); a narrow, tall bump at one sample
    // point stands exactly 1000 above z = 0 there.
    struct Case {
        float bumpX, bumpY;
        bool lifts;
        const char* name;
    } cases[] = {
        {0, -400, true, "under the target"},         {0, -250, true, "150 ahead of the target"},
        {75, -400, true, "75 to the right"},         {-75, -400, true, "75 to the left"},
        {0, -550, false, "150 behind: not sampled"}, {0, -800, false, "far behind"},
    };
    for (const Case& c : cases) {
        TheBoard.setHoles({{c.bumpX, c.bumpY, 10, -1000}});
        placeMarble(0.0f, 0.0f);
        TheCamera = FollowCamera();
        TheCamera.eye = add(TheMarble.getPosition(), Vec3(0, -3000, -6000));
        CameraLag = 0.0f;
        cameraTick(0.1f);
        if (c.lifts) {
            EXPECT_NEAR(TheCamera.eye.z, -1270.0f, 1e-3f) << c.name << ": 270 above the bump";
        } else {
            EXPECT_GT(TheCamera.eye.z, -400.0f) << c.name << ": the bump lifted the target";
        }
        EXPECT_LE(TheCamera.eye.z, TheMarble.getPosition().z - 350.0f + 1e-3f) << c.name << ": never below the chase";
    }
}

TEST_F(CameraTest, SidewaysAimTurnsYawAndRollTogether)
{
    TheCamera.eye = add(TheMarble.getPosition(), Vec3(100, -400, -350));
    CameraLag = 6.0f;
    cameraTick(0.05f);
    EXPECT_NEAR(TheCamera.yawTarget, std::atan(100.0f / 350.0f), 1e-6f);
    EXPECT_NEAR(TheCamera.yaw, 0.2f * std::atan(100.0f / 350.0f), 1e-6f);
    EXPECT_EQ(TheCamera.roll, TheCamera.yaw) << "the roll follows the yaw's target";
    float yawBefore = TheCamera.yaw;
    TheMarble.setPosition(add(TheMarble.getPosition(), Vec3(-300, 0, 0)));
    cameraTick(0.05f);
    EXPECT_NE(TheCamera.yaw, yawBefore);
    EXPECT_EQ(TheCamera.roll, TheCamera.yaw);
}

TEST_F(CameraTest, AnAimWithoutAValueKeepsThePreviousTarget)
{
    struct Case {
        Vec3 eyeOffset;
        const char* name;
    } cases[] = {
        {{0, 0, 0}, "eye on the marble: 0/0 for both"},
        {{0, -400, 0}, "eye level with the marble: pitch quotient infinite, yaw 0/0"},
        {{50, 0, 0}, "pitch 0/0, yaw quotient infinite"},
    };
    for (const Case& c : cases) {
        TheCamera = FollowCamera();
        TheCamera.pitchTarget = 0.3f;
        TheCamera.yawTarget = -0.2f;
        TheCamera.pitch = 0.1f;
        TheCamera.eye = add(TheMarble.getPosition(), c.eyeOffset);
        CameraLag = 6.0f;
        cameraTick(0.05f);
        EXPECT_EQ(TheCamera.pitchTarget, 0.3f) << c.name;
        EXPECT_EQ(TheCamera.yawTarget, -0.2f) << c.name;
        EXPECT_NEAR(TheCamera.pitch, 0.14f, 1e-6f) << c.name;
        EXPECT_NEAR(TheCamera.yaw, -0.04f, 1e-6f) << c.name;
        for (float m : TheCamera.transform.getRotation().m)
            EXPECT_TRUE(std::isfinite(m)) << c.name;
    }
}
