// SPDX-License-Identifier: MIT
// Colour arithmetic for the generator: linear RGB triples in 0..1 and the few blends the painters use.
// Conversion to bytes happens once, when a painter stores a texel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Rgb rgbBytes(int r, int g, int b)
{
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}
inline Rgb add(Rgb a, Rgb b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb scale(Rgb a, float s)
{
    return {a.r * s, a.g * s, a.b * s};
}
inline Rgb multiply(Rgb a, Rgb b)
{
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

// Hermite ramp from 0 at edge0 to 1 at edge1; edges may be given in either order.
inline float smoothstep(float edge0, float edge1, float v)
{
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

inline uint8_t toByte(float v)
{
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

// Picks a colour from a ramp of evenly spaced stops at t in 0..1.
template <size_t N> Rgb ramp(const Rgb (&stops)[N], float t)
{
    static_assert(N >= 2, "a ramp needs two stops");
    float pos = clamp01(t) * static_cast<float>(N - 1);
    size_t i = std::min(static_cast<size_t>(pos), N - 2);
    return mix(stops[i], stops[i + 1], pos - static_cast<float>(i));
}
