// The table of the ten best game totals, its file highScore.dat, and the placing of a new total.
#pragma once

#include <string>

struct HighScoreEntry {
    float time = 0.0f;
    std::string name;
};

// Rows 0..9 are the table; row 10 takes a new total before sorting.
constexpr int HighScoreRows = 10;
extern HighScoreEntry HighScores[HighScoreRows + 1];

// Reads highScore.dat; a missing or damaged file gives the default table. Always true.
bool readHighScores();
// Writes highScore.dat safely (temporary file, flush, rename). False when any step fails.
bool writeHighScores();
// Puts the total into the table; returns the row 0..9 now holding it (its name becomes "_"), or -1.
int placeTotal(float total);
