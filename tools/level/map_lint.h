// SPDX-License-Identifier: MIT
// The level checker's own reading of a map file's text: every problem it can find, with its line,
// without stopping at the first (the game's loader stops there and says little). Pure text work.
#pragma once

#include <string>
#include <vector>

#include "level/board.h"

struct LintFinding {
    int line = 0;      // 1-based; 0 for the file as a whole
    bool error = true; // false: a warning, the file is still sound
    std::string text;
};

// What the text says, as far as it could be read.
struct MapLint {
    std::vector<LintFinding> findings;
    std::vector<std::string> textureBases; // every texturefile= value, in order
    std::vector<int> textureLines;
    std::vector<Hole> holes;    // the hole values of the last .data section
    std::vector<int> holeLines; // the line of each hole's first value
};

// Tokens and numbers are read with the game's TokenReader, so every value is the one the loader reads.
MapLint lintMapText(const std::string& text);

// "hole N (x .., y .., radius .., depth ..)" for lint.holes[index], N counted from 1.
std::string holeName(const MapLint& lint, size_t index);

// Warnings and errors about the start point (StartX, StartY) of a board with these holes; the verdict comes
// from the Board's own holeAt, the lines from lint.holeLines.
void lintStartPoint(MapLint& lint);

bool hasErrors(const MapLint& lint);
