// SPDX-License-Identifier: MIT
// The Board: the level's surface as an analytic field of holes (dips and bumps), its fog and marble
// colours. One global, TheBoard. The drawing grid and the texture belong to render/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/vec_math.h"

class Marble;
struct BoardTextureImages;

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
    std::vector<Hole> holes;
    uint32_t fogColorRGB = 0;
    float fogColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    uint32_t marbleColorRGB = 0;

    // Reads a map file, sets the marble's colour and reads the texture images it names into `texture`
    // (the caller that draws uploads them). On failure shows the message the format calls for (caption
    // "error") and returns false; the Board then has no holes. (level/map_loader.cpp)
    bool load(const std::string& fileName, Marble& marble, BoardTextureImages& texture);

    // Surface queries: pure functions of (x, y) and the holes, defined everywhere. A hole whose radius
    // is not positive is ignored by all of them. (level/board.cpp)
    float heightAt(float x, float y) const; // z of the surface; larger is lower
    float holeAt(float x, float y) const;   // radius of the hole holding the point, -1 near one, 0 none
    Vec3 normalAt(float x, float y) const;  // unit normal, pointing up (-z)
    Vec3 slopeAt(float x, float y) const;   // halfway between straight down and the normal; 0 when flat
    Vec3 tangentX(float x, float y) const;
    Vec3 tangentY(float x, float y) const;
    uint32_t fogColorValue() const { return fogColorRGB; }

    // Replaces the holes (used by the loader and by tests that build boards directly).
    void setHoles(std::vector<Hole> newHoles);
};

extern Board TheBoard;
