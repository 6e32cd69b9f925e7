// SPDX-License-Identifier: MIT
// Marble physics and controls: the keys along the world axes, the drive force and speed limits, the
// drag, when the marble may move, the vertical velocity rule and a tick of no time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sim_fixture.h"

namespace {

class MarbleTest : public SimTest {
protected:
    void SetUp() override
    {
        SimTest::SetUp();
        startRound(30.0f);
        placeMarble(0.0f, -5800.0f);
    }

    // Updates without the tick's clock so the round never runs out.
    // Returns what the rules did over all the updates.
    static LevelEvents updates(int count, float seconds)
    {
        LevelEvents all;
        for (int i = 0; i < count; ++i) {
            LevelEvents e = updateMarble(TheSim, TheBoard, HeldKeys, seconds);
            all.fell = all.fell || e.fell;
            all.finished = all.finished || e.finished;
        }
        return all;
    }
};

bool sameBits(Vec3 a, Vec3 b)
{
    return std::memcmp(&a, &b, sizeof(Vec3)) == 0;
}

std::vector<Hole> rollingHills()
{
    return {{0, -5700, 120, 60}, {150, -5850, 90, -70}, {-200, -5600, 150, 40}};
}

} // namespace

TEST_F(MarbleTest, KeysPushAlongTheWorldAxes)
{
    // One 0.01 s step from rest on level ground: acceleration = 0.1 x drive x keys, velocity = that x 0.01.
    struct Case {
        const char* name;
        std::initializer_list<SteerKey> keys;
        float vx, vy;
    } cases[] = {
        {"Left", {SteerLeft}, -0.04f, 0.0f},
        {"Right", {SteerRight}, 0.04f, 0.0f},
        {"Up", {SteerUp}, 0.0f, 0.04f},
        {"Down", {SteerDown}, 0.0f, -0.04f},
        {"Left+Right", {SteerLeft, SteerRight}, 0.0f, 0.0f},
        {"Up+Down", {SteerUp, SteerDown}, 0.0f, 0.0f},
        {"Left+Up", {SteerLeft, SteerUp}, -0.04f, 0.04f},
        {"Right+Down+Shift", {SteerRight, SteerDown, SteerShift}, 0.065f, -0.065f},
    };
    for (const Case& c : cases) {
        placeMarble(0.0f, -5800.0f);
        holdKeys(c.keys);
        updates(1, 0.01f);
        Vec3 v = TheMarble.velocity;
        Vec3 p = TheMarble.getPosition();
        EXPECT_NEAR(v.x, c.vx, 1e-6f) << c.name;
        EXPECT_NEAR(v.y, c.vy, 1e-6f) << c.name;
        EXPECT_EQ(v.z, 0.0f) << c.name;
        EXPECT_NEAR(p.x, c.vx * 2.1f, 1e-4f) << c.name << ": moved velocity x 0.01 x 210";
        EXPECT_NEAR(p.y, -5800.0f + c.vy * 2.1f, 1e-3f) << c.name;
    }
}

TEST_F(MarbleTest, OppositeKeysCancelOnASlope)
{
    TheBoard.setHoles(rollingHills());
    placeMarble(250.0f, -5650.0f);
    ASSERT_EQ(TheBoard.holeAt(250.0f, -5650.0f), 0.0f) << "start outside every hole";
    Marble start = TheMarble;

    holdKeys({});
    updates(60, 0.013f);
    Marble rolled = TheMarble;

    TheMarble = start;
    holdKeys({SteerUp, SteerDown});
    updates(60, 0.013f);
    EXPECT_TRUE(sameBits(TheMarble.getPosition(), rolled.getPosition())) << "Up+Down pushed the marble";
    EXPECT_TRUE(sameBits(TheMarble.velocity, rolled.velocity));
    EXPECT_FALSE(sameBits(rolled.getPosition(), start.getPosition())) << "the slope alone moves it";
    EXPECT_EQ(RoundClock, 30.0f) << "no fall on the way";
}

TEST_F(MarbleTest, DragDecaysTheSpeedOnLevelGround)
{
    TheMarble.setVelocity(Vec3(2.0f, 0.0f, 0.0f));
    updates(1, 0.1f);
    EXPECT_NEAR(TheMarble.velocity.x, 1.81f, 1e-6f) << "factor 1 - 0.95 x 0.1";
    EXPECT_NEAR(TheMarble.getPosition().x, 38.01f, 1e-4f);
}

TEST_F(MarbleTest, SpeedLimitsAndTheDropWhenShiftIsReleased)
{
    holdKeys({SteerUp});
    updates(300, 0.02f);
    EXPECT_FLOAT_EQ(TheMarble.velocity.length(), 4.0f) << "held at 0.1 x 40, below the drag balance 40 / 9.5";
    EXPECT_EQ(TheMarble.getDriveForce(), 40.0f);

    placeMarble(0.0f, -5800.0f); // keep the speed, start again so the finish is not reached
    TheMarble.setVelocity(Vec3(0.0f, 4.0f, 0.0f));
    holdKeys({SteerUp, SteerShift});
    updates(300, 0.02f);
    EXPECT_FLOAT_EQ(TheMarble.velocity.length(), 6.5f) << "held at 0.1 x 65";
    EXPECT_EQ(TheMarble.getDriveForce(), 65.0f);

    ASSERT_FALSE(LevelFinished);
    holdKeys({SteerUp});
    updates(1, 0.02f);
    EXPECT_FLOAT_EQ(TheMarble.velocity.length(), 4.0f) << "the lower limit applies at the next step";
    EXPECT_GT(TheMarble.velocity.y, 0.0f) << "the cut keeps the direction";
}

TEST_F(MarbleTest, TheLimitCutsTheWholeVelocityAndSparesOneExactlyAtIt)
{
    TheMarble.setDriveForce(40.0f);
    TheMarble.setVelocity(Vec3(3.0f, 0.0f, 4.0f));
    TheMarble.integrate(TheBoard, Vec3(), 0.0f);
    EXPECT_NEAR(TheMarble.velocity.x, 2.4f, 1e-6f) << "length 5 cut to 4 along the same direction";
    EXPECT_NEAR(TheMarble.velocity.z, 3.2f, 1e-6f) << "the vertical part counts toward the limit";

    // Its length is exactly 6.5 in single precision, but rescaling it would change the last bit of y.
    Vec3 atLimit(0x1.a9fbe8p-8f, 0x1.9ffff2p+2f, 0.0f);
    ASSERT_EQ(atLimit.length(), 6.5f);
    ASSERT_NE(scale(atLimit.normalized(), 6.5f).y, atLimit.y);
    TheMarble.setDriveForce(65.0f);
    TheMarble.setVelocity(atLimit);
    TheMarble.integrate(TheBoard, Vec3(), 0.0f);
    EXPECT_TRUE(sameBits(TheMarble.velocity, atLimit)) << "a velocity exactly at the limit was rescaled";
}

TEST_F(MarbleTest, WhenTheMarbleMayMove)
{
    struct Case {
        float freeze, clock;
        bool moves;
        const char* why;
    } cases[] = {
        {0.0f, 45.0f, true, "clock exactly 45"}, {0.0f, 0.0f, true, "clock exactly 0"},
        {-0.5f, 20.0f, true, "freeze run out"},  {0.001f, 20.0f, false, "frozen"},
        {0.0f, 45.001f, false, "countdown"},     {0.0f, -0.001f, false, "time up"},
    };
    for (const Case& c : cases) {
        placeMarble(0.0f, -5800.0f);
        TheMarble.setVelocity(Vec3(0.0f, 1.0f, 0.0f));
        TheMarble.setDriveForce(0.0f);
        FreezeTimer = c.freeze;
        RoundClock = c.clock;
        holdKeys({SteerUp, SteerShift});
        updates(1, 0.01f);
        EXPECT_EQ(TheMarble.getPosition().y != -5800.0f, c.moves) << c.why;
        EXPECT_EQ(TheMarble.velocity.y != 1.0f, c.moves) << c.why;
        EXPECT_EQ(TheMarble.getDriveForce(), 65.0f) << "Shift is followed on every update: " << c.why;
        EXPECT_EQ(RoundClock, c.clock) << "no rule fired: " << c.why;
    }
}

TEST_F(MarbleTest, RulesRunWhileTheMarbleIsHeld)
{
    TheBoard.setHoles({{0, 0, 60, 100}});
    placeMarble(0.0f, 10.0f);
    FreezeTimer = 0.5f;
    updates(1, 0.01f);
    EXPECT_EQ(TheMarble.getPosition().y, -260.0f) << "the hole rule ran although the marble was frozen";
    EXPECT_EQ(RoundClock, 26.0f);
    EXPECT_EQ(FreezeTimer, 1.0f);
}

TEST_F(MarbleTest, AFinishedLevelChangesNothing)
{
    TheBoard.setHoles({{0, -5800, 60, 100}});
    placeMarble(0.0f, -5800.0f);
    TheMarble.setVelocity(Vec3(1.0f, 2.0f, 0.0f));
    TheMarble.setDriveForce(12.0f);
    LevelFinished = true;
    Marble before = TheMarble;
    holdKeys({SteerUp, SteerShift});
    LevelEvents events = updates(5, 0.05f);
    EXPECT_TRUE(sameBits(TheMarble.getPosition(), before.getPosition()));
    EXPECT_TRUE(sameBits(TheMarble.velocity, before.velocity));
    EXPECT_EQ(TheMarble.getDriveForce(), 12.0f) << "not even the drive force follows Shift";
    EXPECT_EQ(RoundClock, 30.0f) << "no rule ran, although the marble sits in a hole";
    EXPECT_FALSE(events.fell || events.finished) << "nothing to report, so no cue to play";
}

TEST_F(MarbleTest, TheMarbleStaysOnTheSurfaceAndItsVerticalVelocityIsOldMinusNew)
{
    TheBoard.setHoles({{0, -5600, 80, 100}, {60, -5650, 50, -30}});
    placeMarble(0.0f, -5800.0f);
    holdKeys({SteerUp});
    for (int i = 0; i < 20; ++i) {
        float before = TheMarble.getPosition().z;
        updateMarble(TheSim, TheBoard, HeldKeys, 0.01f);
        Vec3 p = TheMarble.getPosition();
        ASSERT_EQ(p.z, TheBoard.heightAt(p.x, p.y)) << "off the surface after step " << i;
        // Rolling toward the dip's centre goes down: z grows, so old minus new is negative.
        ASSERT_GT(p.z, before) << "step " << i;
        ASSERT_LT(TheMarble.velocity.z, 0.0f) << "step " << i;
    }
}

TEST_F(MarbleTest, ATickOfNoTimeKeepsEverythingFinite)
{
    TheBoard.setHoles(rollingHills());
    placeMarble(300.0f, -5400.0f);
    ASSERT_EQ(TheBoard.holeAt(300.0f, -5400.0f), 0.0f) << "start outside every hole";
    Vec3 start(1.0f, 2.0f, 0.5f);
    TheMarble.setVelocity(start);
    holdKeys({SteerUp, SteerRight});
    updates(3, 0.0f);
    Vec3 p = TheMarble.getPosition();
    Vec3 v = TheMarble.velocity;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::isfinite(p.at(i))) << "position component " << i;
        EXPECT_TRUE(std::isfinite(v.at(i))) << "velocity component " << i;
    }
    EXPECT_EQ(v.z, 0.5f) << "the vertical velocity keeps its value";
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(p.x, 300.0f);
    EXPECT_EQ(p.y, -5400.0f);

    // And the next real step carries on from there.
    updates(1, 0.01f);
    EXPECT_TRUE(std::isfinite(TheMarble.velocity.z));
    EXPECT_NE(TheMarble.getPosition().y, -5400.0f);
}
