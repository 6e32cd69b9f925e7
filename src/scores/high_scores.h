// SPDX-License-Identifier: MIT
// The table of the ten best game totals, its file highScore.dat, and the placing of a new total.
#pragma once

#include <string>

struct HighScoreEntry {
    float time = 0.0f;
    std::string name;
};

// Rows 0..9 are the table; row 10 takes a new total before sorting and is never saved or shown.
constexpr int HighScoreRows = 10;
extern HighScoreEntry HighScores[HighScoreRows + 1];

// Reads highScore.dat; a missing or damaged file gives the default table. Always true. A damaged file is
// remembered: the next successful save first keeps it as highScore.dat.damaged.
bool readHighScores();

// Writes highScore.dat safely: the whole text to highScore.dat.tmp, flushed to disk, renamed over the old
// file, and the folder synced. False when any step fails, with the system's reason on standard error;
// the old file is then untouched and the next save tries again. The run decides whether its table is
// kept at all (a single level's is not).
bool writeHighScores();
// Puts the total into the table; returns the row 0..9 now holding it (its name becomes "_"), or -1.
// A total that is not a finite number is not placed (-1, table unchanged).
int placeTotal(float total);

// Closes a name entry left before its third letter: row keeps its time and the first lettersTyped
// letters of its name, without the cursor; with no letter typed it is named "---". Rows outside 0..9
// are left alone.
void settleUnfinishedName(int row, int lettersTyped);

// Every row 0..9 named "aaa" with 225 s (row 10 is left alone).
void setDefaultHighScores();
// Reads rows 0..9 from text: ten pairs of a real and a name, anything after them ignored; a name over 255
// characters is cut to 255. Fewer rows or a malformed time give the default table and false.
bool parseHighScores(const std::string& text);
// The file's text for rows 0..9: each row "time name " with the time in six significant digits
// (225 -> "225", 83.5 -> "83.5", 123.456789 -> "123.457"); no line breaks.
std::string formatHighScores();

// A time as the table file writes it: %g, six significant digits.
std::string formatTableTime(float time);
