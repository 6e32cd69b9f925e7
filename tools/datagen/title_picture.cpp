// SPDX-License-Identifier: MIT
// The title picture: the rendered scene, the name "Roliquo" in large gold letters with an outline and
// a drop shadow, and the hint to open the menu, outlined so it reads on any ground.
#include "font_face.h"
#include "pictures.h"
#include "text_layer.h"
#include "textures.h"

namespace {

// Centres the text horizontally with its baseline at the given row, shadow first, then the outline,
// then the fill.
void paintTitleText(Image& image, const FontFace& face, const std::string& text, int baseline, float outline,
                    int shadowBlur, int shadowOffset, Rgb outlineColour, Rgb top, Rgb bottom)
{
    const int margin = static_cast<int>(outline) + 3 * shadowBlur + 2;
    Mask fill = textMask(face, text, margin);
    Mask edge = grow(fill, outline);
    Mask shadow = blur(edge, shadowBlur);
    int x = (image.width - fill.width) / 2;
    int y = baseline - fill.baseline;
    paintMask(image, shadow, x + shadowOffset, y + shadowOffset, rgbBytes(0, 0, 0), 0.6f);
    paintMask(image, edge, x, y, outlineColour, 1.0f);
    paintMaskGradient(image, fill, x, y, top, bottom);
}

} // namespace

bool renderTitlePicture(const std::string& fontPath, Image& out)
{
    FontFace face;
    if (!face.open(fontPath)) {
        return false;
    }
    out = renderTitleScene(renderTexture(paintGrass, BoardTextureSize, 2));
    if (!face.setPixelSize(132)) {
        return false;
    }
    paintTitleText(out, face, "Roliquo", 150, 5.0f, 4, 7, rgbBytes(70, 30, 8), rgbBytes(255, 238, 140),
                   rgbBytes(236, 132, 26));
    if (!face.setPixelSize(28)) {
        return false;
    }
    paintTitleText(out, face, "Press Esc for the menu", 452, 2.5f, 2, 3, rgbBytes(16, 24, 40), rgbBytes(255, 255, 255),
                   rgbBytes(220, 232, 255));
    return true;
}
