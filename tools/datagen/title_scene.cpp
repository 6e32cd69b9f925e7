// SPDX-License-Identifier: MIT
// The title's scene, ray cast in software: a stretch of board shaped by holes like a level (the same
// dip formula the game's surface uses), textured with the grass texture and its mipmaps, lit from the
// upper left and fading into haze, with a glossy marble resting on it and its soft shadow.
//
// World frame as in the game: x across the board, y along it, z downward.
#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"

namespace {

struct V3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
V3 plus(V3 a, V3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 minus(V3 a, V3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 times(V3 a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}
float dot(V3 a, V3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 unit(V3 a)
{
    return times(a, 1.0f / std::sqrt(dot(a, a)));
}

struct Dip {
    float x, y, radius, depth;
};

// Dips (positive depth) and bumps (negative) ahead of the marble.
const Dip Dips[] = {
    {-40.0f, 260.0f, 60.0f, 110.0f},   {260.0f, 120.0f, 80.0f, -70.0f},   {-300.0f, 420.0f, 90.0f, -90.0f},
    {180.0f, 620.0f, 70.0f, 120.0f},   {-120.0f, 900.0f, 80.0f, -80.0f},  {420.0f, 1000.0f, 90.0f, 90.0f},
    {-480.0f, 1250.0f, 70.0f, 100.0f}, {60.0f, 1400.0f, 60.0f, -60.0f},   {300.0f, 1800.0f, 90.0f, -100.0f},
    {-250.0f, 2000.0f, 80.0f, 120.0f}, {100.0f, 2500.0f, 70.0f, 90.0f},   {-500.0f, 2900.0f, 90.0f, -80.0f},
    {450.0f, 3300.0f, 80.0f, 100.0f},  {-100.0f, 3800.0f, 90.0f, -90.0f},
};

constexpr float BoardHalfWidth = 750.0f;
constexpr float BoardEnd = 6000.0f;   // far end of the board, along y
constexpr float BoardStart = -400.0f; // behind the camera
constexpr float MarbleRadius = 20.0f;

float surfaceHeight(float x, float y)
{
    double sum = 0.0;
    for (const Dip& d : Dips) {
        float dx = x - d.x;
        float dy = y - d.y;
        sum += d.depth * d.radius / std::sqrt(d.radius * d.radius + dx * dx + dy * dy);
    }
    return static_cast<float>(sum);
}

V3 surfaceNormal(float x, float y)
{
    float h = surfaceHeight(x, y);
    float hx = surfaceHeight(x + 1.0f, y) - h;
    float hy = surfaceHeight(x, y + 1.0f) - h;
    return unit({hx, hy, -1.0f}); // pointing up, toward -z
}

// The surface sampled on a coarse grid for marching; hits are refined on the exact surface.
struct HeightGrid {
    static constexpr float Spacing = 6.0f;
    int columns = 0;
    int rows = 0;
    std::vector<float> heights;
    float lowest = 0.0f;  // largest z
    float highest = 0.0f; // smallest z

    HeightGrid()
    {
        columns = static_cast<int>(2.0f * BoardHalfWidth / Spacing) + 2;
        rows = static_cast<int>((BoardEnd - BoardStart) / Spacing) + 2;
        heights.resize(static_cast<size_t>(columns) * rows);
        lowest = -1e9f;
        highest = 1e9f;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                float h = surfaceHeight(-BoardHalfWidth + c * Spacing, BoardStart + r * Spacing);
                heights[static_cast<size_t>(r) * columns + c] = h;
                lowest = std::max(lowest, h);
                highest = std::min(highest, h);
            }
        }
    }

    float at(float x, float y) const
    {
        float gx = std::clamp((x + BoardHalfWidth) / Spacing, 0.0f, static_cast<float>(columns - 2));
        float gy = std::clamp((y - BoardStart) / Spacing, 0.0f, static_cast<float>(rows - 2));
        int c = static_cast<int>(gx);
        int r = static_cast<int>(gy);
        float tx = gx - static_cast<float>(c);
        float ty = gy - static_cast<float>(r);
        const float* row0 = &heights[static_cast<size_t>(r) * columns + c];
        const float* row1 = row0 + columns;
        return (row0[0] * (1 - tx) + row0[1] * tx) * (1 - ty) + (row1[0] * (1 - tx) + row1[1] * tx) * ty;
    }
};

struct Camera {
    V3 eye;
    V3 forward;
    V3 right;
    V3 up;
    float focal; // pixels
};

// Finds the first crossing of the ray into the board at or beyond `from`, or returns a negative
// distance when the ray leaves the board first.
float castBoard(const HeightGrid& grid, V3 eye, V3 dir, float from, float maxDistance)
{
    if (dir.z <= 0.0f) {
        return -1.0f;
    }
    // March only through the slab of heights the surface occupies.
    float t = std::max(from, (grid.highest - 1.0f - eye.z) / dir.z);
    float tEnd = std::min(maxDistance, (grid.lowest + 1.0f - eye.z) / dir.z);
    float previous = t;
    while (t <= tEnd) {
        V3 p = plus(eye, times(dir, t));
        if (std::fabs(p.x) > BoardHalfWidth || p.y > BoardEnd) {
            return -1.0f;
        }
        if (p.z >= grid.at(p.x, p.y)) {
            // Bisect between the last point above and this one.
            float a = previous;
            float b = t;
            for (int i = 0; i < 8; ++i) {
                float m = 0.5f * (a + b);
                V3 q = plus(eye, times(dir, m));
                (q.z >= grid.at(q.x, q.y) ? b : a) = m;
            }
            return b;
        }
        previous = t;
        t += std::max(1.5f, t * 0.012f);
    }
    return -1.0f;
}

float castSphere(V3 eye, V3 dir, V3 centre, float radius)
{
    V3 oc = minus(eye, centre);
    float b = dot(oc, dir);
    float c = dot(oc, oc) - radius * radius;
    float disc = b * b - c;
    if (disc < 0.0f) {
        return -1.0f;
    }
    return -b - std::sqrt(disc);
}

Rgb sky(V3 dir)
{
    // Up is -z: the higher the ray, the deeper the blue, with soft clouds.
    float elevation = clamp01(-dir.z * 2.2f);
    Rgb colour = mix(rgbBytes(214, 228, 240), rgbBytes(58, 104, 178), std::pow(elevation, 0.7f));
    float u = std::atan2(dir.x, dir.y) / 6.2831853f + 0.5f;
    float cloud = 0.5f + 0.5f * fbm(u * 3.0f, elevation * 1.2f, 8, 3, 4, 0.55f, 91);
    float amount = smoothstep(0.55f, 0.8f, cloud) * smoothstep(0.02f, 0.25f, elevation);
    return mix(colour, rgbBytes(248, 250, 255), 0.75f * amount);
}

const V3 LightDirection = unit({-0.5f, 0.35f, -1.0f}); // toward the light: upper left, a little ahead

// The board's texture with trilinear mip filtering; footprint is in texels per pixel.
Rgb sampleTexture(const std::vector<Image>& mips, float s, float t, float footprint)
{
    float level = std::clamp(std::log2(std::max(footprint, 1.0f)), 0.0f, static_cast<float>(mips.size() - 1));
    int lower = static_cast<int>(level);
    int upper = std::min(lower + 1, static_cast<int>(mips.size()) - 1);
    auto at = [&](int i) {
        const Image& m = mips[static_cast<size_t>(i)];
        // Rows of the texture run bottom-up in the game, so t grows toward the picture's top.
        return m.sampleWrapped(s * static_cast<float>(m.width), (1.0f - t) * static_cast<float>(m.height));
    };
    return mix(at(lower), at(upper), level - static_cast<float>(lower));
}

struct Scene {
    std::vector<Image> mips;
    HeightGrid grid;
    V3 marblePoint; // where the marble touches the ground
    V3 marbleCentre;
    Camera camera;
    Rgb haze = rgbBytes(206, 222, 236);
    Rgb marbleColour = rgbBytes(228, 36, 30);
    float maxDistance = 9000.0f;

    Rgb shadeMarble(V3 dir, float t) const
    {
        V3 p = plus(camera.eye, times(dir, t));
        V3 n = unit(minus(p, marbleCentre));
        float diffuse = std::max(0.0f, dot(n, LightDirection));
        V3 half = unit(minus(LightDirection, dir));
        float specular = std::pow(std::max(0.0f, dot(n, half)), 80.0f);
        float fresnel = std::pow(1.0f - std::max(0.0f, -dot(n, dir)), 3.0f);
        V3 reflected = minus(dir, times(n, 2.0f * dot(dir, n)));
        Rgb colour = scale(marbleColour, 0.22f + 0.85f * diffuse);
        colour = mix(colour, sky(reflected), 0.15f + 0.45f * fresnel);
        return add(colour, scale(rgbBytes(255, 255, 255), 1.1f * specular));
    }

    Rgb shadeBoard(V3 dir, float t) const
    {
        V3 p = plus(camera.eye, times(dir, t));
        V3 n = surfaceNormal(p.x, p.y);
        float cosine = std::max(0.05f, -dot(n, dir));
        float footprint = t / camera.focal / 1.1f / std::sqrt(cosine);
        // One texture repeat covers 160 x 120 world units, as on the game's board.
        Rgb texel = sampleTexture(mips, p.x / 160.0f, p.y / 120.0f, footprint);
        float light = 0.62f + 0.5f * std::max(0.0f, dot(n, LightDirection));
        // The marble's soft shadow, cast along the light onto the ground.
        V3 shadowCentre = plus(marblePoint, times(V3{LightDirection.x, LightDirection.y, 0.0f}, -22.0f));
        float dx = p.x - shadowCentre.x;
        float dy = p.y - shadowCentre.y;
        float shadow = 1.0f - 0.55f * (1.0f - smoothstep(8.0f, 30.0f, std::sqrt(dx * dx + dy * dy)));
        Rgb colour = scale(texel, light * shadow);
        return mix(colour, haze, 1.0f - std::exp(-t / 4200.0f));
    }

    Rgb shade(V3 dir, float tBoard) const
    {
        float tBall = castSphere(camera.eye, dir, marbleCentre, MarbleRadius);
        if (tBall > 0.0f && (tBoard < 0.0f || tBall < tBoard)) {
            return shadeMarble(dir, tBall);
        }
        return tBoard > 0.0f ? shadeBoard(dir, tBoard) : sky(dir);
    }
};

} // namespace

Image renderTitleScene(const Image& boardTexture)
{
    Scene scene;
    scene.mips = mipChain(boardTexture, 8);
    scene.marblePoint = {20.0f, 40.0f, surfaceHeight(20.0f, 40.0f)};
    scene.marbleCentre =
        plus(scene.marblePoint, times(surfaceNormal(scene.marblePoint.x, scene.marblePoint.y), MarbleRadius));
    Camera& camera = scene.camera;
    camera.eye = {-10.0f, -150.0f, scene.marbleCentre.z - 95.0f};
    const float pitch = 0.3f; // radians below the horizon
    camera.forward = {0.0f, std::cos(pitch), std::sin(pitch)};
    camera.right = {1.0f, 0.0f, 0.0f};
    camera.up = {0.0f, std::sin(pitch), -std::cos(pitch)};
    camera.focal = 560.0f;

    Image image(PictureWidth, PictureHeight);
    // Each column is cast from the bottom row up. A ray one row higher passes above the ground the
    // ray below it cleared, so its march can start just short of where that ray hit (scaled by how
    // much faster it travels across the ground), which saves most of the steps.
    for (int px = 0; px < PictureWidth; ++px) {
        float lastHit = 0.0f;
        float lastFlat = 1.0f;
        for (int py = PictureHeight - 1; py >= 0; --py) {
            float sx = (static_cast<float>(px) + 0.5f - PictureWidth * 0.5f) / camera.focal;
            float sy = (PictureHeight * 0.5f - static_cast<float>(py) - 0.5f) / camera.focal;
            V3 dir = unit(plus(camera.forward, plus(times(camera.right, sx), times(camera.up, sy))));
            float flat = std::sqrt(dir.x * dir.x + dir.y * dir.y);
            float from = lastHit > 0.0f ? 0.97f * lastHit * lastFlat / flat : 0.0f;
            float tBoard = castBoard(scene.grid, camera.eye, dir, from, scene.maxDistance);
            lastHit = std::max(tBoard, 0.0f);
            lastFlat = flat;
            image.set(px, py, scene.shade(dir, tBoard));
        }
    }
    return image;
}
