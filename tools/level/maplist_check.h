// SPDX-License-Identifier: MIT
// The level checker's reading of maplist.dat: the count against the names, with their lines, the
// game's own verdict, and the map check of every level it names.
#pragma once

#include <string>

// A map list is named maplist.dat, or starts with a number (a map file starts with a key).
bool looksLikeMapList(const std::string& path, const std::string& text);

// Checks the list and every map file it names, printing as checkMapFile does. The names are opened
// from the list's folder, as the game opens them from its working folder; with dataDir, from there.
// True when the list and every map are sound.
bool checkMapList(const std::string& path, const std::string& text, const std::string& dataDir);
