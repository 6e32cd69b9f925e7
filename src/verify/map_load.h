// SPDX-License-Identifier: MIT
// Loading a map file as the game's level start does, for programs that draw nothing (the level tools,
// the leaderboard's workers): the loader's message boxes come back as text.
#pragma once

#include <string>
#include <vector>

// TheBoard.load as the level start calls it, from the current folder, texture images read and all;
// every message box the loader showed goes into messages.
bool loadMapAsGame(const std::string& loadName, std::vector<std::string>& messages);
