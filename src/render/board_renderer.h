// What the board renderer exposes beside Board::draw: the anchor of its sweeps and a record of the
// latest call, for the frame benchmark and the tests that check which cells a view visits.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/vec_math.h"

struct SweepAnchor {
    int anchorRow = 0;    // the row under the point 400 ahead of the eye, 0..398
    int anchorColumn = 0; // the column under the eye; may lie outside the grid
    int lastRow = 0;      // the last row the ahead sweeps may draw
};

// The anchor of the four sweeps for an eye position.
SweepAnchor boardSweepAnchor(Vec3 eye, bool farSight);

struct BoardDrawRecord {
    SweepAnchor anchor;
    int cellsVisited = 0;     // cells that passed the bounds test and were drawn
    int projections = 0;      // vertices moved into camera space and divided
    int trianglesSkipped = 0; // triangles with a corner at or behind the camera plane
};

// Filled by every Board::draw; all zero after a call on a board without a grid.
extern BoardDrawRecord LastBoardDraw;

// When set, every visited cell appends its index row * 50 + column here, in drawing order.
extern std::vector<int32_t>* BoardCellLog;
