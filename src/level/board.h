// The Board: the level's surface as an analytic field of holes (dips and bumps), the drawing grid
// derived from it, the fog and marble colours and the texture images. One global, TheBoard.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/vec_math.h"

class Marble;

// A dip (depth > 0, counts as a hole) or a bump (depth <= 0, only shapes the ground).
struct Hole {
    float x = 0.0f;
    float y = 0.0f;
    float radius = 0.0f;
    float depth = 0.0f;
};

constexpr int GridColumns = 50;
constexpr int GridRows = 400;
constexpr int GridVertexCount = GridColumns * GridRows;
constexpr int BoardTextureLevels = 8;
constexpr int BoardTextureSlotBytes = 128 * 128 * 3;
constexpr unsigned BoardTextureName = 1;

// A dip catches the marble within this many radii of its centre.
constexpr float CaptureRadii = 1.5f;
// A dip centre closer than this is near (holeAt answers -1): no respawn there, and the start needs it.
constexpr float NearDistance = 250.0f;
// The board's edges for the level rules: off the board beside x < BoardLeft or x > BoardRight (the
// grid's own extent) or behind y < BoardBack; finished past y > FinishLine.
constexpr float BoardLeft = -750.0f;
constexpr float BoardRight = 720.0f;
constexpr float BoardBack = -6000.0f;
constexpr float FinishLine = 5800.0f;
// Where every level starts the marble.
constexpr float StartX = 0.0f;
constexpr float StartY = -5800.0f;

class Board {
public:
    int32_t holeCount = 0;
    std::vector<Hole> holes;
    std::vector<Vec3> vertices;  // grid positions, index row * 50 + column
    std::vector<Vec3> projected; // scratch of the board renderer, same indexing
    std::vector<Vec3> texCoords; // x = s, y = t
    uint32_t fogColorRGB = 0;
    float fogColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    uint32_t marbleColorRGB = 0;
    std::array<std::array<uint8_t, BoardTextureSlotBytes>, BoardTextureLevels> textureMips{};

    // Reads a map file, uploads its texture (GL texture 1), sets the marble's colour and builds the grid.
    // On failure shows the message the format calls for (caption "error") and returns false; the Board
    // then has no holes and no grid. (level/map_loader.cpp)
    bool load(const std::string& fileName, Marble& marble);

    // Surface queries: pure functions of (x, y) and the holes, defined everywhere. They read the first
    // min(holeCount, holes.size()) records; a hole whose radius is not positive is ignored by all of
    // them. (level/board.cpp)
    float heightAt(float x, float y) const; // z of the surface; larger is lower
    float holeAt(float x, float y) const;   // radius of the hole holding the point, -1 near one, 0 none
    Vec3 normalAt(float x, float y) const;  // unit normal, pointing up (-z)
    Vec3 slopeAt(float x, float y) const;   // halfway between straight down and the normal; 0 when flat
    Vec3 tangentX(float x, float y) const;
    Vec3 tangentY(float x, float y) const;
    uint32_t fogColorValue() const { return fogColorRGB; }

    // Replaces the holes and sets holeCount to their number (used by the loader and by tests that
    // build boards directly).
    void setHoles(std::vector<Hole> newHoles);
    // Fills vertices, projected and texCoords from the current holes.
    void buildGrid();

    // Draws the visible cells from the camera; returns the triangles drawn. (render/board_renderer.cpp)
    int draw(const Transform& camera, bool farSight, bool fog);
};

extern Board TheBoard;
