// SPDX-License-Identifier: MIT
// `roliquo-level difficulty`: how forgiving a level is, measured by playing its par route many times
// with every key change moved a few ticks, and the checker's short version of the same measure.
#pragma once

#include <string>
#include <vector>

#include "map_lint.h"
#include "trace_io.h"

// Perturbed runs when --runs is not given, and the bounds of --runs.
constexpr int DefaultDifficultyRuns = 400;
constexpr int MostDifficultyRuns = 100000;
// The checker's measure: this many runs, stopping at the first that finishes.
constexpr int CheckDifficultyRuns = 64;

// A route to perturb: its ticks and the clock its level start had.
struct Route {
    std::vector<TickInput> ticks;
    float startClock = 45.0f;
};

// Reads a route file: a one-level replay (solver output or a recording; its start clock is used), or
// plain tick lines from clock 45. False with the reason in error.
bool readRoute(const std::string& path, Route& route, std::string& error);

struct DifficultyFigures {
    int runs = 0;
    int finished = 0;           // runs that finished within the clock
    bool routeFinishes = false; // the route as it is finishes within the clock
    float parSeconds = 0.0f;    // its booked time
    double medianOver = 0.0;    // over the finishing runs: booked time minus parSeconds
};

// Plays `runs` perturbed copies of the route from the loaded level's start through the game's tick;
// stopAtFirstFinish ends the measure at the first run that finishes. The route itself must finish
// (parSeconds is only meaningful then).
DifficultyFigures measureDifficulty(const Route& route, int runs, bool stopAtFirstFinish);

// "finish 72.5% median +1.84 s over par", or "... median none over par" when no run finished.
std::string difficultyLine(const DifficultyFigures& figures);

// The command: loads MAP from dataDir (or its own folder), takes routePath or else the par route in the
// data folder's par/ folder, prints the line. 0 when printed, 2 when there is no route or it is unusable.
int runDifficulty(const std::string& mapPath, const std::string& dataDir, const std::string& routePath, int runs);

// For the checker, with the map loaded as `loadName` and the current folder its data folder: when
// par/ holds the level's par route and no perturbed run of it finishes, a warning in lint.
void checkParForgiveness(MapLint& lint, const std::string& mapPath, const std::string& loadName);
