// SPDX-License-Identifier: MIT
// An RGB picture in memory (rows top-down, 3 bytes a pixel) and the 2 x 2 box filter that builds
// mipmap chains. Writing to disk lives in bmp_writer.h.
#pragma once

#include <cstdint>
#include <vector>

#include "color.h"

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0) { }

    uint8_t* at(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    void set(int x, int y, Rgb c);
    Rgb get(int x, int y) const;
    // Bilinear sample with wrap-around, x and y in pixels (pixel centres at +0.5).
    Rgb sampleWrapped(float x, float y) const;
};

// Each output pixel is the rounded mean of a 2 x 2 block; a side of 1 stays 1.
Image halve(const Image& source);

// The image followed by its halvings, `levels` images in all.
std::vector<Image> mipChain(const Image& base, int levels);
