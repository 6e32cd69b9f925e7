// SPDX-License-Identifier: MIT
// The level list (the level count and every level's map file name, in playing order), its one writer,
// and the reader of maplist.dat, which only reads: the run sets the list from what it returns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

extern int32_t LevelCount;                // levels in the list, at least 1 once set
extern std::vector<std::string> MapNames; // map file of each level, in playing order

// Makes `names` the level list, with every level's time 225 (not finished). Every kind of run sets its
// list here: the map list, a single level, the levels of a watched replay.
void setLevelList(std::vector<std::string> names);
// The map file of level `number` (1-based); nullptr outside the list.
const std::string* levelMapName(int32_t number);
// Empties the list (tests that run several games in one process).
void clearLevelList();

// Reads maplist.dat from the working directory into the level list; false leaves the list as it was.
bool loadMapList();

// Reads maplist.dat from the working directory into `names`. False when it cannot be read; `names`
// is then left as it was.
bool readMapList(std::vector<std::string>& names);

// The same from text already in memory (shared with the fuzz target): a count of at least 1, then
// exactly that many names, then nothing but whitespace.
bool parseMapList(const std::string& text, std::vector<std::string>& names);
