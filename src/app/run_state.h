// The run and round variables, the level list, the game state, the options and the flow flags: the
// game's shared process-wide values, each defined once here with its value at program start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The round's clock, freeze, finish and booked times (LevelTimes, LevelNumber, RoundClock, FreezeTimer,
// LevelEndTime, LevelFinished) live with the simulation that writes them.
#include "sim/round_clock.h"

// Level list, filled by readMapList ---------------------------------------------------------------------
extern int32_t LevelCount;                // levels in the map list, at least 1 once read
extern std::vector<std::string> MapNames; // map file of each level, in playing order

// Run and round ---------------------------------------------------------------------------------------
extern float FrameSeconds; // real time between the previous tick and this one
extern int64_t LastCounterValue;
extern int32_t NewRecordRank; // best-times row being named, or -1
extern int32_t NameCursor;    // letters typed so far on the name-entry screen (0..3)
extern bool GoCuePlayed;
extern bool TimeUpCuePlayed;

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

// Puts every value above back to its program-start value (the level list becomes empty).
// The game itself never needs this; tests and tools that run several games in one process do.
void resetRunState();
