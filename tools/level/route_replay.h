// SPDX-License-Identifier: MIT
// The solver's route as a one-level replay: the route's ticks, then ticks without keys until the round
// ends one second after the finish, as the game's own recording of that run would hold them.
#pragma once

#include <string>
#include <vector>

#include "replay/replay_file.h"

// From the level start the sim is at (map loaded as `loadName`, listed as `mapName`). False when the map
// file cannot be read again for its SHA-256.
bool routeReplay(const std::string& loadName, const std::string& mapName, const std::vector<TickInput>& route,
                 Replay& replay);
