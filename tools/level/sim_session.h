// SPDX-License-Identifier: MIT
// The level tool's hold on the game's simulation: loading a map file as the game does, placing the
// marble and camera as a level start does, and running ticks minus drawing. A snapshot is a SimState.
#pragma once

#include <string>
#include <vector>

#include "sim/sim_state.h"
#include "trace_io.h"
#include "verify/map_load.h"

// The Camera Lag option of the session's ticks, set by placeAtLevelStart.
extern float SessionCameraLag;

// Remembers the folder the tool started in; call before anything changes folder.
void rememberStartFolder();
// A command-line path as seen from the folder the tool started in.
std::string pathFromStart(const std::string& path);

// Moves into the folder a map file loads from and gives the name to load it by. With dataDir empty that
// is the map file's own folder (the game keeps maps and textures together); otherwise dataDir, with the
// map path made absolute. Paths are taken relative to the folder the tool started in.
bool enterMapFolder(const std::string& mapPath, const std::string& dataDir, std::string& loadName, std::string& error);

// The simulated state of a one-level game's level start, with the clock at `clock` and no freeze:
// marble at (0, -5800) on the surface at rest, eye 3000 behind and 6000 above it, camera angles 0; the
// session's Camera Lag becomes `lag`.
void placeAtLevelStart(float clock, float lag);

// One tick minus drawing: the game's round step (the camera only when asked). The game's own tick would
// also end the round; this keeps going.
void runTick(TickInput step, bool withCamera = true);

// 45 minus the clock at the finish, once the level is finished.
float bookedFinishTime();
