// SPDX-License-Identifier: MIT
// The level start: resets the round, loads the next level of the map list, places the marble and the
// camera; after the last level it totals the run and ranks it in the best-times table.
#include "app/round.h"

#include <algorithm>

#include "app/ghost.h"
#include "app/record_keeper.h"
#include "app/replay_recorder.h"
#include "app/replay_viewer.h"
#include "app/run_state.h"
#include "app/startup.h"
#include "level/board.h"
#include "level/map_loader.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "screen/records_page.h"
#include "sim/marble.h"
#include "sim/round_step.h"
#include "sound/sound.h"

namespace {

void resetRound()
{
    // Every level start shows its banner, also when the last banner shown was for the same level number
    // (a new game after a game that ended on level 1).
    BannerLevel = -1;
    LevelFinished = false;
    RoundClock = LaterLevelClock;
    LevelEndTime = TimeUpEndTime;
    FreezeTimer = 0.0f;
    Halted = false;
    Paused = false;
    NewRecordRank = -1;
}

// A new game restarts the track, even one still playing from the game before.
void startNewGame()
{
    RoundClock = FirstLevelClock;
    if (OptionMidi)
        restartMusic();
    std::fill(LevelTimes.begin(), LevelTimes.end(), UnfinishedLevelSeconds);
}

// The board texture's images of the level being loaded, uploaded once the load has read them.
BoardTextureImages LevelTexture;

// Returns false when the map cannot be loaded; the program is ending then (quit posted).
bool loadLevel()
{
    bool loaded = LevelNumber <= static_cast<int32_t>(MapNames.size()) &&
        loadBoardForPlay(TheBoard, TheMarble, MapNames[static_cast<size_t>(LevelNumber - 1)], LevelTexture);
    GameState = Playing;
    if (!loaded) {
        platform::messageBox("Unable to initialize map", "error", true);
        platform::postQuit(StartupFailedExitCode);
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
    float total = 0.0f;
    for (float seconds : LevelTimes)
        total += seconds;
    NewRecordRank = placeTotal(total);
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
    recordLevelEnd();
    if (watchedRunIsOver())
        return;

    LevelNumber += 1;
    resetRound();
    RecordsPageShown = false;
    if (LevelNumber == 1)
        startNewGame();

    if (LevelNumber >= 1 && LevelNumber <= LevelCount && !loadLevel())
        return;
    if (LevelNumber >= LevelCount + 1 && completeRun())
        return;

    placeMarbleAndCamera(TheSim, TheBoard);
    watchLevelStart();
    recordLevelStart();
    noteLevelStart();
    prepareGhost();
    // Loading time does not count against the first tick.
    LastCounterValue = static_cast<int64_t>(platform::counterValue());
}
