// SPDX-License-Identifier: MIT
// Draws the icon: a rounded square of green board with two dips, and a shaded red marble with its
// shadow. Each pixel averages a 4 x 4 grid of samples, so edges stay smooth at 16 pixels too.
#include "icon.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "color.h"
#include "png_writer.h"

namespace {

struct Rgba {
    Rgb colour;
    float alpha = 0.0f;
};

// Paints a over b.
Rgba over(Rgba a, Rgba b)
{
    float alpha = a.alpha + b.alpha * (1.0f - a.alpha);
    if (alpha <= 0.0f)
        return {};
    Rgb colour = scale(add(scale(a.colour, a.alpha), scale(b.colour, b.alpha * (1.0f - a.alpha))), 1.0f / alpha);
    return {colour, alpha};
}

// Inside a square from 0.04 to 0.96 with corners rounded at radius 0.16.
bool insideTile(float u, float v)
{
    const float lo = 0.04f, hi = 0.96f, r = 0.16f;
    float cx = std::clamp(u, lo + r, hi - r);
    float cy = std::clamp(v, lo + r, hi - r);
    return u >= lo && u <= hi && v >= lo && v <= hi && (u - cx) * (u - cx) + (v - cy) * (v - cy) <= r * r;
}

float ellipse(float u, float v, float cu, float cv, float ru, float rv)
{
    float du = (u - cu) / ru, dv = (v - cv) / rv;
    return du * du + dv * dv;
}

// One sample of the icon at (u, v) in 0..1, v downward.
Rgba sample(float u, float v)
{
    Rgba out;
    if (insideTile(u, v)) {
        // Board: lighter far away (top), with gentle stripes of relief and two dark dips.
        Rgb board = mix(rgbBytes(150, 210, 110), rgbBytes(50, 130, 50), v);
        board = scale(board, 0.92f + 0.08f * std::sin(v * 22.0f + u * 3.0f));
        const float dips[][4] = {{0.26f, 0.24f, 0.12f, 0.05f}, {0.76f, 0.38f, 0.10f, 0.045f}};
        for (const auto& d : dips) {
            float e = ellipse(u, v, d[0], d[1], d[2], d[3]);
            if (e < 1.0f)
                board = mix(scale(board, 0.45f), board, e);
        }
        float shadow = ellipse(u, v, 0.58f, 0.84f, 0.26f, 0.07f);
        if (shadow < 1.0f)
            board = scale(board, 0.55f + 0.45f * shadow);
        out = {board, 1.0f};
    }
    // Marble: lit from the upper left, with a specular spot and a dark rim.
    const float mu = 0.52f, mv = 0.58f, radius = 0.27f;
    float x = (u - mu) / radius, y = (v - mv) / radius;
    float r2 = x * x + y * y;
    if (r2 <= 1.0f) {
        float z = std::sqrt(1.0f - r2);
        const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
        float diffuse = std::max(0.0f, x * lx + y * ly + z * lz);
        float halfway = std::max(0.0f, x * (lx * 0.5f) + y * (ly * 0.5f) + z * ((lz + 1.0f) * 0.5f));
        float specular = std::pow(halfway, 40.0f);
        Rgb marble = scale(rgbBytes(225, 40, 40), 0.25f + 0.85f * diffuse);
        marble = add(marble, scale(Rgb{1.0f, 1.0f, 1.0f}, specular));
        out = over({marble, 1.0f}, out);
    }
    return out;
}

} // namespace

std::vector<uint8_t> drawIcon(int size)
{
    const int grid = 4;
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgb sum;
            float alpha = 0.0f;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    float u = (px + (sx + 0.5f) / grid) / size;
                    float v = (py + (sy + 0.5f) / grid) / size;
                    Rgba s = sample(u, v);
                    sum = add(sum, scale(s.colour, s.alpha));
                    alpha += s.alpha;
                }
            }
            uint8_t* p = &rgba[(static_cast<size_t>(py) * size + px) * 4];
            Rgb colour = alpha > 0.0f ? scale(sum, 1.0f / alpha) : Rgb{};
            p[0] = toByte(colour.r);
            p[1] = toByte(colour.g);
            p[2] = toByte(colour.b);
            p[3] = toByte(alpha / (grid * grid));
        }
    }
    return rgba;
}

bool writeIcons(const std::string& folder)
{
    for (int size : IconSizes) {
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path dir = std::filesystem::path(folder) / "hicolor" / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error || !writePngRgba((dir / "roliquo.png").string(), size, size, drawIcon(size)))
            return false;
    }
    return true;
}
