// SPDX-License-Identifier: MIT
// The level rules run after every marble update: a hole puts the marble back behind it, leaving the
// board at a side or behind the start puts it back on the board, and crossing y = 5800 books the time.
#include "sim/rules.h"

#include <cstddef>

#include "level/board.h"
#include "sim/sim_state.h"

constexpr float BackReentryY = -5700.0f;
constexpr float RespawnRadii = 4.0f;
constexpr float RespawnStep = 30.0f;
constexpr float FallPenalty = 4.0f;
constexpr float FallFreeze = 1.0f;
constexpr float FinishGrace = 1.0f;

static void placeAtRest(Marble& marble, const Board& board, float x, float y)
{
    marble.setPosition(Vec3(x, y, board.heightAt(x, y)));
    marble.setVelocity(Vec3(0.0f, 0.0f, 0.0f));
}

// A fall takes 4 s off a running clock, never below 0. A clock already below 0 is left as it is:
// lifting it back to 0 would let a marble that keeps falling (a hole at the start point) hold the
// round at 0 for ever, when it has to run on to its time-up.
static void chargeFallPenalty(SimState& s)
{
    float before = s.roundClock;
    s.roundClock -= FallPenalty;
    if (s.roundClock < 0.0f)
        s.roundClock = before < 0.0f ? before : 0.0f;
    s.freezeTimer = FallFreeze;
}

// Searches x = 0 from 4 radii behind the marble back to the board's end, 30 at a time, for a point
// that no hole holds and no hole is near. False when there is none.
static bool respawnBehind(Marble& marble, const Board& board, float y, float radius)
{
    float t = y - RespawnRadii * radius;
    while (t >= BoardBack) {
        if (board.holeAt(StartX, t) == 0.0f) {
            placeAtRest(marble, board, StartX, t);
            return true;
        }
        float next = t - RespawnStep;
        // So far out that 30 no longer changes t: no point there can ever be tried, so stop.
        if (!(next < t))
            return false;
        t = next;
    }
    return false;
}

LevelEvents applyLevelRules(SimState& s, const Board& board)
{
    LevelEvents events;
    Vec3 p = s.marble.getPosition();
    float radius = board.holeAt(p.x, p.y);
    if (radius > 0.0f) {
        // A hole with no safe place behind it sends the marble back to the start instead of leaving
        // it in the hole, where it would be caught again on every update.
        if (!respawnBehind(s.marble, board, p.y, radius))
            placeAtRest(s.marble, board, StartX, StartY);
        chargeFallPenalty(s);
        events.fell = true;
    }

    p = s.marble.getPosition();
    if (p.x < BoardLeft || p.x > BoardRight) {
        placeAtRest(s.marble, board, 0.0f, p.y);
        chargeFallPenalty(s);
        events.fell = true;
    }

    p = s.marble.getPosition();
    if (p.y < BoardBack) {
        placeAtRest(s.marble, board, p.x, BackReentryY);
        chargeFallPenalty(s);
        events.fell = true;
    }

    p = s.marble.getPosition();
    if (p.y > FinishLine && !s.levelFinished) {
        events.finished = true;
        // A level number outside the list books nothing rather than writing past it.
        if (s.levelNumber >= 1 && static_cast<size_t>(s.levelNumber) <= s.levelTimes.size())
            s.levelTimes[static_cast<size_t>(s.levelNumber) - 1] = PlayingSeconds - s.roundClock;
        s.levelFinished = true;
        s.levelEndTime = s.roundClock - FinishGrace;
    }
    return events;
}
