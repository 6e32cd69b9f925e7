// SPDX-License-Identifier: MIT
// Definitions of the game state, menu, option, flag and statistics values the screens show, with their
// program-start values. Which code writes each one is said where it is declared (game_state.h).
#include "screen/game_state.h"

int32_t GameState = Title;
int32_t MenuItem = MenuNewGame;

bool OptionStatistics = true;
bool OptionFog = true;
bool OptionFarSight = false;
bool OptionNormal = false;
float OptionCameraLag = 6.0f;
bool OptionMidi = true;

bool MenuShown = false;
bool Paused = false;
bool HasFocus = true;
bool Halted = true;
uint8_t LastKey = 0;
int32_t FrameCount = 0;
int32_t PolygonCount = 0;
int32_t ShownFps = 0;
int32_t ShownPps = 0;

float FrameSeconds = 0.0f;
int32_t NewRecordRank = -1;
