// SPDX-License-Identifier: MIT
// The run's hooks, in the order each room's part must run, and the reset of every room.
#include "app/rooms.h"

#include <memory>

#include "app/name_entry.h"
#include "app/settings.h"
#include "app/window_proc.h"
#include "chase/chase.h"
#include "chase/record_keeper.h"
#include "chase/replay_recorder.h"
#include "level/board.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "render/board_renderer.h"
#include "replay/replay_store.h"
#include "scores/high_score_folder.h"
#include "scores/high_scores.h"
#include "scores/level_records.h"
#include "screen/font.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "screen/records_page.h"
#include "session/run.h"
#include "sim/sim_state.h"
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
}

void resetGame()
{
    // A replay save of the game before lands in its own folder before anything is reset.
    finishReplaySaves();
    stopWatchingReplay();
    resetChase();
    resetRun();
    wireRooms();
    clearLevelList();
    TheSim = SimState();
    TheOptions = Options();
    TheFlow = GameFlow();
    TheStatistics = Statistics();
    hideRecordsPage();
    resetFrameState();
    resetShellState();
    TheSettings = Settings();
    TheHighScoreFile = HighScoreFile();
    TheRecordBook = RecordBook();
    TextureFolder.clear();
    TheBoard = Board();
    TheBoardRenderer.clearGrid();
    // The Font is replaced from the heap: it is too large for a stack temporary.
    TheFont = *std::make_unique<Font>();
    for (HighScoreEntry& row : HighScores)
        row = HighScoreEntry{};
}
