// SPDX-License-Identifier: MIT
// Text for the pictures: a line of text rendered to a coverage mask with FreeType, grown into an
// outline or blurred into a shadow, and painted onto an image in a flat colour or a gradient.
#pragma once

#include <string>
#include <vector>

#include "color.h"
#include "font_face.h"
#include "image.h"

struct Mask {
    int width = 0;
    int height = 0;
    int baseline = 0; // row of the baseline, counted from the top
    std::vector<float> alpha;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), alpha(static_cast<size_t>(w) * h, 0.0f) { }
    float at(int x, int y) const { return alpha[static_cast<size_t>(y) * width + x]; }
    float& at(int x, int y) { return alpha[static_cast<size_t>(y) * width + x]; }
};

// One line laid out with the face's advances and kerning, with `margin` empty pixels on every side.
Mask textMask(const FontFace& face, const std::string& text, int margin);

// Dilation by a disc of the given radius (soft by one pixel at its rim): an outline when painted
// under the text.
Mask grow(const Mask& mask, float radius);

// Two passes of a box blur of the given radius, for soft shadows.
Mask blur(const Mask& mask, int radius);

// Blends the colour over the image through the mask placed with its top-left at (x, y).
void paintMask(Image& image, const Mask& mask, int x, int y, Rgb colour, float opacity);

// The same with a vertical gradient across the mask's rows from `top` to `bottom`.
void paintMaskGradient(Image& image, const Mask& mask, int x, int y, Rgb top, Rgb bottom);
