// SPDX-License-Identifier: MIT
// The run's hooks, in the order each room's part must run.
#include "app/rooms.h"

#include "app/name_entry.h"
#include "chase/chase_run.h"
#include "chase/record_keeper.h"
#include "chase/replay_recorder.h"
#include "screen/records_page.h"
#include "session/run.h"
#include "watch/replay_viewer.h"

namespace {

// A watched level takes its recorded clock and Camera Lag first: the chase's recording and ghost
// start from them.
void levelStarted()
{
    watchLevelStart();
    chaseLevelStarted();
}

} // namespace

void wireRooms()
{
    RunHooks& hooks = TheRun.hooks;
    hooks.levelLeaving = recordLevelEnd;
    hooks.runEnds = watchedRunIsOver;
    hooks.levelStarted = levelStarted;
    hooks.tickDue = takeWatchedTick;
    hooks.tickPlayed = recordTick;
    hooks.levelFinished = bookLevelFinish;
    hooks.frameDue = presentFrame;
    TheRecordsPage.refreshWorld = fillWorldColumns;
}
