// SPDX-License-Identifier: MIT
// Tileable lattice noise: value, gradient, fractal sums and cellular distances. Lattice indices are
// wrapped modulo the cell count before hashing, which is what makes every texture seamless.
#include "noise.h"

#include <cmath>
#include <limits>

namespace {

int wrapIndex(int i, int n)
{
    return ((i % n) + n) % n;
}

float quintic(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

// Sixteen unit gradients evenly spread around the circle; a table keeps the trigonometry out of
// the inner loop.
struct GradientTable {
    float x[16];
    float y[16];
    GradientTable()
    {
        for (int i = 0; i < 16; ++i) {
            x[i] = std::cos(static_cast<float>(i) * 0.39269908f);
            y[i] = std::sin(static_cast<float>(i) * 0.39269908f);
        }
    }
};
const GradientTable Gradients;

// Dot product of the lattice point's pseudo-random unit gradient with the offset (dx, dy).
float gradientDot(int x, int y, uint32_t seed, float dx, float dy)
{
    uint32_t i = hashCell(x, y, seed) >> 28;
    return Gradients.x[i] * dx + Gradients.y[i] * dy;
}

} // namespace

uint32_t hashCell(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(int x, int y, uint32_t seed)
{
    return static_cast<float>(hashCell(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float valueNoise(float u, float v, int cellsU, int cellsV, uint32_t seed)
{
    float x = u * static_cast<float>(cellsU);
    float y = v * static_cast<float>(cellsV);
    float xf = std::floor(x);
    float yf = std::floor(y);
    int x0 = wrapIndex(static_cast<int>(xf), cellsU);
    int y0 = wrapIndex(static_cast<int>(yf), cellsV);
    int x1 = wrapIndex(x0 + 1, cellsU);
    int y1 = wrapIndex(y0 + 1, cellsV);
    float tx = quintic(x - xf);
    float ty = quintic(y - yf);
    float top = lerp(hashUnit(x0, y0, seed), hashUnit(x1, y0, seed), tx);
    float bottom = lerp(hashUnit(x0, y1, seed), hashUnit(x1, y1, seed), tx);
    return lerp(top, bottom, ty);
}

float gradientNoise(float u, float v, int cellsU, int cellsV, uint32_t seed)
{
    float x = u * static_cast<float>(cellsU);
    float y = v * static_cast<float>(cellsV);
    float xf = std::floor(x);
    float yf = std::floor(y);
    float dx = x - xf;
    float dy = y - yf;
    int x0 = wrapIndex(static_cast<int>(xf), cellsU);
    int y0 = wrapIndex(static_cast<int>(yf), cellsV);
    int x1 = wrapIndex(x0 + 1, cellsU);
    int y1 = wrapIndex(y0 + 1, cellsV);
    float n00 = gradientDot(x0, y0, seed, dx, dy);
    float n10 = gradientDot(x1, y0, seed, dx - 1.0f, dy);
    float n01 = gradientDot(x0, y1, seed, dx, dy - 1.0f);
    float n11 = gradientDot(x1, y1, seed, dx - 1.0f, dy - 1.0f);
    float tx = quintic(dx);
    float ty = quintic(dy);
    // A unit gradient gives at most about 0.7 in magnitude; scale toward [-1, 1].
    return 1.4f * lerp(lerp(n00, n10, tx), lerp(n01, n11, tx), ty);
}

float fbm(float u, float v, int cellsU, int cellsV, int octaves, float gain, uint32_t seed)
{
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise(u, v, cellsU << i, cellsV << i, seed + static_cast<uint32_t>(i) * 101u);
        total += amplitude;
        amplitude *= gain;
    }
    return sum / total;
}

CellSample cellNoise(float u, float v, int cellsU, int cellsV, uint32_t seed, float jitter)
{
    float x = u * static_cast<float>(cellsU);
    float y = v * static_cast<float>(cellsV);
    int cx = static_cast<int>(std::floor(x));
    int cy = static_cast<int>(std::floor(y));
    CellSample best;
    best.nearest = std::numeric_limits<float>::max();
    best.second = std::numeric_limits<float>::max();
    // Each feature point stays inside its own cell (jitter at most 1), so the 3 x 3 block around
    // the sample holds the nearest point and, in all but rare corners, the second nearest.
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            int gx = cx + ox;
            int gy = cy + oy;
            int wx = wrapIndex(gx, cellsU);
            int wy = wrapIndex(gy, cellsV);
            float px = static_cast<float>(gx) + 0.5f + jitter * (hashUnit(wx, wy, seed) - 0.5f);
            float py = static_cast<float>(gy) + 0.5f + jitter * (hashUnit(wx, wy, seed ^ 0x5bd1e995u) - 0.5f);
            float du = px - x;
            float dv = py - y;
            float d = std::sqrt(du * du + dv * dv);
            if (d < best.nearest) {
                best.second = best.nearest;
                best.nearest = d;
                best.id = hashCell(wx, wy, seed + 7u);
                best.towardU = du;
                best.towardV = dv;
            } else if (d < best.second) {
                best.second = d;
            }
        }
    }
    return best;
}
