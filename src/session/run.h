// SPDX-License-Identifier: MIT
// The run: what kind of run is being played, the hooks through which the rooms above hear of its
// moments, and the round's values outside the simulated state (the cue flags and the counter).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "level/map_loader.h"
#include "sim/marble.h"

enum class RunKind {
    Game,        // a game through the level list, its records and best times kept
    SingleLevel, // roliquo --level: one map file, nothing kept
    Watching,    // roliquo --replay: a recorded run played again, nothing kept
};

// What the rooms above the run are told, filled in by the shell; an empty hook is passed over.
struct RunHooks {
    // The level start, before the level number advances: the level being left is closed.
    void (*levelLeaving)() = nullptr;
    // Right after: true when the run ends here instead of starting its next level.
    bool (*runEnds)() = nullptr;
    // The level start, once the level is loaded and the marble and the clock placed.
    void (*levelStarted)() = nullptr;
    // The tick, before the round step: false holds the tick back; may set the keys it plays (and
    // FrameSeconds and the Camera Lag option with them).
    bool (*tickDue)(SteerKeys& keys) = nullptr;
    // A tick that advances the round, with the keys it plays.
    void (*tickPlayed)(SteerKeys keys) = nullptr;
    // The tick that crossed the finish line, after its cue.
    void (*levelFinished)() = nullptr;
    // A frame is to be shown.
    void (*frameDue)() = nullptr;
};

struct Run {
    RunKind kind = RunKind::Game;
    RunHooks hooks;
    int64_t lastCounterValue = 0;      // the counter at the previous tick or the last level start
    std::filesystem::path chosenMap;   // the map file of a single-level run, absolute
    BoardTextureImages levelTexture;   // the board texture's images of the level being loaded
};

// The cue flags of the level in play: one record, so a watched replay's keyframe copies it whole.
struct RoundCues {
    bool goCuePlayed = false;
    bool timeUpCuePlayed = false;
};

extern Run TheRun;
extern RoundCues TheRoundCues;

extern int64_t& LastCounterValue;
extern bool& GoCuePlayed;
extern bool& TimeUpCuePlayed;

// Whether the best-times table on disk is this run's to change: not for a single level.
bool runKeepsHighScores();
// Whether finished levels are held against the player's records: only in a game.
bool runKeepsRecords();
bool runIsWatched();

// Starts a run of `kind` over `maps` (at least one), as "NeW Game" starts a game: the maps become the
// level list and the first level's start is posted.
void beginRun(RunKind kind, std::vector<std::string> maps);

// "HIGHSCORE": the best times of the last game are shown, every level unfinished; a round in play is
// stopped behind the screen, so it can no longer run out of time or start its next level there.
void showBestTimesInstead();
// The round runs again on the playing screen (a watched replay sought back from a time-up).
void resumeRound();

// Puts the run back to its program-start values, keeping its hooks (tests that run several games).
void resetRun();
