// SPDX-License-Identifier: MIT
// Tileable noise for the texture painters: hashed lattices that wrap, so every function here is
// periodic with period 1 in both tile coordinates u and v. A lattice has cellsU x cellsV cells per
// tile; choosing cellsU : cellsV = 4 : 3 makes cells square on the board, whose texture repeat is
// 160 x 120 world units.
#pragma once

#include <cstdint>

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t hashCell(int x, int y, uint32_t seed);
// The same hash as a float in [0, 1).
float hashUnit(int x, int y, uint32_t seed);

// Smoothly interpolated random values at the lattice points; result in [0, 1].
float valueNoise(float u, float v, int cellsU, int cellsV, uint32_t seed);

// Perlin-style gradient noise; result roughly in [-1, 1], 0 at every lattice point.
float gradientNoise(float u, float v, int cellsU, int cellsV, uint32_t seed);

// Octaves of gradient noise, each with twice the cells and `gain` times the amplitude of the last,
// divided by the total amplitude so the result stays roughly in [-1, 1].
float fbm(float u, float v, int cellsU, int cellsV, int octaves, float gain, uint32_t seed);

// Worley (cellular) noise: one jittered feature point per cell. Distances are in cell units.
struct CellSample {
    float nearest = 0.0f; // distance to the closest feature point
    float second = 0.0f;  // distance to the second closest
    uint32_t id = 0;      // hash of the closest point's cell (stable across the wrap)
    float towardU = 0.0f; // offset from the sample to the closest point, in cell units
    float towardV = 0.0f;
};
CellSample cellNoise(float u, float v, int cellsU, int cellsV, uint32_t seed, float jitter);
