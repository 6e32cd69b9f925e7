// The map list maplist.dat: the level count and every level's map file name, in playing order.
#pragma once

#include <string>

// Reads maplist.dat from the working directory into LevelCount, MapNames and LevelTimes (all 225).
// False when it cannot be read; the level list is then left as it was.
bool readMapList();

// The same from text already in memory (shared with the fuzz target): a count of at least 1, then
// exactly that many names, then nothing but whitespace.
bool parseMapList(const std::string& text);
