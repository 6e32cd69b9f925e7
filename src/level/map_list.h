// SPDX-License-Identifier: MIT
// The map list maplist.dat: the level count and every level's map file name, in playing order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The level list, filled by readMapList.
extern int32_t LevelCount;                // levels in the map list, at least 1 once read
extern std::vector<std::string> MapNames; // map file of each level, in playing order

// Reads maplist.dat from the working directory into LevelCount, MapNames and LevelTimes (all 225).
// False when it cannot be read; the level list is then left as it was.
bool readMapList();

// The same from text already in memory (shared with the fuzz target): a count of at least 1, then
// exactly that many names, then nothing but whitespace.
bool parseMapList(const std::string& text);
