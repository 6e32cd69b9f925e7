// SPDX-License-Identifier: MIT
// Painters of the upland board textures: flowering heather, cleaved slate and cut peat.
// Pure functions of the tile coordinates, built from the same tileable noise as the others.
#include <cmath>

#include "noise.h"
#include "textures.h"

namespace {

float cellId(const CellSample& c, int salt, uint32_t seed)
{
    return hashUnit(static_cast<int>(c.id & 0xffff), salt, seed);
}

} // namespace

Rgb paintHeather(float u, float v)
{
    // Low ground: dark green-brown stems, patchy.
    float ground = 0.5f + 0.5f * fbm(u, v, 4, 3, 3, 0.55f, 81);
    Rgb colour = mix(rgbBytes(30, 38, 20), rgbBytes(104, 94, 50), ground);
    // Clumps of flowering heather, each its own shade of purple, lit from the upper left.
    CellSample clump = cellNoise(u, v, 12, 9, 82, 0.85f);
    float shade = cellId(clump, 6, 83);
    Rgb bloom = mix(rgbBytes(112, 44, 112), rgbBytes(218, 134, 198), shade);
    float body = 1.0f - smoothstep(0.25f, 0.5f, clump.nearest);
    float light = 0.75f + 0.4f * clamp01(0.9f * (clump.towardU + clump.towardV));
    float flowers = 0.8f + 0.3f * fbm(u, v, 24, 18, 2, 0.5f, 84);
    colour = mix(colour, scale(bloom, light * flowers), body * (0.55f + 0.45f * ground));
    // Pale grass tussocks on some of the gaps.
    CellSample tuft = cellNoise(u, v, 16, 12, 85, 0.9f);
    float grass =
        (1.0f - smoothstep(0.1f, 0.22f, tuft.nearest)) * (1.0f - body) * (cellId(tuft, 7, 86) < 0.5f ? 1.0f : 0.0f);
    return mix(colour, rgbBytes(168, 160, 96), 0.6f * grass);
}

Rgb paintSlate(float u, float v)
{
    // Cleaved layers across the board, nine per repeat, bent a little; each has its own tone.
    float warp = 0.75f * fbm(u, v, 2, 3, 2, 0.5f, 91) + 0.35f * std::sin(6.28318530718f * u);
    float depth = v * 9.0f + warp;
    float band = std::floor(depth);
    float within = depth - band;
    int layer = ((static_cast<int>(band) % 9) + 9) % 9;
    float tone = hashUnit(layer, 8, 92);
    Rgb colour = mix(rgbBytes(52, 60, 72), rgbBytes(104, 112, 124), tone);
    // Each layer's lip catches the light; the crack under it is dark.
    colour = scale(colour, 1.0f + 0.22f * (1.0f - smoothstep(0.0f, 0.18f, within)));
    colour = scale(colour, 1.0f - 0.45f * smoothstep(0.86f, 1.0f, within));
    // Broken plates: cross fractures where Worley cells meet, and a rusty stain on some plates.
    CellSample plate = cellNoise(u, v, 4, 3, 93, 0.8f);
    float fracture = 1.0f - smoothstep(0.02f, 0.06f, plate.second - plate.nearest);
    colour = scale(colour, 1.0f - 0.35f * fracture);
    float stain = smoothstep(0.1f, 0.6f, fbm(u, v, 4, 3, 3, 0.5f, 94)) * (cellId(plate, 9, 95) < 0.4f ? 1.0f : 0.0f);
    colour = mix(colour, rgbBytes(130, 92, 60), 0.35f * stain);
    float grain = fbm(u, v, 16, 12, 2, 0.5f, 96);
    return scale(colour, 0.95f + 0.08f * grain);
}

Rgb paintPeat(float u, float v)
{
    // Cut peat: dark brown banks with reddish fibres along the board.
    float banks = 0.5f + 0.5f * fbm(u, v, 3, 3, 4, 0.55f, 101);
    Rgb colour = mix(rgbBytes(52, 34, 22), rgbBytes(126, 84, 50), banks);
    float fibres = fbm(u, v, 6, 24, 3, 0.5f, 102);
    colour = mix(colour, rgbBytes(156, 90, 52), 0.35f * smoothstep(0.1f, 0.5f, fibres));
    // Spade cuts between the turves, wavering a little: four along and three across each repeat.
    float waver = 0.04f * fbm(u, v, 2, 2, 2, 0.5f, 103);
    float cutU = std::fabs((u + waver) * 4.0f - std::round((u + waver) * 4.0f)) * 32.0f;
    float cutV = std::fabs((v - waver) * 3.0f - std::round((v - waver) * 3.0f)) * 42.67f;
    float cut = 1.0f - smoothstep(0.8f, 2.4f, std::min(cutU, cutV));
    colour = scale(colour, 1.0f - 0.45f * cut);
    // Sphagnum creeping over some turves, and pale tufts of bog cotton.
    float moss = smoothstep(0.2f, 0.55f, fbm(u, v, 4, 3, 3, 0.55f, 104));
    colour = mix(colour, rgbBytes(120, 128, 44), 0.55f * moss);
    CellSample tuft = cellNoise(u, v, 12, 9, 105, 0.9f);
    float cotton = (1.0f - smoothstep(0.1f, 0.2f, tuft.nearest)) * (cellId(tuft, 10, 106) < 0.3f ? 1.0f : 0.0f);
    return mix(colour, rgbBytes(232, 228, 210), 0.8f * cotton);
}
