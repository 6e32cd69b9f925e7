// SPDX-License-Identifier: MIT
// The board renderer: the drawing grid it builds from a board's surface, the board texture's upload,
// and the draw of the visible cells; with the anchor of its sweeps and the record each draw returns.
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

struct SweepAnchor {
    int anchorRow = 0;    // the row under the point 400 ahead of the eye, 0..398
    int anchorColumn = 0; // the column under the eye; may lie outside the grid
    int lastRow = 0;      // the last row the ahead sweeps may draw
};

// What one BoardRenderer::draw did; all zero and empty on a board without a grid.
struct BoardDrawRecord {
    SweepAnchor anchor;
    int triangles = 0;        // triangles drawn
    int cellsVisited = 0;     // cells that passed the bounds test and were drawn
    int projections = 0;      // vertices moved into camera space and divided
    int trianglesSkipped = 0; // triangles with a corner at or behind the camera plane
};

// The grid of one level, built once per level load, and the renderer's per-draw scratch. One global,
// TheBoardRenderer.
class BoardRenderer {
public:
    std::vector<Vec3> vertices;  // grid positions, index row * 50 + column
    std::vector<Vec3> projected; // scratch of draw, same indexing
    std::vector<Vec3> texCoords; // x = s, y = t
    // Scratch of draw: whether each vertex is projected yet, and on which side of the camera plane.
    std::vector<uint8_t> vertexState;
    // Scratch of draw: the triangle corners, interleaved as s, t, x', y', z' in drawing order. Sized once
    // for the largest frame.
    std::vector<float> corners;

    // Fills vertices, projected and texCoords from the board's surface.
    void buildGrid(const Board& board);
    // No grid: draw then draws nothing.
    void clearGrid();
    // Replaces GL texture 1 with the images a map load read.
    void uploadTexture(const BoardTextureImages& texture) const;
    // Draws the visible cells from the camera, fogged with the board's fog colour when `fog`. A caller
    // that wants the cells themselves passes `visitedCells`: every visited cell's index row * 50 +
    // column, in drawing order, replaces what it held.
    BoardDrawRecord draw(const Board& board, const Transform& camera, bool farSight, bool fog,
                         std::vector<int32_t>* visitedCells = nullptr);
};

extern BoardRenderer TheBoardRenderer;

// A level's board as the level start loads it for play: the map file into `board` and `marble`, its
// texture images read into `texture` and uploaded, TheBoardRenderer's grid built. A loading board has
// no grid, a failed one keeps none.
bool loadBoardForPlay(Board& board, Marble& marble, const std::string& fileName, BoardTextureImages& texture);

// The anchor of the four sweeps for an eye position.
SweepAnchor boardSweepAnchor(Vec3 eye, bool farSight);
