// SPDX-License-Identifier: MIT
// What every screen is composed from: the game state, the menu line, the options, the flow flags and
// the statistics, as three records. The shell's keys and the run write them; the screens only read.
#pragma once

#include <cstdint>

// Game state and menu ---------------------------------------------------------------------------------
enum GameStateValue : int32_t {
    Title = 1,
    Playing = 2,
    BestTimes = 3,
    NameEntry = 4
};

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

// The options: fixed defaults every run, changed only by keys and the menu.
struct Options {
    bool statistics = true;
    bool fog = true;
    bool farSight = false;
    bool normal = false;
    float cameraLag = 6.0f; // whole values 0..9
    bool midi = true;
};

// Where the game is and what the next frame shows: the screen, the menu line, the flow flags, the
// tick's length, and the best-times row being named.
struct GameFlow {
    int32_t gameState = Title;
    int32_t menuItem = MenuNewGame;
    bool menuShown = false;
    bool paused = false;
    bool hasFocus = true;
    bool halted = true;       // set: the tick only draws
    uint8_t lastKey = 0;      // low byte of the latest key press, read by name entry
    float frameSeconds = 0.0f; // real time between the previous tick and this one (the banner shrinks by it)
    int32_t newRecordRank = -1; // best-times row being named, or -1
    int32_t nameCursor = 0;     // letters typed so far on the name-entry screen (0..3)
    uint64_t setChosenAt = 0;   // the counter when the title last changed the level set; 0: never
};

// The statistics overlay's counts: frames and board triangles since the last second, and the figures
// shown, published by the 1000 ms timer.
struct Statistics {
    int32_t frameCount = 0;
    int32_t polygonCount = 0;
    int32_t shownFps = 0;
    int32_t shownPps = 0;
};

extern Options TheOptions;
extern GameFlow TheFlow;
extern Statistics TheStatistics;

// The game's names for their parts: the key commands, the menu, the run and the screens use these.
extern bool& OptionStatistics;
extern bool& OptionFog;
extern bool& OptionFarSight;
extern bool& OptionNormal;
extern float& OptionCameraLag;
extern bool& OptionMidi;

extern int32_t& GameState;
extern int32_t& MenuItem;
extern bool& MenuShown;
extern bool& Paused;
extern bool& HasFocus;
extern bool& Halted;
extern uint8_t& LastKey;
extern float& FrameSeconds;
extern int32_t& NewRecordRank;
extern int32_t& NameCursor;

extern int32_t& FrameCount;
extern int32_t& PolygonCount;
extern int32_t& ShownFps;
extern int32_t& ShownPps;
