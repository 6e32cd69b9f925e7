// SPDX-License-Identifier: MIT
// The level set played: the pack's sets read at start, the choice from --set or the settings, and the
// title's Page Up and Page Down, each switching the level list, the best times, the records and par.
#pragma once

#include <string>

struct CommandLine;

// Reads the pack's sets from the working folder; a refused set is named on standard error and left out.
void readLevelSets();

// The set --set names, else the one the settings keep (an unknown kept name falls back to the first
// set, with a line on standard error). False, with the known names in `error`, for an unknown --set.
bool takeSetChoice(const CommandLine& commandLine, std::string& error);

// Plays the chosen set: once the start-up has read the first set's files, a set other than the first
// takes its list, folder, best times, records and par.
void enterChosenSet();

// The title's set keys: the set `step` places on (wrapping), kept in the settings, its name shown.
void stepLevelSet(int step);
