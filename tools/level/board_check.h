// SPDX-License-Identifier: MIT
// The level checker's checks of the board a map makes, beyond its text: a finite surface, holes that
// reach the board, and a start where the marble can wait. Text checks live in map_lint.
#pragma once

#include "map_lint.h"

// Heights as the game computes them at every grid vertex and at the start point: an error naming the
// holes responsible when any is not finite (false then), and a warning for every hole whose term
// changes no height on the board by 0.01 or more.
bool checkSurface(MapLint& lint);

// With the level loaded into TheBoard as the game loads it: the marble left alone from the start
// signal for 2 s. A fall, or a state that stops being finite, is an error.
void checkStartRoll(MapLint& lint);

// How long the marble must be able to wait at the start without falling.
constexpr float StartWaitSeconds = 2.0f;
// A hole whose largest effect on the board's height is below this does not shape the board.
constexpr float NegligibleHeight = 0.01f;
