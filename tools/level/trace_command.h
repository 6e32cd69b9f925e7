// SPDX-License-Identifier: MIT
// The trace command's body, shared by the level tool and the WebAssembly trace program: option numbers,
// loading a map file for play, and running tick lines with a state line printed after each.
#pragma once

#include <istream>
#include <string>

#include "sim/round_clock.h"
#include "sim/round_step.h"

// The bounds of --clock (the clock a game starts with at most) and --lag.
constexpr float LowestClockOption = TimeUpEndTime;
constexpr float HighestClockOption = FirstLevelClock;
constexpr float HighestLagOption = 9.0f;
// Camera Lag without --lag.
constexpr float DefaultLagOption = 6.0f;

// A number in the game's own syntax (the token reader's), the whole argument, inside [low, high]; false
// after saying why.
bool readOption(const std::string& option, const char* text, float low, float high, bool whole, float& out);

// Loads the map file as the game does (texture images from dataDir when it is not empty) and places the
// level start with the clock at `clock` and Camera Lag `lag`; false after saying why. loadName is the
// name the game's loader was given.
bool loadForPlay(const std::string& file, const std::string& dataDir, float clock, float lag, std::string& loadName);

// Runs the tick lines of `input` from the placed level start, printing the state line after every tick.
// 0 at the input's end, 2 at a line that cannot be read, 3 once the state is no longer finite.
int traceTicks(std::istream& input);
