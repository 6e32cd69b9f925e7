// SPDX-License-Identifier: MIT
// Surface and start checks of the level checker: the game's own Board queries over the drawing grid,
// and the game's own tick (through sim_session) for the marble left alone at the start.
#include "board_check.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>

#include "level/token_reader.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "sim_session.h"

namespace {

constexpr float GridSpacing = 30.0f;
// The last grid row: the drawn board ends there, one cell short of 6000.
constexpr float BoardFront = 5970.0f;

std::string pointText(float x, float y)
{
    return "(" + exactFloatText(x) + ", " + exactFloatText(y) + ")";
}

// Calls visit(x, y) for the start point and every grid vertex until it returns false.
template <typename Visit> void forBoardPoints(Visit visit)
{
    if (!visit(StartX, StartY))
        return;
    for (int r = 0; r < GridRows; ++r)
        for (int c = 0; c < GridColumns; ++c)
            if (!visit(static_cast<float>(c - GridColumns / 2) * GridSpacing,
                       static_cast<float>(r - GridRows / 2) * GridSpacing))
                return;
}

bool finiteEverywhere(const Board& board, float& badX, float& badY)
{
    bool finite = true;
    forBoardPoints([&](float x, float y) {
        if (std::isfinite(board.heightAt(x, y)))
            return true;
        finite = false;
        badX = x;
        badY = y;
        return false;
    });
    return finite;
}

} // namespace

bool checkSurface(MapLint& lint)
{
    auto whole = std::make_unique<Board>();
    whole->setHoles(lint.holes);
    auto single = std::make_unique<Board>();
    float badX = 0.0f, badY = 0.0f;
    bool finite = finiteEverywhere(*whole, badX, badY);
    bool named = false;
    for (size_t i = 0; i < lint.holes.size(); ++i) {
        const Hole& h = lint.holes[i];
        single->setHoles({h});
        float x = 0.0f, y = 0.0f;
        if (!finite && !finiteEverywhere(*single, x, y)) {
            lint.findings.push_back({lint.holeLines[i], true,
                                     holeName(lint, i) + " makes the surface height infinite or not a number (at " +
                                         pointText(x, y) + " first): the game cannot play the level"});
            named = true;
            continue;
        }
        if (!(h.radius > 0.0f) || h.depth == 0.0f)
            continue;
        // A term is largest at the board point nearest the hole's centre.
        float nearX = std::clamp(h.x, BoardLeft, BoardRight);
        float nearY = std::clamp(h.y, BoardBack, BoardFront);
        float most = std::fabs(single->heightAt(nearX, nearY));
        if (most < NegligibleHeight) {
            char amount[40];
            std::snprintf(amount, sizeof amount, "%.3g", static_cast<double>(most));
            lint.findings.push_back({lint.holeLines[i], false,
                                     holeName(lint, i) + " does not reach the board: it changes the height there by " +
                                         amount + " at most (too far away, or too small to matter)"});
        }
    }
    if (!finite && !named) {
        // No hole alone overflows: their sum does. Those with a term near the float range are named.
        std::string names;
        for (size_t i = 0; i < lint.holes.size(); ++i) {
            single->setHoles({lint.holes[i]});
            if (std::fabs(single->heightAt(badX, badY)) >= FLT_MAX / static_cast<float>(lint.holes.size()))
                names += (names.empty() ? "" : ", ") + std::to_string(i + 1);
        }
        lint.findings.push_back({0, true,
                                 "the surface height at " + pointText(badX, badY) +
                                     " is infinite or not a number: holes " + names +
                                     " together exceed the float range"});
    }
    return finite;
}

void checkStartRoll(MapLint& lint)
{
    placeAtLevelStart(PlayingSeconds, 6.0f);
    const int ticks = static_cast<int>(std::lround(StartWaitSeconds / SolverTickSeconds));
    for (int tick = 1; tick <= ticks; ++tick) {
        Vec3 before = TheMarble.position;
        runTick({SolverTickSeconds, 0}, false);
        char when[32];
        std::snprintf(when, sizeof when, "%.2f s", static_cast<double>(tick) * (1.0 / 60.0));
        Vec3 p = TheMarble.position;
        Vec3 v = TheMarble.velocity;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !std::isfinite(v.x) ||
            !std::isfinite(v.y) || !std::isfinite(v.z)) {
            lint.findings.push_back({0, true,
                                     std::string("the marble's state stops being finite ") + when +
                                         " after the start signal: the game cannot play the level"});
            return;
        }
        // Every fall sets the freeze to exactly one second.
        if (FreezeTimer != 1.0f)
            continue;
        std::string rule = " (left alone for " + std::to_string(static_cast<int>(StartWaitSeconds)) +
            " s, the marble must stay out of every dip)";
        // The dip whose capture circle the marble was closest to before the tick caught it.
        size_t caught = lint.holes.size();
        float gap = 1e30f;
        for (size_t i = 0; i < lint.holes.size(); ++i) {
            const Hole& h = lint.holes[i];
            if (!(h.depth > 0.0f) || !(h.radius > 0.0f))
                continue;
            float g = std::hypot(before.x - h.x, before.y - h.y) - CaptureRadii * h.radius;
            if (g < gap) {
                gap = g;
                caught = i;
            }
        }
        bool offBoard = before.x < BoardLeft + GridSpacing || before.x > BoardRight - GridSpacing ||
            before.y < BoardBack + GridSpacing;
        if (caught < lint.holes.size() && !(offBoard && gap > GridSpacing))
            lint.findings.push_back({lint.holeLines[caught], true,
                                     "left alone after the start signal, the marble rolls into " +
                                         holeName(lint, caught) + " after " + when + rule});
        else
            lint.findings.push_back({0, true,
                                     "left alone after the start signal, the marble rolls off the board after " +
                                         std::string(when) + rule});
        return;
    }
}
