// SPDX-License-Identifier: MIT
// One map file played as a one-level game (roliquo --level MAP): the level list becomes that file, its
// texture images are read from its own folder, and the best-times table on disk is never written.
#pragma once

#include <string>

// Remembers the map file to play, as seen from the working folder; false (with the reason) when it
// cannot be read. Call before the window is created.
bool chooseSingleLevel(const std::string& mapPath, std::string& error);

// Whether a single level was chosen.
bool singleLevelChosen();

// After start-up (everything else the game reads still comes from the working folder): the level list
// becomes the chosen file alone, texture images come from its folder, writing the best times is
// switched off, and the level is started as "NeW Game" starts a game.
void startSingleLevel();
