// SPDX-License-Identifier: MIT
// Definitions of the app's own run values, and the reset of every shared value to its program start.
// Which code writes each one is said where it is declared.
#include "app/run_state.h"

int64_t LastCounterValue = 0;
int32_t NameCursor = 0;
bool GoCuePlayed = false;
bool TimeUpCuePlayed = false;

void resetRunState()
{
    LevelCount = 0;
    MapNames.clear();
    TheSim = SimState();
    FrameSeconds = 0.0f;
    LastCounterValue = 0;
    NewRecordRank = -1;
    NameCursor = 0;
    GoCuePlayed = false;
    TimeUpCuePlayed = false;
    GameState = Title;
    MenuItem = MenuNewGame;
    OptionStatistics = true;
    OptionFog = true;
    OptionFarSight = false;
    OptionNormal = false;
    OptionCameraLag = 6.0f;
    OptionMidi = true;
    MenuShown = false;
    Paused = false;
    HasFocus = true;
    Halted = true;
    LastKey = 0;
    FrameCount = 0;
    PolygonCount = 0;
    ShownPps = 0;
    ShownFps = 0;
}
