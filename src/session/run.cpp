// SPDX-License-Identifier: MIT
// The run's record and the cue flags, the kind of run and what it keeps, and the start of a run of
// another kind than the menu's game.
#include "session/run.h"

#include <algorithm>
#include <utility>

#include "level/map_list.h"
#include "platform/platform.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"

Run TheRun;
RoundCues TheRoundCues;

int64_t& LastCounterValue = TheRun.lastCounterValue;
bool& GoCuePlayed = TheRoundCues.goCuePlayed;
bool& TimeUpCuePlayed = TheRoundCues.timeUpCuePlayed;

bool runKeepsHighScores()
{
    return TheRun.kind != RunKind::SingleLevel;
}

bool runKeepsRecords()
{
    return TheRun.kind == RunKind::Game;
}

bool runIsWatched()
{
    return TheRun.kind == RunKind::Watching;
}

void beginRun(RunKind kind, std::vector<std::string> maps)
{
    TheRun.kind = kind;
    setLevelList(std::move(maps));
    MenuShown = false;
    LevelNumber = 0;
    platform::postMessage(StartLevelMessage);
}

void showBestTimesInstead()
{
    GameState = BestTimes;
    NewRecordRank = -1;
    std::fill(LevelTimes.begin(), LevelTimes.end(), UnfinishedLevelSeconds);
    Halted = true;
}

void resumeRound()
{
    GameState = Playing;
    Halted = false;
}

void resetRun()
{
    RunHooks hooks = TheRun.hooks;
    TheRun = Run();
    TheRun.hooks = hooks;
    TheRoundCues = RoundCues();
}
