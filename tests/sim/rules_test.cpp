// SPDX-License-Identifier: MIT
// Level rules: the put-back after a hole and its search along x = 0, the side and back edges, the
// penalty and its clock bounds, the finish with its booked time and cue, and the rules' order.
#include <gtest/gtest.h>

#include "sim/rules.h"
#include "sim_fixture.h"

namespace {

class LevelRules : public SimTest {
protected:
    void SetUp() override
    {
        SimTest::SetUp();
        startRound(30.0f);
    }

    static void expectAtRestOnSurface(float x, float y, const std::string& what)
    {
        Vec3 p = TheMarble.getPosition();
        EXPECT_EQ(p.x, x) << what;
        EXPECT_EQ(p.y, y) << what;
        EXPECT_EQ(p.z, TheBoard.heightAt(x, y)) << what << ": on the surface";
        EXPECT_EQ(TheMarble.velocity.length(), 0.0f) << what << ": at rest";
    }
};

} // namespace

TEST_F(LevelRules, RespawnSearchStepsBackAlongTheCentreLine)
{
    struct Case {
        const char* name;
        std::vector<Hole> holes;
        float x0, y0;
        float expectedY;
    } cases[] = {
        // 4 radii back is y0 - 240; then 30 at a time until 250 from every hole centre.
        {"y0 = 10", {{0, 0, 60, 100}}, 0, 10, -260},
        {"y0 = 0", {{0, 0, 60, 100}}, 0, 0, -270},
        {"exactly 250 away is clear", {{0, 0, 60, 100}}, 0, 50, -250},
        {"caught on the capture circle", {{0, 0, 60, 100}}, 0, -90, -330},
        {"caught off the centre line", {{0, 0, 60, 100}}, 80, 0, -270},
        {"a hole off to the side, back on x = 0", {{300, 0, 60, 100}}, 300, 0, -240},
        {"a second hole behind pushes further", {{0, 0, 60, 100}, {0, -400, 30, 50}}, 0, 10, -650},
        {"a bump behind does not count", {{0, 0, 60, 100}, {0, -300, 100, -80}}, 0, 10, -260},
    };
    for (const Case& c : cases) {
        TheBoard.setHoles(c.holes);
        placeMarble(c.x0, c.y0);
        TheMarble.setVelocity(Vec3(1, 2, 3));
        RoundClock = 30.0f;
        FreezeTimer = 0.0f;
        ASSERT_GT(TheBoard.holeAt(c.x0, c.y0), 0.0f) << c.name << ": the marble must start in a hole";
        applyLevelRules(TheSim, TheBoard);
        expectAtRestOnSurface(0.0f, c.expectedY, c.name);
        EXPECT_EQ(RoundClock, 26.0f) << c.name;
        EXPECT_EQ(FreezeTimer, 1.0f) << c.name;
        EXPECT_FALSE(LevelFinished) << c.name;
    }
}

TEST_F(LevelRules, ThePenaltyTakesFourSecondsAndNeverLiftsTheClock)
{
    struct Case {
        float before, after;
    } cases[] = {{30.0f, 26.0f}, {4.0f, 0.0f}, {3.0f, 0.0f}, {0.0f, 0.0f}, {50.0f, 46.0f}, {-1.0f, -1.0f}};
    TheBoard.setHoles({{0, 0, 60, 100}});
    for (const Case& c : cases) {
        placeMarble(0.0f, 0.0f);
        RoundClock = c.before;
        FreezeTimer = -2.0f;
        applyLevelRules(TheSim, TheBoard);
        EXPECT_EQ(RoundClock, c.after) << "a fall with " << c.before << " s on the clock";
        EXPECT_EQ(FreezeTimer, 1.0f) << "a fall with " << c.before << " s on the clock";
    }
}

TEST_F(LevelRules, NoSafePlaceBehindAHoleSendsTheMarbleToTheStart)
{
    // Every point of x = 0 from -5900 down to -6000 is near the small hole at (0, -5900).
    TheBoard.setHoles({{0, -5500, 100, 80}, {0, -5900, 20, 10}});
    placeMarble(0.0f, -5500.0f);
    applyLevelRules(TheSim, TheBoard);
    expectAtRestOnSurface(0.0f, -5800.0f, "back at the start");
    EXPECT_EQ(RoundClock, 26.0f);
    EXPECT_EQ(FreezeTimer, 1.0f);

    applyLevelRules(TheSim, TheBoard);
    EXPECT_EQ(RoundClock, 26.0f) << "the start point is not in a hole: no second fall";
}

TEST_F(LevelRules, AStartPointInsideAHoleStillEndsInTimeUp)
{
    TheBoard.setHoles({{0, -5800, 60, 100}});
    RoundClock = 52.0f; // from the countdown on
    placeMarble(0.0f, -5800.0f);
    TheCamera.eye = add(TheMarble.getPosition(), Vec3(0, -3000, -6000));
    holdKeys({SteerUp});
    int ticks = 0;
    while (RoundClock >= LevelEndTime && ticks < 100000) {
        tick(0.01f);
        ++ticks;
    }
    EXPECT_LT(RoundClock, TimeUpEndTime) << "the clock was held; ticks run: " << ticks;
    EXPECT_LT(ticks, 1000) << "the round should end about 4 s after the clock reaches 0";
    EXPECT_FALSE(LevelFinished);
    expectAtRestOnSurface(0.0f, -5800.0f, "kept at the start");
}

TEST_F(LevelRules, AHoleFarBeyondTheBoardEndsTheSearch)
{
    // So far out that a step of 30 no longer changes a float: the search must still stop.
    TheBoard.setHoles({{0, 1e10f, 60, 100}});
    placeMarble(0.0f, 1e10f);
    applyLevelRules(TheSim, TheBoard);
    expectAtRestOnSurface(0.0f, -5800.0f, "back at the start");
    EXPECT_FALSE(LevelFinished);
}

TEST_F(LevelRules, SideAndBackEdges)
{
    TheBoard.setHoles({{0, 2000, 500, -40}}); // a wide bump, so heights are not all 0
    struct Case {
        float x, y;
        float expectedX, expectedY;
        float expectedClock;
        const char* name;
    } cases[] = {
        {-750.0f, 100.0f, -750.0f, 100.0f, 30.0f, "x = -750 is on the board"},
        {-750.01f, 100.0f, 0.0f, 100.0f, 26.0f, "x = -750.01 is off"},
        {720.0f, 100.0f, 720.0f, 100.0f, 30.0f, "x = 720 is on the board"},
        {720.01f, 100.0f, 0.0f, 100.0f, 26.0f, "x = 720.01 is off"},
        {300.0f, -6000.0f, 300.0f, -6000.0f, 30.0f, "y = -6000 is on the board"},
        {300.0f, -6000.01f, 300.0f, -5700.0f, 26.0f, "behind the start: back at -5700, same x"},
        {800.0f, 4000.0f, 0.0f, 4000.0f, 26.0f, "far along: back on x = 0 at the same y"},
        {-800.0f, -6100.0f, 0.0f, -5700.0f, 22.0f, "side then back: both rules, two penalties"},
    };
    for (const Case& c : cases) {
        TheMarble.setPosition(Vec3(c.x, c.y, 0.0f));
        TheMarble.setVelocity(Vec3(5, 5, 0));
        RoundClock = 30.0f;
        applyLevelRules(TheSim, TheBoard);
        Vec3 p = TheMarble.getPosition();
        EXPECT_EQ(p.x, c.expectedX) << c.name;
        EXPECT_EQ(p.y, c.expectedY) << c.name;
        EXPECT_EQ(RoundClock, c.expectedClock) << c.name;
        if (c.expectedClock != 30.0f) {
            expectAtRestOnSurface(c.expectedX, c.expectedY, c.name);
        }
    }
}

TEST_F(LevelRules, TheFinishLine)
{
    struct Case {
        float y;
        bool finishes;
    } cases[] = {{5800.0f, false}, {5800.01f, true}, {5799.0f, false}, {5969.0f, true}};
    for (const Case& c : cases) {
        startRound(30.0f);
        placeMarble(0.0f, c.y);
        LevelEvents events = applyLevelRules(TheSim, TheBoard);
        EXPECT_EQ(LevelFinished, c.finishes) << "y = " << c.y;
        EXPECT_EQ(events.finished, c.finishes) << "y = " << c.y << ": the finish is reported for its cue";
    }
}

TEST_F(LevelRules, FinishingBooksTheTimeUsedAndPlaysTheCueOnce)
{
    LevelTimes.assign(3, UnfinishedLevelSeconds);
    LevelNumber = 2;
    RoundClock = 12.34f;
    placeMarble(0.0f, 5801.0f);
    LevelEvents events = updateMarble(TheSim, TheBoard, HeldKeys, 0.01f);
    EXPECT_TRUE(LevelFinished);
    EXPECT_FLOAT_EQ(LevelTimes[1], 32.66f) << "45 - 12.34 booked for level 2";
    EXPECT_EQ(LevelTimes[0], UnfinishedLevelSeconds);
    EXPECT_EQ(LevelTimes[2], UnfinishedLevelSeconds);
    EXPECT_FLOAT_EQ(LevelEndTime, 11.34f);
    EXPECT_TRUE(events.finished) << "the finish is reported, so its cue plays";

    RoundClock = 10.0f;
    events = updateMarble(TheSim, TheBoard, HeldKeys, 0.01f);
    EXPECT_FALSE(events.finished) << "the cue plays once per level";
    EXPECT_FLOAT_EQ(LevelTimes[1], 32.66f) << "a finished level is not booked again";
}

TEST_F(LevelRules, ALevelNumberOutsideTheListBooksNothing)
{
    for (int level : {0, -1, 4, 1000}) {
        startRound(20.0f);
        LevelTimes.assign(3, UnfinishedLevelSeconds);
        LevelNumber = level;
        placeMarble(0.0f, 5900.0f);
        applyLevelRules(TheSim, TheBoard);
        EXPECT_TRUE(LevelFinished) << "level " << level;
        for (float t : LevelTimes)
            EXPECT_EQ(t, UnfinishedLevelSeconds) << "level " << level << " wrote a time";
        EXPECT_FLOAT_EQ(LevelEndTime, 19.0f) << "level " << level;
    }
}

TEST_F(LevelRules, AHoleBeyondTheFinishIsTestedFirst)
{
    TheBoard.setHoles({{0, 5900, 30, 50}});
    placeMarble(0.0f, 5900.0f);
    LevelEvents events = applyLevelRules(TheSim, TheBoard);
    EXPECT_FALSE(LevelFinished) << "the hole sent the marble back before the finish was tested";
    expectAtRestOnSurface(0.0f, 5630.0f, "first clear point behind the hole");
    EXPECT_FALSE(events.finished) << "no finish cue";
    EXPECT_TRUE(events.fell);
}

TEST_F(LevelRules, TheFinishBooksTheClockAfterThisUpdatesPenalty)
{
    RoundClock = 20.0f;
    TheMarble.setPosition(Vec3(800.0f, 5850.0f, 0.0f));
    applyLevelRules(TheSim, TheBoard);
    EXPECT_TRUE(LevelFinished) << "put back at the same y, beyond the finish";
    EXPECT_EQ(TheMarble.getPosition().x, 0.0f);
    EXPECT_EQ(LevelTimes[0], 29.0f) << "45 - (20 - 4)";
    EXPECT_EQ(LevelEndTime, 15.0f);
}
