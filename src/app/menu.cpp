// SPDX-License-Identifier: MIT
// The two menu pages: navigation with its wrap and skip, and the actions of the eleven lines. Option
// lines post the action of their option, so the key table does the work in one place whatever the keys.
#include "app/menu.h"

#include "chase/replay_recorder.h"
#include "controls/controls.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"
#include "session/run.h"
#include "sim/sim_state.h"

namespace {

constexpr float CameraLagSteps = 10.0f; // whole values 0..9

// While fog is on, far sight cannot be switched, so the highlight never rests on its line.
void skipFarSightWhileFogged(int direction)
{
    if (MenuItem == MenuFarSight && OptionFog)
        MenuItem = MenuFarSight + direction;
}

void raiseCameraLag()
{
    OptionCameraLag += 1.0f;
    if (OptionCameraLag >= CameraLagSteps)
        OptionCameraLag = 0.0f;
}

// Shows the best times of the last game, the round in play stopped behind them.
void showHighScores()
{
    showBestTimesInstead();
    // Esc closes the menu and clears Paused.
    postAction(Action::Menu);
}

// Leaving the name-entry screen through the menu keeps the record with what was typed of its name, so
// neither the cursor nor an empty name is ever saved.
void leaveNameEntry()
{
    if (GameState != NameEntry)
        return;
    settleUnfinishedName(NewRecordRank, NameCursor);
    // The run's replay is kept under the name the row now has.
    keepNamedRunReplay();
    NameCursor = 0;
    GameState = BestTimes;
}

} // namespace

void moveMenuUp()
{
    if (MenuItem == MenuNewGame)
        MenuItem = MenuQuit;
    else if (MenuItem == MenuStatistics)
        MenuItem = MenuDone;
    else
        MenuItem -= 1;
    skipFarSightWhileFogged(-1);
}

void moveMenuDown()
{
    if (MenuItem == MenuQuit)
        MenuItem = MenuNewGame;
    else if (MenuItem == MenuDone)
        MenuItem = MenuStatistics;
    else
        MenuItem += 1;
    skipFarSightWhileFogged(+1);
}

void lowerCameraLag()
{
    OptionCameraLag -= 1.0f;
    if (OptionCameraLag < 0.0f)
        OptionCameraLag = CameraLagSteps - 1.0f;
}

void activateMenuItem()
{
    if (MenuItem == MenuNewGame || MenuItem == MenuHighScore || MenuItem == MenuQuit)
        leaveNameEntry();
    switch (MenuItem) {
    case MenuNewGame:
        // The menu closes first, so the level start is never refused.
        MenuShown = false;
        LevelNumber = 0;
        platform::postMessage(StartLevelMessage);
        break;
    case MenuHighScore:
        showHighScores();
        break;
    case MenuOptions:
        MenuItem = MenuStatistics;
        break;
    case MenuQuit:
        if (runKeepsHighScores())
            writeHighScores();
        platform::postMessage(DestroyMessage);
        break;
    case MenuStatistics:
        postAction(Action::Statistics);
        break;
    case MenuFog:
        postAction(Action::Fog);
        break;
    case MenuFarSight:
        postAction(Action::FarSight);
        break;
    case MenuNormal:
        postAction(Action::Normal);
        break;
    case MenuCameraLag:
        raiseCameraLag();
        break;
    case MenuMidi:
        postAction(Action::Music);
        break;
    case MenuDone:
        MenuItem = MenuOptions;
        break;
    default:
        break;
    }
}
