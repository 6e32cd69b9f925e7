// SPDX-License-Identifier: MIT
// The difficulty measure: a route cut into stretches of constant keys, every key change moved by a few
// ticks drawn from a fixed-seed splitmix64, each copy run through sim_session from the level start.
#include "difficulty.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "replay/replay_file.h"
#include "scores/level_records.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "sim_session.h"
#include "trace_command.h"

namespace fs = std::filesystem;

namespace {

// A key change moves by a whole number of ticks in -MaxShiftTicks ... MaxShiftTicks, all equally likely.
constexpr int MaxShiftTicks = 3;
// The one seed of every measure, so that its figures are the same on every run and every compiler.
constexpr uint64_t PerturbSeed = 0x726f6c6971756f31ULL;

// splitmix64: integer arithmetic only, so its draws are the same everywhere (the standard library's
// distributions are not).
class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : state_(seed) { }

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    int shift() { return static_cast<int>(next() % (2 * MaxShiftTicks + 1)) - MaxShiftTicks; }

private:
    uint64_t state_;
};

// The route as stretches of constant keys: stretch i holds keys[i] from tick starts[i] on.
struct Stretches {
    std::vector<SteerKeys> keys;
    std::vector<long long> starts;
};

Stretches stretchesOf(const std::vector<TickInput>& ticks)
{
    Stretches s;
    s.keys.push_back(ticks.empty() ? SteerKeys(0) : ticks[0].keys);
    s.starts.push_back(0);
    for (size_t t = 1; t < ticks.size(); ++t) {
        if (ticks[t].keys == s.keys.back())
            continue;
        s.keys.push_back(ticks[t].keys);
        s.starts.push_back(static_cast<long long>(t));
    }
    return s;
}

// Plays the route's tick lengths with the stretches starting at `starts` from the level start, the last
// keys held (at 60 ticks a second) once the route's ticks are spent, until the finish or time-up.
// True with the booked time when it finished.
bool playRun(const Route& route, const std::vector<SteerKeys>& keys, const std::vector<long long>& starts,
             float& booked)
{
    placeAtLevelStart(route.startClock, DefaultLagOption);
    size_t stretch = 0;
    for (size_t t = 0; !LevelFinished && !(RoundClock < 0.0f); ++t) {
        while (stretch + 1 < starts.size() && static_cast<long long>(t) >= starts[stretch + 1])
            ++stretch;
        float seconds = t < route.ticks.size() ? route.ticks[t].seconds : SolverTickSeconds;
        runTick({seconds, keys[stretch]}, false);
    }
    booked = bookedFinishTime();
    return LevelFinished;
}

bool hasHeaderLine(const std::string& text)
{
    return text.rfind("#@", 0) == 0 || text.find("\n#@") != std::string::npos;
}

// The level's par route in the current folder's par/ folder, as the game names it.
bool parRoutePath(const std::string& mapPath, const std::string& loadName, std::string& path)
{
    std::string hash;
    if (!hashFile(loadName, hash))
        return false;
    path = std::string(ParFolder) + "/" + levelReplayFileName(fs::path(mapPath).filename().string(), hash);
    std::error_code failure;
    return fs::is_regular_file(path, failure);
}

} // namespace

bool readRoute(const std::string& path, Route& route, std::string& error)
{
    std::string text;
    if (!readTextFile(path, text, MaxReplayFileBytes)) {
        error = "cannot be read";
        return false;
    }
    route = Route();
    Replay replay;
    ReplayError replayError;
    if (hasHeaderLine(text)) {
        if (!parseReplay(text, replay, replayError)) {
            error = replayErrorText(path, replayError);
            return false;
        }
        if (replay.levels.size() != 1) {
            error = "a replay of " + std::to_string(replay.levels.size()) + " levels, not a one-level route";
            return false;
        }
        route.startClock = replay.levels[0].startClock;
        for (const ReplayTick& tick : replay.levels[0].ticks)
            route.ticks.push_back({tick.seconds, tick.keys});
        return true;
    }
    std::istringstream in(text);
    int badLine = 0;
    std::string why;
    bool read = forEachTickLine(
        in,
        [&route](const TickInput& step, int) {
            route.ticks.push_back(step);
            return true;
        },
        badLine, why);
    if (!read)
        error = "line " + std::to_string(badLine) + ": " + why;
    return read;
}

DifficultyFigures measureDifficulty(const Route& route, int runs, bool stopAtFirstFinish)
{
    DifficultyFigures figures;
    const Stretches stretches = stretchesOf(route.ticks);
    figures.routeFinishes = playRun(route, stretches.keys, stretches.starts, figures.parSeconds);

    SplitMix64 random(PerturbSeed);
    std::vector<long long> starts(stretches.starts.size());
    std::vector<float> over;
    for (int run = 0; run < runs; ++run) {
        // The first stretch starts at tick 0; every later start moves, kept in order (a stretch may
        // shrink to nothing).
        starts[0] = 0;
        for (size_t i = 1; i < starts.size(); ++i)
            starts[i] = std::max(stretches.starts[i] + random.shift(), starts[i - 1]);
        float booked = 0.0f;
        ++figures.runs;
        if (!playRun(route, stretches.keys, starts, booked))
            continue;
        ++figures.finished;
        over.push_back(booked - figures.parSeconds);
        if (stopAtFirstFinish)
            break;
    }
    std::sort(over.begin(), over.end());
    size_t n = over.size();
    if (n > 0)
        figures.medianOver = n % 2 == 1 ? static_cast<double>(over[n / 2])
                                        : (static_cast<double>(over[n / 2 - 1]) + static_cast<double>(over[n / 2])) / 2;
    return figures;
}

std::string difficultyLine(const DifficultyFigures& figures)
{
    double share = figures.runs > 0 ? 100.0 * figures.finished / figures.runs : 0.0;
    char line[96];
    if (figures.finished == 0)
        std::snprintf(line, sizeof line, "finish %.1f%% median none over par", share);
    else
        std::snprintf(line, sizeof line, "finish %.1f%% median %+.2f s over par", share, figures.medianOver);
    return line;
}

int runDifficulty(const std::string& mapPath, const std::string& dataDir, const std::string& routePath, int runs)
{
    std::string loadName;
    if (!loadForPlay(mapPath, dataDir, PlayingSeconds, DefaultLagOption, loadName))
        return 2;
    // Loading entered the data folder: a par route is looked for there, a given one where the tool started.
    std::string path = routePath.empty() ? std::string() : pathFromStart(routePath);
    if (routePath.empty() && !parRoutePath(mapPath, loadName, path)) {
        std::fprintf(stderr, "%s: no par route %s in the data folder %s; give one with --route FILE\n", mapPath.c_str(),
                     path.empty() ? "" : path.c_str(), fs::current_path().string().c_str());
        return 2;
    }
    Route route;
    std::string error;
    if (!readRoute(path, route, error)) {
        std::fprintf(stderr, "%s: %s\n", routePath.empty() ? path.c_str() : routePath.c_str(), error.c_str());
        return 2;
    }
    // The route itself first: one that does not finish has no par to measure against.
    DifficultyFigures figures = measureDifficulty(route, 0, false);
    if (figures.routeFinishes)
        figures = measureDifficulty(route, runs, false);
    if (!figures.routeFinishes) {
        std::fprintf(stderr, "%s: the route does not finish the level within the clock, so it gives no par time\n",
                     routePath.empty() ? path.c_str() : routePath.c_str());
        return 2;
    }
    std::printf("%s\n", difficultyLine(figures).c_str());
    return 0;
}

void checkParForgiveness(MapLint& lint, const std::string& mapPath, const std::string& loadName)
{
    std::string path;
    if (!parRoutePath(mapPath, loadName, path))
        return;
    Route route;
    std::string error;
    if (!readRoute(path, route, error)) {
        lint.findings.push_back({0, false, "the par route " + path + ": " + error});
        return;
    }
    DifficultyFigures figures = measureDifficulty(route, CheckDifficultyRuns, true);
    if (figures.finished > 0)
        return;
    lint.findings.push_back({0, false,
                             "none of " + std::to_string(figures.runs) + " runs of the par route " + path +
                                 " with its key changes moved up to " + std::to_string(MaxShiftTicks) +
                                 " ticks either way finishes within the clock" +
                                 (figures.routeFinishes ? "" : " (the route itself does not finish)") +
                                 ": the level leaves no room for error"});
}
