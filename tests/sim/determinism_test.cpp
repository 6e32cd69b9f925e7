// SPDX-License-Identifier: MIT
// A scripted run of several levels on a board with many holes, compared bit for bit with a recorded
// result, so that any change to the simulation's arithmetic or rule order shows up here on purpose.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sim_fixture.h"

namespace {

// A fixed pseudo-random sequence (32-bit linear congruential), the same on every machine.
struct Sequence {
    uint32_t state;
    float unit() // [0, 1)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    }
    float between(float lo, float hi) { return lo + (hi - lo) * unit(); }
};

std::vector<Hole> scriptedHoles()
{
    Sequence seq{2u};
    std::vector<Hole> holes;
    for (int i = 0; i < 45; ++i) {
        Hole h;
        h.x = seq.between(-650.0f, 620.0f);
        h.y = seq.between(-5300.0f, 5700.0f);
        h.radius = seq.between(25.0f, 90.0f);
        h.depth = seq.unit() < 0.6f ? seq.between(20.0f, 70.0f) : seq.between(-60.0f, -15.0f);
        holes.push_back(h);
    }
    return holes;
}

// Tick lengths of a jittery frame rate, a tick of no time and a long stall among them.
constexpr float TickSeconds[] = {0.011f, 0.0167f, 0.004f, 0.0f, 0.025f, 0.0083f, 0.13f, 0.0139f, 0.0071f};

void holdScriptedKeys(int tick)
{
    static const std::vector<std::vector<SteerKey>> phases = {
        {SteerUp},
        {SteerUp, SteerRight},
        {SteerUp, SteerShift},
        {SteerUp, SteerLeft, SteerShift},
        {SteerUp, SteerShift},
        {SteerUp, SteerShift},
        {},
        {SteerUp, SteerShift, SteerRight},
        {SteerDown, SteerLeft},
        {SteerUp, SteerDown, SteerShift},
        {SteerUp, SteerShift},
        {SteerUp, SteerLeft},
        {SteerUp, SteerRight, SteerShift},
    };
    SimTest::HeldKeys = 0;
    for (SteerKey key : phases[(tick / 35) % phases.size()])
        SimTest::HeldKeys |= key;
}

// The level start's part of the simulation state: the marble at the start, the eye far behind.
void startLevel(int level)
{
    LevelNumber = level;
    SimTest::CameraLag = static_cast<float>((level * 3) % 10);
    startRound(TheSim, TheBoard, levelStartClock(level == 1));
}

void mix(uint64_t& hash, float value)
{
    uint32_t bits = std::bit_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        hash ^= (bits >> (8 * i)) & 0xffu;
        hash *= 1099511628211ull;
    }
}

void mix(uint64_t& hash, Vec3 v)
{
    mix(hash, v.x);
    mix(hash, v.y);
    mix(hash, v.z);
}

class Determinism : public SimTest { };

std::string hex(float v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", std::bit_cast<uint32_t>(v));
    return text;
}

} // namespace

TEST_F(Determinism, AScriptedRunReachesTheRecordedState)
{
    TheBoard.setHoles(scriptedHoles());
    constexpr int LevelCount = 8;
    LevelTimes.assign(LevelCount, UnfinishedLevelSeconds);
    int level = 1;
    startLevel(level);

    uint64_t trace = 14695981039346656037ull;
    int falls = 0;
    for (int tick = 0; tick < 4000; ++tick) {
        holdScriptedKeys(tick);
        float freezeBefore = FreezeTimer;
        SimTest::tick(TickSeconds[tick % std::size(TickSeconds)]);
        if (FreezeTimer == 1.0f && freezeBefore != 1.0f)
            ++falls;
        mix(trace, TheMarble.getPosition());
        mix(trace, TheCamera.eye);
        if (RoundClock < LevelEndTime && level < LevelCount)
            startLevel(++level);
    }

    // Golden values: recorded from this run when it was written (float bit patterns), then fixed here.
    // They guard the arithmetic and the order of the rules; a deliberate change re-records them.
    const Vec3 p = TheMarble.getPosition();
    const Vec3 v = TheMarble.velocity;
    const Vec3 e = TheCamera.eye;
    struct Expect {
        const char* name;
        float actual;
        uint32_t bits;
    } expects[] = {
        {"position.x", p.x, 0x43c21699u},
        {"position.y", p.y, 0xc49f38f9u},
        {"position.z", p.z, 0xc1d0c2b6u},
        {"velocity.x", v.x, 0xbe928890u},
        {"velocity.y", v.y, 0x3f9211b2u},
        {"velocity.z", v.z, 0xbd1a8061u},
        {"eye.x", e.x, 0x43c447d1u},
        {"eye.y", e.y, 0xc4d29f0cu},
        {"eye.z", e.z, 0xc3bc3b19u},
        {"pitch", TheCamera.pitch, 0xbf5da7a8u},
        {"yaw", TheCamera.yaw, 0x3cfc7721u},
        {"roll", TheCamera.roll, 0x3cfc7721u},
        {"RoundClock", RoundClock, 0x41ca2b0cu},
        {"level 1 time", LevelTimes[0], 0x421f98f2u},
        {"level 2 time", LevelTimes[1], 0x43610000u},
        {"level 3 time", LevelTimes[2], 0x41f69a3eu},
    };
    for (const Expect& x : expects)
        EXPECT_EQ(std::bit_cast<uint32_t>(x.actual), x.bits) << x.name << " is " << x.actual << " = " << hex(x.actual);
    EXPECT_EQ(trace, 4182978320086380025ull) << "trace of every tick's marble and eye";
    EXPECT_EQ(level, 4) << "levels started";
    EXPECT_EQ(falls, 15) << "falls";
}

namespace {

// Every float of the state that a tick writes, and its level bookkeeping, folded into one hash.
uint64_t stateHash(const SimState& s)
{
    uint64_t hash = 14695981039346656037ull;
    mix(hash, s.marble.position);
    mix(hash, s.marble.velocity);
    mix(hash, s.marble.driveForce);
    mix(hash, s.camera.eye);
    for (float angle : {s.camera.pitch, s.camera.yaw, s.camera.roll, s.camera.pitchTarget, s.camera.yawTarget})
        mix(hash, angle);
    for (float seconds : s.levelTimes)
        mix(hash, seconds);
    for (float value : {s.roundClock, s.freezeTimer, s.levelEndTime, static_cast<float>(s.levelNumber),
                        static_cast<float>(s.levelFinished)})
        mix(hash, value);
    return hash;
}

// Runs the scripted ticks [from, to), starting the next level whenever a round ends; the hash of the
// state after every tick, chained.
uint64_t runScripted(int from, int to, int& level)
{
    uint64_t chain = 0;
    for (int tick = from; tick < to; ++tick) {
        holdScriptedKeys(tick);
        stepRound(TheSim, TheBoard,
                  {TickSeconds[tick % std::size(TickSeconds)], SimTest::HeldKeys, SimTest::CameraLag});
        chain = chain * 31u + stateHash(TheSim);
        if (RoundClock < LevelEndTime && level < 8)
            startLevel(++level);
    }
    return chain;
}

} // namespace

TEST_F(Determinism, ARestoredSnapshotReplaysTheSameBits)
{
    TheBoard.setHoles(scriptedHoles());
    LevelTimes.assign(8, UnfinishedLevelSeconds);
    int level = 1;
    startLevel(level);
    runScripted(0, 1500, level);

    // A copy taken mid-run, then the rest played twice from it: once on, once after restoring it.
    const SimState snapshot = TheSim;
    const int levelAtSnapshot = level;
    const float lagAtSnapshot = SimTest::CameraLag;
    uint64_t first = runScripted(1500, 3000, level);
    const uint64_t firstEnd = stateHash(TheSim);
    ASSERT_NE(stateHash(snapshot), firstEnd) << "the run must have moved on after the snapshot";

    TheSim = snapshot;
    level = levelAtSnapshot;
    SimTest::CameraLag = lagAtSnapshot;
    uint64_t second = runScripted(1500, 3000, level);
    EXPECT_EQ(second, first) << "every tick after the restore has the bits it had the first time";
    EXPECT_EQ(stateHash(TheSim), firstEnd);

    // A copy is a value: stepping it leaves the original alone.
    SimState copy = TheSim;
    const uint64_t before = stateHash(TheSim);
    stepRound(copy, TheBoard, {0.016f, SteerUp, 6.0f});
    EXPECT_EQ(stateHash(TheSim), before);
}
