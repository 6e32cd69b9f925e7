// SPDX-License-Identifier: MIT
// Where highScore.dat lives (the working directory for a data folder played as is, or the player's own
// folder for an installed pack) and whether the file found there was damaged. The table: high_scores.h.
#pragma once

#include <string>

// The file's name.
inline const char* const HighScoreFileName = "highScore.dat";

struct HighScoreFile {
    // Empty for the working directory; otherwise the folder that holds the file, made on the first save.
    std::string folder;
    // Set by readHighScores when a file was there but could not be read as a table; the first save then
    // keeps that file as highScore.dat.damaged instead of overwriting a record typed in by hand.
    bool damaged = false;
    // The chosen level set's own part below it: empty for the first set (its files stay where they always
    // were), "sets/NAME/" for another, so each set keeps its own table and records.
    std::string setFolder;
};
extern HighScoreFile TheHighScoreFile;

// Chooses the folder at start-up (empty: the working directory).
void useHighScoreFolder(const std::string& folder);

// Points the table and the records at a level set's own part ("" or "sets/NAME/").
void useScoreSet(const std::string& setFolder);

// highScore.dat inside TheHighScoreFile.folder and the set's part (the bare name when both are empty).
std::string highScorePath();

// The folder of the player's records: TheHighScoreFile.folder, or "." for the working directory. Kept replays
// live in its "replays" folder.
std::string recordsFolder();

// The folder of the chosen set's table and records: the folder and the set's part, "." when both are empty.
std::string scoreSetFolder();

// Makes scoreSetFolder() and any missing parents, private to the player (0700). True when it exists.
bool makeHighScoreFolder();
