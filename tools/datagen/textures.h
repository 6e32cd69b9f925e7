// SPDX-License-Identifier: MIT
// The board textures: procedural, seamless 128 x 128 pictures, each a painter function of the tile
// coordinates (u, v) in [0, 1). One texture repeat covers 160 x 120 world units on the board.
#pragma once

#include <string>
#include <vector>

#include "color.h"
#include "image.h"

using TexturePainter = Rgb (*)(float u, float v);

struct BoardTexture {
    const char* name; // file base name: name_0.bmp .. name_7.bmp
    TexturePainter paint;
};

constexpr int BoardTextureSize = 128;
constexpr int BoardTextureMipLevels = 8;

// Every texture of the pack, in a fixed order.
const std::vector<BoardTexture>& boardTextures();

// Paints a size x size picture, averaging supersample x supersample points in each texel, so the
// thin features (grout, cracks) are antialiased instead of stair-stepped.
Image renderTexture(TexturePainter paint, int size, int supersample);

// Writes every texture with its mipmap chain into the folder; false if a file could not be written.
bool writeBoardTextures(const std::string& folder);

// The painters (natural ones in textures_natural.cpp, built ones in textures_built.cpp).
Rgb paintGrass(float u, float v);
Rgb paintSand(float u, float v);
Rgb paintIce(float u, float v);
Rgb paintMoss(float u, float v);
Rgb paintLava(float u, float v);
Rgb paintTiles(float u, float v);
Rgb paintMetal(float u, float v);
// The upland ones (textures_highland.cpp).
Rgb paintHeather(float u, float v);
Rgb paintSlate(float u, float v);
Rgb paintPeat(float u, float v);
