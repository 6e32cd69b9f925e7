// SPDX-License-Identifier: MIT
// `roliquo-level picture`: the board seen from above as shaded relief with its capture circles, start
// and finish, an optional route with its falls, and a height profile below. Drawing only; the route's
// positions come from route_run.
#pragma once

#include <string>
#include <vector>

#include "level/board.h"

// Five world units a pixel; the board's length (y) runs left to right, the player's left (x = -750)
// at the top. Below the relief, after a gap, the height profile along the route (or along x = 0).
constexpr int PictureUnitsPerPixel = 5;
constexpr int PictureWidth = 2394;       // y from -6000 to 5970
constexpr int PictureReliefHeight = 294; // x from -750 to 720
constexpr int PictureGap = 6;
constexpr int PictureProfileHeight = 120;
constexpr int PictureHeight = PictureReliefHeight + PictureGap + PictureProfileHeight;

// The marks, so that a reader of the picture (or a test) can find them.
constexpr uint8_t StartMarkColour[3] = {255, 255, 255}; // a disc of radius 4 at the start point
constexpr uint8_t FinishMarkDark[3] = {0, 0, 0};        // the finish line: two columns at y = 5800,
constexpr uint8_t FinishMarkLight[3] = {255, 255, 255}; // chequered in blocks of 4 rows
constexpr uint8_t RouteColour[3] = {255, 214, 0};
constexpr uint8_t FallColour[3] = {255, 0, 200};
constexpr uint8_t CaptureColour[3] = {200, 20, 20};

// Where a board point lands in the picture (column, row), rounded down.
int pictureColumn(float y);
int pictureRow(float x);

struct RoutePoint {
    Vec3 position;
    bool fall = false; // the marble was caught here (a hole or an edge) and put back
};

// RGB rows top-down, PictureWidth x PictureHeight.
std::vector<uint8_t> drawLevelPicture(const Board& board, const std::vector<RoutePoint>& route);

// Writes the picture as an 8-bit RGB PNG; false (with the reason) when it cannot be written.
bool writePicturePng(const std::vector<uint8_t>& rgb, const std::string& path, std::string& error);
