// SPDX-License-Identifier: MIT
// Picture text: layout into a mask, morphological growth for outlines, blur for shadows, and
// compositing onto an image.
#include "text_layer.h"

#include <algorithm>
#include <cmath>

Mask textMask(const FontFace& face, const std::string& text, int margin)
{
    // First pass: the extent of the ink around the baseline, and the pen positions.
    std::vector<GlyphBitmap> glyphs(text.size());
    std::vector<int> penAt(text.size());
    int pen = 0;
    int ascent = 0;
    int descent = 0;
    int right = 0;
    int left = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = static_cast<unsigned char>(text[i]);
        if (i > 0) {
            pen += face.kerning(static_cast<unsigned char>(text[i - 1]), code);
        }
        face.render(code, glyphs[i]);
        penAt[i] = pen;
        const GlyphBitmap& g = glyphs[i];
        if (g.rows > 0) {
            ascent = std::max(ascent, g.top);
            descent = std::max(descent, g.rows - g.top);
            left = std::min(left, pen + g.left);
            right = std::max(right, pen + g.left + g.width);
        }
        pen += g.advance;
    }
    right = std::max(right, pen);
    Mask mask(right - left + 2 * margin, ascent + descent + 2 * margin);
    mask.baseline = margin + ascent;
    for (size_t i = 0; i < text.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        int x0 = margin - left + penAt[i] + g.left;
        int y0 = mask.baseline - g.top;
        for (int y = 0; y < g.rows; ++y) {
            for (int x = 0; x < g.width; ++x) {
                float c = g.coverage[static_cast<size_t>(y) * g.width + x] / 255.0f;
                float& a = mask.at(x0 + x, y0 + y);
                a = std::max(a, c);
            }
        }
    }
    return mask;
}

Mask grow(const Mask& mask, float radius)
{
    Mask out(mask.width, mask.height);
    out.baseline = mask.baseline;
    // The disc's weights once, then every inked pixel stamps it: the cost follows the ink, not the
    // whole mask.
    const int reach = static_cast<int>(std::ceil(radius));
    const int side = 2 * reach + 1;
    std::vector<float> disc(static_cast<size_t>(side) * side);
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            disc[static_cast<size_t>(dy + reach) * side + (dx + reach)] = clamp01(radius + 0.5f - d);
        }
    }
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const float a = mask.at(x, y);
            if (a <= 0.0f)
                continue;
            for (int dy = -reach; dy <= reach; ++dy) {
                int ty = y + dy;
                if (ty < 0 || ty >= mask.height)
                    continue;
                for (int dx = -reach; dx <= reach; ++dx) {
                    int tx = x + dx;
                    if (tx < 0 || tx >= mask.width)
                        continue;
                    float& o = out.at(tx, ty);
                    o = std::max(o, a * disc[static_cast<size_t>(dy + reach) * side + (dx + reach)]);
                }
            }
        }
    }
    return out;
}

namespace {

// A box blur along one axis; edges are treated as empty.
Mask boxPass(const Mask& mask, int radius, bool horizontal)
{
    Mask out(mask.width, mask.height);
    out.baseline = mask.baseline;
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            float sum = 0.0f;
            for (int d = -radius; d <= radius; ++d) {
                int sx = horizontal ? x + d : x;
                int sy = horizontal ? y : y + d;
                if (sx >= 0 && sx < mask.width && sy >= 0 && sy < mask.height) {
                    sum += mask.at(sx, sy);
                }
            }
            out.at(x, y) = sum * norm;
        }
    }
    return out;
}

void blendPixel(Image& image, int x, int y, Rgb colour, float alpha)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || alpha <= 0.0f) {
        return;
    }
    image.set(x, y, mix(image.get(x, y), colour, clamp01(alpha)));
}

} // namespace

Mask blur(const Mask& mask, int radius)
{
    Mask once = boxPass(boxPass(mask, radius, true), radius, false);
    return boxPass(boxPass(once, radius, true), radius, false);
}

void paintMask(Image& image, const Mask& mask, int x, int y, Rgb colour, float opacity)
{
    for (int my = 0; my < mask.height; ++my) {
        for (int mx = 0; mx < mask.width; ++mx) {
            blendPixel(image, x + mx, y + my, colour, mask.at(mx, my) * opacity);
        }
    }
}

void paintMaskGradient(Image& image, const Mask& mask, int x, int y, Rgb top, Rgb bottom)
{
    for (int my = 0; my < mask.height; ++my) {
        Rgb colour = mix(top, bottom, static_cast<float>(my) / static_cast<float>(std::max(1, mask.height - 1)));
        for (int mx = 0; mx < mask.width; ++mx) {
            blendPixel(image, x + mx, y + my, colour, mask.at(mx, my));
        }
    }
}
