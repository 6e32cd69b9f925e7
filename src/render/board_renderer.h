// SPDX-License-Identifier: MIT
// The board renderer: the drawing grid it builds from a board's surface, the board texture's upload,
// and the draw of the visible cells; with the anchor of its sweeps and a record of the latest draw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/vec_math.h"

class Board;
class Marble;
struct BoardTextureImages;

// GL texture name of the board texture.
constexpr unsigned BoardTextureName = 1;

// The grid of one level, built once per level load, and the renderer's projection scratch. One
// global, TheBoardRenderer.
class BoardRenderer {
public:
    std::vector<Vec3> vertices;  // grid positions, index row * 50 + column
    std::vector<Vec3> projected; // scratch of draw, same indexing
    std::vector<Vec3> texCoords; // x = s, y = t

    // Fills vertices, projected and texCoords from the board's surface.
    void buildGrid(const Board& board);
    // No grid: draw then draws nothing.
    void clearGrid();
    // Replaces GL texture 1 with the images a map load read.
    void uploadTexture(const BoardTextureImages& texture) const;
    // Draws the visible cells from the camera, fogged with the board's fog colour when `fog`; returns
    // the triangles drawn.
    int draw(const Board& board, const Transform& camera, bool farSight, bool fog);
};

extern BoardRenderer TheBoardRenderer;

// A level's board as the level start loads it for play: the map file into `board` and `marble`, its
// texture images read into `texture` and uploaded, TheBoardRenderer's grid built. A loading board has
// no grid, a failed one keeps none.
bool loadBoardForPlay(Board& board, Marble& marble, const std::string& fileName, BoardTextureImages& texture);

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

// Filled by every BoardRenderer::draw; all zero after a call on a board without a grid.
extern BoardDrawRecord LastBoardDraw;

// When set, every visited cell appends its index row * 50 + column here, in drawing order.
extern std::vector<int32_t>* BoardCellLog;
