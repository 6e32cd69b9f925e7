// SPDX-License-Identifier: MIT
// Text composed into an RGB picture on the processor, from the font's largest image, looking as the
// drawn text would: for a line that belongs to a picture and should cost no drawing of its own.
#include <algorithm>
#include <cmath>

#include "screen/font.h"

namespace {

constexpr int FontSide = 256;
// Samples per pixel side: the glyphs are shrunk, so each pixel averages the texels under it, as the
// drawn text's smaller images do.
constexpr int Samples = 4;

// The coverage (0..1) at texel coordinates counted from the image's top-left, the nearest texel.
float coverage(const Font& font, float u, float v)
{
    int x = std::clamp(static_cast<int>(u), 0, FontSide - 1);
    int y = std::clamp(static_cast<int>(v), 0, FontSide - 1);
    // The image is kept bottom-up; its red channel is the glyph's coverage.
    return font.pixels[0][static_cast<size_t>(((FontSide - 1 - y) * FontSide + x) * 3)] / 255.0f;
}

} // namespace

void Font::composeText(uint8_t* rgb, int width, int height, float x, float y, const std::string& text) const
{
    if (!loaded || rgb == nullptr || width <= 0 || height <= 0 || scale <= 0.0f)
        return;
    float penAt = x;
    for (char character : text) {
        int c = static_cast<signed char>(character);
        if (!hasGlyph(c)) {
            penAt += OutsideTableAdvance * scale;
            continue;
        }
        float w = (glyphRight[c] - glyphLeft[c]) * scale;
        float h = (glyphBottom[c] - glyphTop[c]) * scale;
        int left = std::max(0, static_cast<int>(std::floor(penAt)));
        int right = std::min(width, static_cast<int>(std::ceil(penAt + w)));
        int top = std::max(0, static_cast<int>(std::floor(y)));
        int bottom = std::min(height, static_cast<int>(std::ceil(y + h)));
        for (int py = top; py < bottom; ++py) {
            for (int px = left; px < right; ++px) {
                float sum = 0.0f;
                for (int sy = 0; sy < Samples; ++sy) {
                    for (int sx = 0; sx < Samples; ++sx) {
                        float vx = px + (sx + 0.5f) / Samples;
                        float vy = py + (sy + 0.5f) / Samples;
                        if (vx < penAt || vx >= penAt + w || vy < y || vy >= y + h)
                            continue;
                        sum += coverage(*this, glyphLeft[c] + (vx - penAt) / scale, glyphTop[c] + (vy - y) / scale);
                    }
                }
                // Modulated by the colour and blended over the picture, as the drawn glyph is.
                float intensity = sum / (Samples * Samples);
                float alpha = color[3] * intensity;
                uint8_t* pixel = rgb + (static_cast<size_t>(height - 1 - py) * width + px) * 3;
                for (int k = 0; k < 3; ++k) {
                    float over = color[k] * intensity * alpha + pixel[k] / 255.0f * (1.0f - alpha);
                    pixel[k] = static_cast<uint8_t>(std::lround(std::clamp(over, 0.0f, 1.0f) * 255.0f));
                }
            }
        }
        penAt += w;
    }
}
