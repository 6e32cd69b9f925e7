// SPDX-License-Identifier: MIT
// Every room of the game put back to its program-start values, and the rooms wired again.
#include "app/game_reset.h"

#include <memory>

#include "app/rooms.h"
#include "app/settings.h"
#include "app/window_proc.h"
#include "chase/chase_run.h"
#include "controls/controls.h"
#include "controls/controls_page.h"
#include "level/board.h"
#include "level/level_set.h"
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
    resetControls();
    closeControlsPage();
    TheSettings = Settings();
    TheHighScoreFile = HighScoreFile();
    TheRecordBook = RecordBook();
    LevelFolder.clear();
    TheLevelSets = LevelSets();
    TheBoard = Board();
    TheBoardRenderer.clearGrid();
    // The Font is replaced from the heap: it is too large for a stack temporary.
    TheFont = *std::make_unique<Font>();
    for (HighScoreEntry& row : HighScores)
        row = HighScoreEntry{};
}
