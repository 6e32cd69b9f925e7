// SPDX-License-Identifier: MIT
// Simulation benchmarks: the height field per hole, one whole simulation tick on a holey board with
// two keys held, and the 20000-point grid evaluation of a level load.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "level/board.h"
#include "render/board_renderer.h"
#include "sim/camera.h"
#include "sim/round_step.h"
#include "sim/sim_state.h"

namespace {

// Holes spread over the board from a fixed pseudo-random sequence; about a third are bumps.
std::vector<Hole> spreadHoles(int count)
{
    uint32_t state = 7u;
    auto unit = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    };
    std::vector<Hole> holes;
    for (int i = 0; i < count; ++i) {
        Hole h;
        h.x = -700.0f + 1400.0f * unit();
        h.y = -5500.0f + 11000.0f * unit();
        h.radius = 25.0f + 60.0f * unit();
        h.depth = unit() < 0.65f ? 20.0f + 60.0f * unit() : -15.0f - 45.0f * unit();
        holes.push_back(h);
    }
    return holes;
}

void BM_HeightAt(benchmark::State& state)
{
    int holes = static_cast<int>(state.range(0));
    TheBoard.setHoles(spreadHoles(holes));
    float x = -600.0f;
    float y = -5000.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TheBoard.heightAt(x, y));
        x = x > 600.0f ? -600.0f : x + 7.3f;
        y = y > 5000.0f ? -5000.0f : y + 13.1f;
    }
    state.counters["per_hole"] = benchmark::Counter(
        static_cast<double>(holes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HeightAt)->Arg(1)->Arg(10)->Arg(100);

void startRun()
{
    startRound(TheSim, TheBoard, 30.0f);
}

void BM_SimulationTick(benchmark::State& state)
{
    TheSim = SimState();
    LevelTimes.assign(1, UnfinishedLevelSeconds);
    LevelNumber = 1;
    TheBoard.setHoles(spreadHoles(100));
    startRun();
    const RoundInput input = {0.004f, SteerUp | SteerRight, 6.0f};
    int64_t restarts = 0;
    for (auto _ : state) {
        // The clock is held in play so every tick integrates; penalties and the finish still apply.
        RoundClock = 30.0f;
        FreezeTimer = 0.0f;
        stepRound(TheSim, TheBoard, input);
        benchmark::DoNotOptimize(TheCamera.transform);
        if (LevelFinished) {
            startRun();
            ++restarts;
        }
    }
    state.counters["finishes"] = static_cast<double>(restarts);
    TheSim = SimState();
}
BENCHMARK(BM_SimulationTick);

void BM_BuildGrid(benchmark::State& state)
{
    TheBoard.setHoles(spreadHoles(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TheBoardRenderer.buildGrid(TheBoard);
        benchmark::DoNotOptimize(TheBoardRenderer.vertices.data());
    }
    state.SetItemsProcessed(state.iterations() * GridVertexCount);
}
BENCHMARK(BM_BuildGrid)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
