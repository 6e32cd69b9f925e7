// SPDX-License-Identifier: MIT
// Where highScore.dat lives: the working directory for a data folder played as is, or the player's own
// folder for an installed pack. The table and its text format live in high_scores.h.
#pragma once

#include <string>

// Empty for the working directory; otherwise the folder that holds the file, made on the first save.
extern std::string HighScoreFolder;

// highScore.dat inside HighScoreFolder (the bare name when it is empty).
std::string highScorePath();

// The folder of the player's records: HighScoreFolder, or "." for the working directory. Kept replays
// live in its "replays" folder.
std::string recordsFolder();

// Makes HighScoreFolder and any missing parents, private to the player (0700). True when it exists.
bool makeHighScoreFolder();
