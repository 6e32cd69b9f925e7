// SPDX-License-Identifier: MIT
// `roliquo-level verify [--json] [--data DIR] FILE`: re-simulates every level of a replay through the
// game's round step on the named map files and checks that it books exactly what the file claims.
#pragma once

#include <string>

#include "verify/verdict.h"

// Reads and re-plays the replay; the data folder is entered on the way.
Verdict verifyReplay(const std::string& replayPath, const std::string& dataDir);

// Prints the verdict as lines (each level's booked time, then the total and the name, or where it
// differs) or as one JSON object; returns its status.
int printVerdict(const Verdict& verdict, const std::string& replayPath);
void printVerdictJson(const Verdict& verdict, const std::string& replayPath);
