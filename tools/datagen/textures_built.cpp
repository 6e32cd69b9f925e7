// SPDX-License-Identifier: MIT
// Painters of the man-made board textures: polished marble tiles in a checker and a steel tread
// plate in large panels.
#include <cmath>

#include "noise.h"
#include "textures.h"

namespace {

constexpr float TwoPi = 6.28318530718f;

// Marble veining measured in tile units: a few soft, turbulent veins whose direction and phase
// differ from tile to tile. Returns 1 on a vein, 0 between veins.
float veins(float u, float v, uint32_t tile)
{
    float angle = hashUnit(static_cast<int>(tile), 5, 61) * 3.14159f;
    float along = std::cos(angle) * u * 4.0f + std::sin(angle) * v * 3.0f;
    // Ridged turbulence: the sum of absolute octaves bends the veins into marble-like folds.
    float turbulence = 0.0f;
    float amplitude = 1.0f;
    for (int octave = 0; octave < 3; ++octave) {
        turbulence += amplitude * std::fabs(gradientNoise(u, v, 4 << octave, 3 << octave, 62 + tile * 7 + octave));
        amplitude *= 0.5f;
    }
    float wave = std::sin(TwoPi * (along * 0.9f + 0.9f * turbulence) + static_cast<float>(tile));
    float line = 1.0f - std::fabs(wave);
    return line * line * line * line;
}

// Height of a tread diamond at the cell-local point (lu, lv) in -0.5..0.5: an elongated lens along
// one diagonal, flat on top with rounded flanks.
float diamondHeight(float lu, float lv, bool flip)
{
    float a = (lu + (flip ? -lv : lv)) * 0.7071f;
    float b = (lu - (flip ? -lv : lv)) * 0.7071f;
    float shape = std::fabs(a) / 0.44f + (b * b) / (0.15f * 0.15f);
    return 1.0f - smoothstep(0.55f, 1.0f, shape);
}

} // namespace

Rgb paintTiles(float u, float v)
{
    // Four tiles across and three along: square, 40 x 40 world units, on the board.
    constexpr int Across = 4;
    constexpr int Along = 3;
    float tu = u * Across;
    float tv = v * Along;
    int col = static_cast<int>(std::floor(tu));
    int row = static_cast<int>(std::floor(tv));
    float lu = tu - static_cast<float>(col); // 0..1 inside the tile
    float lv = tv - static_cast<float>(row);
    uint32_t tile = static_cast<uint32_t>(row * Across + col);
    bool dark = ((col + row) & 1) != 0;

    Rgb stone = dark ? rgbBytes(40, 66, 60) : rgbBytes(238, 234, 226);
    Rgb vein = dark ? rgbBytes(170, 200, 186) : rgbBytes(112, 112, 116);
    Rgb cloudy = dark ? rgbBytes(24, 44, 40) : rgbBytes(214, 204, 190);
    float cloud = 0.5f + 0.5f * fbm(u, v, 8, 6, 4, 0.55f, 63 + tile);
    Rgb colour = mix(stone, cloudy, smoothstep(0.35f, 0.8f, cloud));
    colour = mix(colour, vein, 0.8f * veins(u, v, tile));

    // Bevel: light along the top and left edges, shade along the bottom and right ones.
    float edgeU = std::min(lu, 1.0f - lu) * 32.0f; // distance to the nearest edge in texels
    float edgeV = std::min(lv, 1.0f - lv) * 42.67f;
    float bevel = 1.0f - smoothstep(1.0f, 4.0f, std::min(edgeU, edgeV));
    bool litSide = (edgeU < edgeV) ? (lu < 0.5f) : (lv < 0.5f);
    colour = scale(colour, 1.0f + (litSide ? 0.14f : -0.2f) * bevel);

    // Grout: about two texels wide, centred on the tile seams (the texture's own edges included,
    // half on each side, so the wrap continues it).
    float grout = 1.0f - smoothstep(0.6f, 1.3f, std::min(edgeU, edgeV));
    return mix(colour, rgbBytes(150, 144, 134), grout);
}

Rgb paintMetal(float u, float v)
{
    // Brushed steel: streaks along u, a little cloudiness.
    float brushed = fbm(u, v, 2, 48, 3, 0.5f, 71);
    float cloud = fbm(u, v, 3, 3, 3, 0.5f, 72);
    Rgb colour = scale(rgbBytes(150, 156, 164), 0.92f + 0.07f * brushed + 0.08f * cloud);

    // Tread diamonds on a staggered 8 x 6 grid (square cells on the board), alternating direction.
    float gu = u * 8.0f;
    float gv = v * 6.0f;
    int cu = static_cast<int>(std::floor(gu));
    int cv = static_cast<int>(std::floor(gv));
    float lu = gu - static_cast<float>(cu) - 0.5f;
    float lv = gv - static_cast<float>(cv) - 0.5f;
    bool flip = ((cu + cv) & 1) != 0;
    float height = diamondHeight(lu, lv, flip);
    // Light from the top of the picture, which lights both diamond directions alike: the slope
    // toward the light is the height difference along v.
    constexpr float Step = 0.04f;
    float slope = diamondHeight(lu, lv - Step, flip) - diamondHeight(lu, lv + Step, flip);
    float shadow = diamondHeight(lu, lv - 0.1f, flip) * (1.0f - height);
    colour = scale(colour, 1.0f + 0.1f * height - 0.8f * slope - 0.3f * shadow);

    // Large plates, two each way per repeat, each a little lighter or darker than its neighbours, with
    // dark seams: structure that still reads when the tread blurs away in the distance.
    int pu = static_cast<int>(std::floor(u * 2.0f));
    int pv = static_cast<int>(std::floor(v * 2.0f));
    float tint = hashUnit(pu & 1, pv & 1, 73);
    colour = scale(colour, 0.82f + 0.3f * tint);
    float seamU = std::fabs(u * 2.0f - std::round(u * 2.0f)) * 64.0f; // texels to the nearest seam
    float seamV = std::fabs(v * 2.0f - std::round(v * 2.0f)) * 64.0f;
    float seam = 1.0f - smoothstep(0.6f, 1.6f, std::min(seamU, seamV));
    colour = scale(colour, 1.0f - 0.55f * seam);
    // A bright rim beside each seam, where the plate's edge catches the light.
    float rim = (1.0f - smoothstep(1.6f, 2.8f, std::min(seamU, seamV))) * (1.0f - seam);
    return scale(colour, 1.0f + 0.18f * rim);
}
