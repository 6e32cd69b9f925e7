// SPDX-License-Identifier: MIT
// The replay file: a finished run as text, one tick a line ("DT KEYS", the level tool's trace input),
// with "#@" header lines naming each level's map file, its SHA-256, start clock and booked time, and the
// run's total and name. Format and parse only; recording is the chase's (chase/replay_recorder.h),
// saving replay_store's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "replay/tick_line.h"
#include "sim/round_step.h"

constexpr int ReplayFormatVersion = 1;
// The simulation of a replay without a "#@ simulation" line: every replay made before the line existed.
constexpr int UnnamedSimulationVersion = 1;
constexpr int MaxSimulationVersion = 999'999;

// Bounds on what a replay may hold; a longer file is refused rather than read into memory.
constexpr size_t MaxReplayLevels = 4096;
constexpr size_t MaxReplayTicksPerLevel = 2'000'000;
constexpr size_t MaxReplayTicks = 8'000'000;
constexpr size_t MaxReplayLineLength = 1024;
constexpr size_t MaxReplayFileBytes = 256u * 1024u * 1024u;
constexpr size_t MaxReplayNameLength = 255;

// One advancing tick: its length, the steering keys and the Camera Lag option it ran with.
struct ReplayTick {
    float seconds = 0.0f;
    SteerKeys keys = 0;
    uint8_t cameraLag = 0; // whole values 0..9
};

struct ReplayLevel {
    std::string mapName;        // as the level list names it
    std::string mapHash;        // SHA-256 of the map file's bytes, 64 lower-case hex digits
    float startClock = 0.0f;    // RoundClock at the level start (52 on a game's first level, 46.5 later)
    uint8_t startCameraLag = 0; // the Camera Lag option at the level start
    float bookedSeconds = 0.0f; // the time the level booked: 225 unless it was finished
    bool skipped = false;       // left with F1 rather than by the end of its round
    float endX = 0.0f, endY = 0.0f, endZ = 0.0f; // where the marble was after the level's last tick
    std::vector<ReplayTick> ticks;
};

struct Replay {
    int simulation = SimulationVersion; // the simulation version that played it (sim/round_step.h)
    std::vector<ReplayLevel> levels;
    float total = 0.0f; // the run's total as the best-times table got it
    std::string name;   // the name of its row
};

// The file's text. Every real is written with %.9g, so it reads back as the same float.
std::string formatReplay(const Replay& replay);

struct ReplayError {
    int line = 0; // 1-based; 0 when the whole file is at fault (unreadable, too large)
    std::string message;
};

// Reads a replay from text. False with the first offending line for anything malformed or out of bounds.
bool parseReplay(std::string_view text, Replay& replay, ReplayError& error);
bool readReplayFile(const std::string& path, Replay& replay, ReplayError& error);

// Empty when this simulation played the replay; else "recorded with simulation N; this is simulation M":
// its keys may book other times here, so it is neither proved nor refuted, watched nor raced.
std::string simulationMismatch(const Replay& replay);

// "FILE:LINE: why", or "FILE: why" when the whole file is at fault.
std::string replayErrorText(const std::string& path, const ReplayError& error);

// Reads a replay that this build plays again as it was played: readable, and of this simulation.
// False with the reason in `error` (a simulation mismatch as a whole-file error, `otherSimulation`
// set) for the watcher, the ghost and the records to word as suits them.
bool readPlayableReplay(const std::string& path, Replay& replay, ReplayError& error, bool& otherSimulation);

// Whether a name can stand in a replay's name line: 1 to 255 printable ASCII characters, no space.
bool isReplayName(std::string_view name);
// Whether a map name can be loaded from a data folder: a relative path without "..", printable, no space.
bool isReplayMapName(std::string_view name);
