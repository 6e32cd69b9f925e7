// SPDX-License-Identifier: MIT
// The level start: resets the round, loads the next level of the map list, places the marble and the
// camera; after the last level it totals the run and ranks it in the best-times table.
#include "session/level_start.h"

#include <algorithm>

#include "level/board.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "screen/records_page.h"
#include "session/run.h"
#include "sim/round_step.h"
#include "sim/sim_state.h"
#include "sound/sound.h"

namespace {

// Exit status of a run that ended because a level could not be loaded (as for a failed start-up).
constexpr int LevelLoadFailedExitCode = 1;

void resetRound()
{
    // Every level start shows its banner, also when the last banner shown was for the same level number
    // (a new game after a game that ended on level 1).
    BannerLevel = -1;
    Halted = false;
    Paused = false;
    NewRecordRank = -1;
}

// A new game restarts the track, even one still playing from the game before.
void startNewGame()
{
    if (OptionMidi)
        restartMusic();
    std::fill(LevelTimes.begin(), LevelTimes.end(), UnfinishedLevelSeconds);
}

// Returns false when the map cannot be loaded; the program is ending then (quit posted).
bool loadLevel()
{
    const std::string* mapName = levelMapName(LevelNumber);
    bool loaded = mapName != nullptr && loadBoardForPlay(TheBoard, TheMarble, levelFilePath(*mapName), TheRun.levelTexture);
    GameState = Playing;
    if (!loaded) {
        platform::messageBox("Unable to initialize map", "error", true);
        platform::postQuit(LevelLoadFailedExitCode);
    }
    return loaded;
}

// Returns true when the total made the table and its name is to be typed.
bool completeRun()
{
    Paused = false;
    LevelFinished = true;
    Halted = true;
    GameState = BestTimes;
    NewRecordRank = placeTotal(runTotal(TheSim));
    if (NewRecordRank >= 0 && NewRecordRank < HighScoreRows) {
        GameState = NameEntry;
        LastKey = 0;
        return true;
    }
    return false;
}

} // namespace

void startLevel()
{
    if (MenuShown)
        return;
    // A level start that arrives after the run was completed (two queued at the last level, say)
    // would reset the finished run behind its best-times screen and lose the name being typed.
    if (LevelNumber > LevelCount)
        return;
    const RunHooks& hooks = TheRun.hooks;
    if (hooks.levelLeaving != nullptr)
        hooks.levelLeaving();
    if (hooks.runEnds != nullptr && hooks.runEnds())
        return;

    LevelNumber += 1;
    resetRound();
    hideRecordsPage();
    bool firstLevel = LevelNumber == 1;
    if (firstLevel)
        startNewGame();

    if (LevelNumber >= 1 && LevelNumber <= LevelCount && !loadLevel())
        return;
    // The round is started after the run completes too: its marble rests at the start behind the
    // best-times screen, the level finished.
    startRound(TheSim, TheBoard, levelStartClock(firstLevel));
    if (LevelNumber >= LevelCount + 1 && completeRun())
        return;
    if (hooks.levelStarted != nullptr)
        hooks.levelStarted();
    // Loading time does not count against the first tick.
    LastCounterValue = static_cast<int64_t>(platform::counterValue());
}
