// SPDX-License-Identifier: MIT
// Painters of the natural board textures: mown grass, layered sandstone, cracked ice, mossy cobbles
// and glowing lava rock. Each is a pure function of the tile coordinates, built from tileable noise.
#include <cmath>

#include "noise.h"
#include "textures.h"

namespace {

constexpr float TwoPi = 6.28318530718f;

float fract(float v)
{
    return v - std::floor(v);
}

// A dome over a Worley cell: 1 at the feature point, falling toward the cell's border, for the
// rounded look of stones and plates.
float cellDome(const CellSample& c)
{
    return clamp01(1.0f - c.nearest * c.nearest * 1.6f);
}

// Light from the upper left on a dome: brighter on the side facing the feature point's upper left.
float domeLight(const CellSample& c)
{
    return 0.5f + 0.5f * clamp01(0.9f * (c.towardU + c.towardV));
}

// 1 for a fixed share of the cells, chosen by their id, else 0: lets a feature appear on some cells.
float someCells(uint32_t id, int salt, float share)
{
    return hashUnit(static_cast<int>(id & 0xffff), salt, 77) < share ? 1.0f : 0.0f;
}

} // namespace

Rgb paintGrass(float u, float v)
{
    static const Rgb greens[] = {rgbBytes(38, 86, 26), rgbBytes(62, 122, 36), rgbBytes(96, 156, 52),
                                 rgbBytes(128, 176, 70)};
    float patches = 0.5f + 0.5f * fbm(u, v, 4, 3, 4, 0.5f, 11);
    Rgb base = ramp(greens, 0.15f + 0.7f * patches);
    // A mown lawn: a soft checker of lighter and darker squares, four each way per repeat (40 x 30
    // world units each). Bands across the board as well as along it let dips and bumps show as bends.
    float warp = 0.03f * fbm(u, v, 2, 3, 2, 0.5f, 12);
    float across = std::cos(TwoPi * 2.0f * (u + warp));
    float along = std::cos(TwoPi * 2.0f * (v - warp));
    float mown = smoothstep(-0.3f, 0.3f, across * along);
    base = scale(base, 0.84f + 0.26f * mown);
    // Clover clumps: darker round patches.
    CellSample clump = cellNoise(u, v, 8, 6, 13, 0.9f);
    float clover = (1.0f - smoothstep(0.22f, 0.34f, clump.nearest)) * someCells(clump.id, 0, 0.55f);
    base = mix(base, rgbBytes(34, 92, 30), 0.55f * clover);
    // Fine tufts: gentle medium-frequency variation, never single-texel speckle.
    float tufts = fbm(u, v, 32, 24, 2, 0.5f, 15);
    return scale(base, 1.0f + 0.08f * tufts);
}

Rgb paintSand(float u, float v)
{
    static const Rgb layers[] = {rgbBytes(222, 184, 135), rgbBytes(201, 146, 92),  rgbBytes(236, 208, 160),
                                 rgbBytes(184, 122, 78),  rgbBytes(214, 168, 112), rgbBytes(228, 196, 148)};
    // Strata across the board, bent by a low-frequency warp; six layers per repeat.
    float warp = 0.55f * fbm(u, v, 2, 2, 3, 0.5f, 21) + 0.08f * std::sin(TwoPi * u);
    float depth = v * 6.0f + warp;
    float band = std::floor(depth);
    float within = depth - band;
    int index = ((static_cast<int>(band) % 6) + 6) % 6;
    Rgb here = layers[index];
    Rgb next = layers[(index + 1) % 6];
    // Soft boundaries: the last fifth of a layer blends into the next one.
    Rgb colour = mix(here, next, smoothstep(0.8f, 1.0f, within));
    // A darker seam line where layers meet.
    float seam = 1.0f - smoothstep(0.0f, 0.07f, std::min(within, 1.0f - within));
    colour = scale(colour, 1.0f - 0.18f * seam);
    // Grain and weathering.
    float grain = fbm(u, v, 16, 16, 3, 0.5f, 22);
    float weather = 0.5f + 0.5f * fbm(u, v, 4, 3, 3, 0.55f, 23);
    colour = scale(colour, (0.92f + 0.08f * grain) * (0.85f + 0.25f * weather));
    // Scattered pits.
    CellSample pit = cellNoise(u, v, 12, 9, 24, 1.0f);
    float hole = (1.0f - smoothstep(0.08f, 0.16f, pit.nearest)) * someCells(pit.id, 1, 0.35f);
    return scale(colour, 1.0f - 0.3f * hole);
}

Rgb paintIce(float u, float v)
{
    static const Rgb blues[] = {rgbBytes(112, 170, 214), rgbBytes(160, 206, 236), rgbBytes(208, 234, 250),
                                rgbBytes(236, 248, 255)};
    float cloud = 0.5f + 0.5f * fbm(u, v, 4, 3, 4, 0.55f, 31);
    Rgb colour = ramp(blues, cloud * 0.85f);
    // Large plates, each with its own tint, separated by bright cracks.
    CellSample plate = cellNoise(u, v, 4, 3, 32, 0.75f);
    float tint = hashUnit(static_cast<int>(plate.id & 0xffff), 2, 33);
    colour = scale(colour, 0.8f + 0.3f * tint);
    float edge = plate.second - plate.nearest;
    float crack = 1.0f - smoothstep(0.02f, 0.07f, edge);
    colour = mix(colour, rgbBytes(250, 253, 255), 0.85f * crack);
    // Finer secondary cracks, fainter, fading in and out over the surface.
    CellSample shard = cellNoise(u, v, 12, 9, 34, 0.9f);
    float fine = (1.0f - smoothstep(0.02f, 0.06f, shard.second - shard.nearest)) *
        smoothstep(0.0f, 0.3f, fbm(u, v, 3, 3, 2, 0.5f, 35));
    colour = mix(colour, rgbBytes(232, 246, 255), 0.45f * fine);
    // Deep blue under the plate centres.
    float deep = cellDome(plate);
    return mix(colour, rgbBytes(80, 140, 200), 0.25f * deep * (1.0f - cloud));
}

Rgb paintMoss(float u, float v)
{
    CellSample stone = cellNoise(u, v, 8, 6, 41, 0.7f);
    float tone = hashUnit(static_cast<int>(stone.id & 0xffff), 3, 42);
    Rgb rock = mix(rgbBytes(104, 104, 98), rgbBytes(150, 146, 134), tone);
    float grain = fbm(u, v, 16, 12, 3, 0.5f, 43);
    rock = scale(rock, (0.75f + 0.45f * domeLight(stone)) * (0.94f + 0.08f * grain));
    // Joints between the cobbles are filled with dark moss.
    float joint = 1.0f - smoothstep(0.05f, 0.2f + 0.1f * grain, stone.second - stone.nearest);
    Rgb moss = mix(rgbBytes(30, 54, 20), rgbBytes(78, 112, 38), 0.5f + 0.5f * fbm(u, v, 8, 6, 3, 0.5f, 44));
    Rgb colour = mix(rock, moss, joint);
    // Moss also creeps over the stones in patches.
    float creep = smoothstep(0.15f, 0.45f, fbm(u, v, 4, 3, 4, 0.55f, 45));
    return mix(colour, moss, 0.8f * creep * (1.0f - 0.6f * cellDome(stone)));
}

Rgb paintLava(float u, float v)
{
    static const Rgb glow[] = {rgbBytes(90, 14, 4), rgbBytes(196, 40, 6), rgbBytes(250, 118, 16),
                               rgbBytes(255, 214, 90)};
    CellSample plate = cellNoise(u, v, 8, 6, 51, 0.75f);
    float tone = hashUnit(static_cast<int>(plate.id & 0xffff), 4, 52);
    Rgb rock = mix(rgbBytes(34, 28, 28), rgbBytes(70, 58, 52), tone);
    float pitted = fbm(u, v, 16, 12, 3, 0.5f, 53);
    rock = scale(rock, (0.7f + 0.6f * domeLight(plate)) * (0.9f + 0.15f * pitted));
    // Molten seams: hottest in the middle of the gap between two plates, with a slow pulse of
    // brightness along them so the glow is not uniform.
    float gap = plate.second - plate.nearest;
    float heat = 1.0f - smoothstep(0.0f, 0.2f, gap);
    float pulse = 0.65f + 0.35f * (0.5f + 0.5f * fbm(u, v, 3, 3, 2, 0.5f, 54));
    Rgb colour = mix(rock, ramp(glow, heat * pulse), smoothstep(0.05f, 0.5f, heat));
    // Embers on the rims of the plates.
    float rim = smoothstep(0.55f, 0.8f, fract(0.5f + 0.5f * fbm(u, v, 8, 6, 2, 0.5f, 55) * 3.0f)) *
        (1.0f - smoothstep(0.15f, 0.35f, gap));
    return mix(colour, rgbBytes(220, 70, 10), 0.35f * rim);
}
