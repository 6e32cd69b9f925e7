// The map list maplist.dat: the level count and every level's map file name, in playing order.
#pragma once

#include <string>

// Reads maplist.dat into LevelCount, MapNames and LevelTimes (all 225). False when it cannot be read.
bool readMapList();

// The same from text already in memory (shared with the fuzz target).
bool parseMapList(const std::string& text);
