// SPDX-License-Identifier: MIT
// `roliquo-level verify FILE [--data DIR]`: re-simulates every level of a replay through the game's
// round step on the named map files and checks that it books exactly what the file claims.
#pragma once

#include <string>

// Prints each level's booked time, the total and the name. Exit status: 0 when everything recomputes
// exactly; 1 at the first level that does not (another map file, a changed key or step); 2 for a file
// that is no well-formed replay (with its line) or a data folder that cannot be entered.
int verifyReplay(const std::string& replayPath, const std::string& dataDir);
