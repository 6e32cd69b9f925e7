// SPDX-License-Identifier: MIT
// A route for the level picture: trace input (solver output, a hand-written trace or a replay) run
// through the game's own tick from the placed level start, position by position, falls marked.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "level_picture.h"

// Runs every input line from the current state until the finish; the first point is where the marble
// stands now. False, with the line and reason in error, at a malformed line.
bool runRoute(std::istream& in, std::vector<RoutePoint>& route, std::string& error);
