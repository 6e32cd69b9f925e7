// The level tool's hold on the game's simulation: loading a map file as the game does, placing the
// marble and camera as a level start does, running ticks minus drawing, and saving/restoring the state.
#pragma once

#include <string>
#include <vector>

#include "sim/camera.h"
#include "sim/marble.h"
#include "trace_io.h"

// Everything a tick reads or writes, for branching searches. The level list has one level, so one
// booked time is all of LevelTimes.
struct SimSnapshot {
    Marble marble;
    FollowCamera camera;
    float roundClock = 0.0f;
    float freezeTimer = 0.0f;
    float levelEndTime = 0.0f;
    float frameSeconds = 0.0f;
    bool levelFinished = false;
    float bookedTime = 0.0f;
};

SimSnapshot captureSim();
void restoreSim(const SimSnapshot& snapshot);

// Makes the GL context the texture upload needs. False (with a line on stderr) when there is none.
bool prepareGl();

// Remembers the folder the tool started in; call before anything changes folder.
void rememberStartFolder();
// A command-line path as seen from the folder the tool started in.
std::string pathFromStart(const std::string& path);

// Moves into the folder a map file loads from and gives the name to load it by. With dataDir empty that
// is the map file's own folder (the game keeps maps and textures together); otherwise dataDir, with the
// map path made absolute. Paths are taken relative to the folder the tool started in.
bool enterMapFolder(const std::string& mapPath, const std::string& dataDir, std::string& loadName, std::string& error);

// TheBoard.load as the level start calls it, from the current folder; every message box the loader
// showed goes into messages.
bool loadMapAsGame(const std::string& loadName, std::vector<std::string>& messages);

// The run variables and the placement of a one-level game's level start, with the clock at `clock`
// and no freeze: marble at (0, -5800) on the surface at rest, eye 3000 behind and 6000 above it,
// camera angles 0, Camera Lag option `lag`.
void placeAtLevelStart(const std::string& mapName, float clock, float lag);

// Holds exactly the given keys on the headless keyboard.
void holdKeys(uint8_t keys);

// One tick minus drawing: FrameSeconds and the game's round step (the camera only when asked). The
// game's own tick would also end the round; this keeps going.
void runTick(TickInput step, bool withCamera = true);

// 45 minus the clock at the finish, once the level is finished.
float bookedFinishTime();
