// SPDX-License-Identifier: MIT
// The ghost: which run rolls beside the marble (off, the player's record, par, or a replay given with
// --ghost), F7 cycling the choice, and the track built at each level start by running the chosen
// replay's level through the round step on a copy of the simulated state.
#pragma once

#include <string>
#include <string_view>

#include "chase/chase.h"

// "off", "record", "par", "file": the settings file's words; false for any other.
const char* ghostChoiceWord(GhostChoice choice);
bool ghostChoiceFromWord(std::string_view word, GhostChoice& choice);

// The choice as the settings file gives it; the ghost is built at the next level start.
void chooseGhost(GhostChoice choice);

// --ghost FILE: reads the replay (before the data folder is entered) and makes it the choice. False with
// "FILE:LINE: why" in error.
bool loadGhostFile(const std::string& path, std::string& error);

// F7: off, record, par, the --ghost file when one was given, and off again. Shows the choice's word and
// builds the ghost of the level in play; the shell keeps the choice in the settings file.
void cycleGhostChoice();

// The level start, once the marble is placed (and after a change of choice): builds the ghost of the
// level in play, or none. A --ghost replay without this level (same map name and SHA-256) gives none,
// with one line on standard error.
void prepareGhost();
