// SPDX-License-Identifier: MIT
// The shell's part of the world records: --server and --player kept in the settings (the name claimed
// on that server once), the client started with the token kept for them, and `roliquo --world`.
#pragma once

#include "app/command_line.h"

// Takes --server and --player into the settings and says so; false, after saying why, for a server or
// a name the client cannot use.
bool takeServerChoice(const CommandLine& commandLine);

// With a server and player set (once the data folder is chosen): the kept token, or with --server and
// --player given a claim of the name; then the client's thread. A taken name leaves the game offline.
void startWorldRecords(const CommandLine& commandLine);

// roliquo --world: each level's top five; 2 without a server, or when it cannot be reached.
int printWorld();
