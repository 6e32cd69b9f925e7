// SPDX-License-Identifier: MIT
// The marble renderer: the marble as a flat screen-aligned disc at the projected centre of the ball,
// drawn over the board with the depth and fog state the board renderer left.
#pragma once

#include "sim/vec_math.h"

class Board;
class Marble;

// Draws `marble` seen through `camera`; the board gives the surface normal the ball sits along.
void drawMarble(const Marble& marble, const Transform& camera, const Board& board);

// The same disc for a ghost at `position` with `color` (0..255 each), blended at opacity `alpha`
// without writing depth; blending is off again afterwards.
void drawGhostMarble(Vec3 position, const float* color, float alpha, const Transform& camera, const Board& board);
