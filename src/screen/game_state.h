// SPDX-License-Identifier: MIT
// What every screen is composed from: the game state, the menu line, the options, the flow flags and
// the statistics. The app's window procedure and tick write them; the screens only read them.
#pragma once

#include <cstdint>

// Game state and menu ---------------------------------------------------------------------------------
enum GameStateValue : int32_t {
    Title = 1,
    Playing = 2,
    BestTimes = 3,
    NameEntry = 4
};
extern int32_t GameState;

enum MenuItemValue : int32_t {
    MenuNewGame = 1,
    MenuHighScore,
    MenuOptions,
    MenuQuit, // main page
    MenuStatistics,
    MenuFog,
    MenuFarSight,
    MenuNormal,
    MenuCameraLag,
    MenuMidi,
    MenuDone, // options page
};
extern int32_t MenuItem;

// Options: fixed defaults every run, changed only by keys and the menu ---------------------------------
extern bool OptionStatistics;
extern bool OptionFog;
extern bool OptionFarSight;
extern bool OptionNormal;
extern float OptionCameraLag; // whole values 0..9
extern bool OptionMidi;

// Flow flags and statistics ------------------------------------------------------------------------------
extern bool MenuShown;
extern bool Paused;
extern bool HasFocus;
extern bool Halted;     // set: the tick only draws
extern uint8_t LastKey; // low byte of the latest key press, read by name entry
extern int32_t FrameCount;
extern int32_t PolygonCount;
extern int32_t ShownFps;
extern int32_t ShownPps;

// Run values the screens show ------------------------------------------------------------------------------
extern float FrameSeconds;    // real time between the previous tick and this one (the banner shrinks by it)
extern int32_t NewRecordRank; // best-times row being named, or -1
