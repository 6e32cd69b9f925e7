// SPDX-License-Identifier: MIT
// The options, the game flow and the statistics with their program-start values (a fresh record is
// that start), and the names of their parts.
#include "screen/game_state.h"

Options TheOptions;
GameFlow TheFlow;
Statistics TheStatistics;

bool& OptionStatistics = TheOptions.statistics;
bool& OptionFog = TheOptions.fog;
bool& OptionFarSight = TheOptions.farSight;
bool& OptionNormal = TheOptions.normal;
float& OptionCameraLag = TheOptions.cameraLag;
bool& OptionMidi = TheOptions.midi;

int32_t& GameState = TheFlow.gameState;
int32_t& MenuItem = TheFlow.menuItem;
bool& MenuShown = TheFlow.menuShown;
bool& Paused = TheFlow.paused;
bool& HasFocus = TheFlow.hasFocus;
bool& Halted = TheFlow.halted;
uint8_t& LastKey = TheFlow.lastKey;
float& FrameSeconds = TheFlow.frameSeconds;
int32_t& NewRecordRank = TheFlow.newRecordRank;
int32_t& NameCursor = TheFlow.nameCursor;

int32_t& FrameCount = TheStatistics.frameCount;
int32_t& PolygonCount = TheStatistics.polygonCount;
int32_t& ShownFps = TheStatistics.shownFps;
int32_t& ShownPps = TheStatistics.shownPps;
