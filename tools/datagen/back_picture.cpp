// SPDX-License-Identifier: MIT
// The best-times background: a calm, dark slate gradient with a faint pattern of the marble tiles
// and a soft vignette, quiet enough for the table of coloured text drawn over it.
#include <cmath>

#include "pictures.h"
#include "textures.h"

Image renderBackPicture()
{
    const Image tiles = renderTexture(paintTiles, BoardTextureSize, 2);
    Image image(PictureWidth, PictureHeight);
    const Rgb top = rgbBytes(78, 88, 104);
    const Rgb bottom = rgbBytes(34, 38, 50);
    for (int y = 0; y < PictureHeight; ++y) {
        float fy = static_cast<float>(y) / (PictureHeight - 1);
        Rgb base = mix(top, bottom, fy);
        for (int x = 0; x < PictureWidth; ++x) {
            float fx = static_cast<float>(x) / (PictureWidth - 1);
            // The tiles at twice their size, turned to grey and kept within a few percent.
            Rgb t = tiles.sampleWrapped(static_cast<float>(x) * 0.5f, static_cast<float>(y) * 0.5f);
            float grey = 0.3f * t.r + 0.59f * t.g + 0.11f * t.b;
            float pattern = 0.9f + 0.16f * grey;
            float dx = fx - 0.5f;
            float dy = fy - 0.45f;
            float vignette = 1.0f - 0.45f * std::min(1.0f, (dx * dx + dy * dy) * 2.2f);
            image.set(x, y, scale(base, pattern * vignette));
        }
    }
    return image;
}
