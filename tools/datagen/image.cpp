// SPDX-License-Identifier: MIT
// The in-memory picture: pixel access, wrapped bilinear sampling and the box-filter reduction.
// File formats live elsewhere (bmp_writer.cpp).
#include "image.h"

#include <algorithm>
#include <cmath>

void Image::set(int x, int y, Rgb c)
{
    uint8_t* p = at(x, y);
    p[0] = toByte(c.r);
    p[1] = toByte(c.g);
    p[2] = toByte(c.b);
}

Rgb Image::get(int x, int y) const
{
    const uint8_t* p = at(x, y);
    return rgbBytes(p[0], p[1], p[2]);
}

Rgb Image::sampleWrapped(float x, float y) const
{
    float fx = x - 0.5f;
    float fy = y - 0.5f;
    float x0f = std::floor(fx);
    float y0f = std::floor(fy);
    float tx = fx - x0f;
    float ty = fy - y0f;
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    int x0 = wrap(static_cast<int>(x0f), width);
    int y0 = wrap(static_cast<int>(y0f), height);
    int x1 = (x0 + 1) % width;
    int y1 = (y0 + 1) % height;
    Rgb top = mix(get(x0, y0), get(x1, y0), tx);
    Rgb bottom = mix(get(x0, y1), get(x1, y1), tx);
    return mix(top, bottom, ty);
}

Image halve(const Image& source)
{
    int w = std::max(1, source.width / 2);
    int h = std::max(1, source.height / 2);
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int x0 = std::min(2 * x, source.width - 1);
            int x1 = std::min(2 * x + 1, source.width - 1);
            int y0 = std::min(2 * y, source.height - 1);
            int y1 = std::min(2 * y + 1, source.height - 1);
            for (int c = 0; c < 3; ++c) {
                int sum = source.at(x0, y0)[c] + source.at(x1, y0)[c] + source.at(x0, y1)[c] + source.at(x1, y1)[c];
                out.at(x, y)[c] = static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
    return out;
}

std::vector<Image> mipChain(const Image& base, int levels)
{
    std::vector<Image> chain;
    chain.reserve(static_cast<size_t>(levels));
    chain.push_back(base);
    for (int i = 1; i < levels; ++i) {
        chain.push_back(halve(chain.back()));
    }
    return chain;
}
