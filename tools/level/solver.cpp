// SPDX-License-Identifier: MIT
// The level solver: a beam search over held key combinations, ranked by clock used plus the time
// still needed along a hole-avoiding distance field. Ticks and snapshots come from sim_session.
#include "solver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <queue>
#include <unordered_map>

#include "level/board.h"
#include "sim/marble.h"
#include "sim_session.h"

// The search holds each of the nine arrow-key combinations, with and without Shift, for a chunk of
// ticks. A state ranks by the clock used so far (falls charged extra) plus an estimate of the time
// still needed: the shortest path to the finish line round every hole's capture circle, run at top
// speed and measured from where the marble's velocity carries it a moment later, so a state racing
// into a wall ranks below one that turns in time. The camera only reads the physics state, so the
// search skips it; the chosen input is replayed in full, camera and all.
namespace {

constexpr float Unreachable = 1e9f;

// Shortest distances to the finish line over grid nodes, moving in eight directions. Nodes within a
// safety margin of a capture circle can be crossed only at many times the cost, so every node has a
// finite distance and the paths that count go round the holes.
class DistanceField {
public:
    static constexpr float Cell = 15.0f;
    static constexpr float Margin = 20.0f;
    static constexpr float HoleCostFactor = 10.0f;
    static constexpr float OffBoardPenalty = 3000.0f;

    explicit DistanceField(const Board& board)
    {
        columns_ = static_cast<int>((BoardRight - BoardLeft) / Cell) + 1;
        rows_ = static_cast<int>((FinishLine + Cell - BoardBack) / Cell) + 1;
        std::vector<float> cost(static_cast<size_t>(columns_) * rows_);
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < columns_; ++c)
                cost[index(c, r)] = clear(board, nodeX(c), nodeY(r)) ? 1.0f : HoleCostFactor;
        distance_.assign(cost.size(), Unreachable);
        using Entry = std::pair<float, size_t>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> frontier;
        for (int c = 0; c < columns_; ++c) {
            size_t i = index(c, rows_ - 1);
            distance_[i] = 0.0f;
            frontier.push({0.0f, i});
        }
        const int dc[8] = {1, -1, 0, 0, 1, 1, -1, -1};
        const int dr[8] = {0, 0, 1, -1, 1, -1, 1, -1};
        const float diagonal = Cell * 1.41421356f;
        const float step[8] = {Cell, Cell, Cell, Cell, diagonal, diagonal, diagonal, diagonal};
        while (!frontier.empty()) {
            auto [d, i] = frontier.top();
            frontier.pop();
            if (d > distance_[i])
                continue;
            int c = static_cast<int>(i % columns_), r = static_cast<int>(i / columns_);
            for (int k = 0; k < 8; ++k) {
                int nc = c + dc[k], nr = r + dr[k];
                if (nc < 0 || nc >= columns_ || nr < 0 || nr >= rows_)
                    continue;
                size_t j = index(nc, nr);
                float through = d + step[k] * 0.5f * (cost[i] + cost[j]);
                if (through >= distance_[j])
                    continue;
                distance_[j] = through;
                frontier.push({through, j});
            }
        }
    }

    // Distance from the nearest node. Beyond the finish it is 0; beside or behind the board it is
    // that of the nearest node on the board plus the cost of a fall.
    float at(float x, float y) const
    {
        int c = static_cast<int>(std::lround((x - BoardLeft) / Cell));
        int r = static_cast<int>(std::lround((y - BoardBack) / Cell));
        if (r >= rows_)
            return 0.0f;
        float penalty = 0.0f;
        if (c < 0 || c >= columns_ || r < 0) {
            penalty = OffBoardPenalty;
            c = std::clamp(c, 0, columns_ - 1);
            r = std::max(r, 0);
        }
        return distance_[index(c, r)] + penalty;
    }

private:
    int columns_ = 0, rows_ = 0;
    std::vector<float> distance_;

    size_t index(int c, int r) const { return static_cast<size_t>(r) * columns_ + c; }
    float nodeX(int c) const { return BoardLeft + c * Cell; }
    float nodeY(int r) const { return BoardBack + r * Cell; }

    static bool clear(const Board& board, float x, float y)
    {
        if (board.holeAt(x, y) > 0.0f)
            return false;
        size_t count = board.holes.size();
        for (size_t i = 0; i < count; ++i) {
            const Hole& h = board.holes[i];
            if (h.depth > 0.0f && h.radius > 0.0f && std::hypot(x - h.x, y - h.y) <= CaptureRadii * h.radius + Margin)
                return false;
        }
        return true;
    }
};

// The nine directions with Shift first (Shift is nearly always the faster choice), then without.
std::vector<uint8_t> actions()
{
    const uint8_t directions[9] = {SteerUp, SteerUp | SteerLeft,   SteerUp | SteerRight,   SteerLeft, SteerRight,
                                   0,       SteerDown | SteerLeft, SteerDown | SteerRight, SteerDown};
    std::vector<uint8_t> out;
    for (uint8_t d : directions)
        out.push_back(static_cast<uint8_t>(d | SteerShift));
    for (uint8_t d : directions)
        out.push_back(d);
    return out;
}

struct Choice {
    int parent = -1; // index into the previous chunk's choices; -1 at the start
    uint8_t keys = 0;
};

struct BeamState {
    SimState state;
    int choice = -1; // index into the latest chunk's choices
    float score = 0.0f;
    int falls = 0;
};

// Lower is better: clock used, freeze still to sit out, an extra charge for every fall (the fall's own
// cost is already in the clock, but a route that needs no falls is the one worth finding), and the
// path left at top speed from where the current velocity takes the marble in a moment.
float scoreState(const DistanceField& field, int falls)
{
    constexpr float Lookahead = 0.3f; // seconds; about what it takes to stop from top speed
    constexpr float FallCharge = 5.0f;
    Vec3 p = TheMarble.getPosition();
    Vec3 v = TheMarble.velocity;
    float used = PlayingSeconds - RoundClock + FallCharge * static_cast<float>(falls);
    float freeze = std::max(FreezeTimer, 0.0f);
    if (freeze > 0.0f)
        return used + freeze + field.at(p.x, p.y) / TopSpeed;
    float ahead = Lookahead * 210.0f;
    return used + Lookahead + field.at(p.x + v.x * ahead, p.y + v.y * ahead) / TopSpeed;
}

// How finely the beam tells states apart: one state is kept per cell of position and velocity, so the
// beam does not fill with near copies of one state.
struct Diversity {
    float positionCell;  // world units
    float velocityCells; // cells per velocity unit
};

int64_t cellKey(Diversity diversity)
{
    Vec3 p = TheMarble.getPosition();
    Vec3 v = TheMarble.velocity;
    int64_t cx = static_cast<int64_t>(std::floor(p.x / diversity.positionCell));
    int64_t cy = static_cast<int64_t>(std::floor(p.y / diversity.positionCell));
    int64_t vx = std::clamp<int64_t>(std::lround(v.x * diversity.velocityCells), -31, 31);
    int64_t vy = std::clamp<int64_t>(std::lround(v.y * diversity.velocityCells), -31, 31);
    return ((cx + 1000) * 100000 + (cy + 10000)) * 4096 + (vx + 32) * 64 + (vy + 32);
}

struct SearchOutcome {
    bool finished = false;
    float finishTime = 0.0f;
    int falls = 0;
    std::vector<TickInput> steps;
};

// One beam search from `start`; leaves the sim in an arbitrary state.
SearchOutcome beamSearch(const SolveOptions& options, const SimState& start, const DistanceField& field,
                         Diversity diversity, SolveResult& effort)
{
    const std::vector<uint8_t> keys = actions();
    const int chunk = std::max(options.chunkTicks, 1);
    const int width = std::max(options.beamWidth, 1);

    std::vector<std::vector<Choice>> chunks;
    std::vector<BeamState> beam = {{start, -1, 0.0f, 0}};
    SearchOutcome outcome;
    int bestChoice = -1;
    int bestTicks = 0;

    while (bestChoice < 0 && !beam.empty()) {
        if (static_cast<float>(chunks.size() * chunk) * SolverTickSeconds > options.maxSeconds)
            break;
        std::vector<Choice> made;
        std::vector<BeamState> next;
        std::unordered_map<int64_t, size_t> byCell;
        for (const BeamState& from : beam) {
            for (uint8_t k : keys) {
                TheSim = from.state;
                int ticks = 0;
                int falls = from.falls;
                while (ticks < chunk && !LevelFinished) {
                    runTick({SolverTickSeconds, k}, false);
                    // Every penalty sets the freeze to exactly one second.
                    if (FreezeTimer == 1.0f)
                        ++falls;
                    ++ticks;
                }
                effort.ticksSimulated += ticks;
                Vec3 reached = TheMarble.getPosition();
                if (reached.y > effort.furthestY) {
                    effort.furthestX = reached.x;
                    effort.furthestY = reached.y;
                    effort.furthestClock = RoundClock;
                }
                made.push_back({from.choice, k});
                int choice = static_cast<int>(made.size()) - 1;
                if (LevelFinished) {
                    float time = bookedFinishTime();
                    if (bestChoice < 0 || time < outcome.finishTime) {
                        bestChoice = choice;
                        bestTicks = ticks;
                        outcome.finishTime = time;
                        outcome.falls = falls;
                    }
                    continue;
                }
                float score = scoreState(field, falls);
                int64_t cell = cellKey(diversity);
                auto found = byCell.find(cell);
                if (found == byCell.end()) {
                    byCell.emplace(cell, next.size());
                    next.push_back({TheSim, choice, score, falls});
                } else if (score < next[found->second].score) {
                    next[found->second] = {TheSim, choice, score, falls};
                }
            }
        }
        chunks.push_back(std::move(made));
        std::stable_sort(next.begin(), next.end(),
                         [](const BeamState& a, const BeamState& b) { return a.score < b.score; });
        if (static_cast<int>(next.size()) > width)
            next.resize(width);
        beam = std::move(next);
    }
    if (bestChoice < 0)
        return outcome;

    // Walk the choices back from the finishing one, then spell them out tick by tick.
    std::vector<uint8_t> held;
    int choice = bestChoice;
    for (size_t level = chunks.size(); level-- > 0 && choice >= 0;) {
        held.push_back(chunks[level][choice].keys);
        choice = chunks[level][choice].parent;
    }
    std::reverse(held.begin(), held.end());
    for (size_t i = 0; i < held.size(); ++i) {
        int ticks = i + 1 == held.size() ? bestTicks : chunk;
        for (int t = 0; t < ticks; ++t)
            outcome.steps.push_back({SolverTickSeconds, held[i]});
    }
    outcome.finished = true;
    return outcome;
}

} // namespace

SolveResult solveLevel(const SolveOptions& options)
{
    SolveResult result;
    const SimState start = TheSim;
    const DistanceField field(TheBoard);
    result.furthestX = TheMarble.getPosition().x;
    result.furthestY = TheMarble.getPosition().y;
    result.furthestClock = RoundClock;

    // The beam keeps only a few states, and a route that needs an early turn can fall out of it; a
    // route with falls is searched again with the states told apart more coarsely, and the fastest
    // route found wins.
    const Diversity tries[] = {{25.0f, 1.5f}, {50.0f, 0.5f}, {50.0f, 1.5f}};
    SearchOutcome best;
    for (Diversity diversity : tries) {
        SearchOutcome outcome = beamSearch(options, start, field, diversity, result);
        if (outcome.finished && (!best.finished || outcome.finishTime < best.finishTime))
            best = std::move(outcome);
        if (best.finished && best.falls == 0)
            break;
    }
    TheSim = start;
    if (!best.finished)
        return result;

    // The full replay, camera included, is what the trace command will see.
    result.steps = std::move(best.steps);
    for (const TickInput& step : result.steps)
        runTick(step, true);
    result.finished = LevelFinished;
    result.finishTime = bookedFinishTime();
    result.falls = best.falls;
    TheSim = start;
    return result;
}
