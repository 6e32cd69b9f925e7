// SPDX-License-Identifier: MIT
// The text operations of TheFont: pen, scale and colour, one textured quad per glyph in the 640 x 480
// virtual screen, number formatting and measuring. The glyph table and images come from the font loader.
#include "screen/font.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/draw.h"
#include "screen/virtual_screen.h"

Font TheFont;

namespace {

constexpr int LineBreak = 10;
constexpr int MostDecimals = 9; // beyond this a float has no digits left to show

// Texel to texture coordinate: s = u / 255, t = 1 - v / 255 (v counts from the image's top).
float texS(float u)
{
    return static_cast<float>(u * 0.00392156862745098);
}
float texT(float v)
{
    return static_cast<float>(1.0 - v * 0.00392156862745098);
}

} // namespace

void Font::setScale(float s)
{
    scale = s;
}

void Font::setPosition(float x, float y)
{
    penX = lineStartX = x;
    penY = y;
}

void Font::setColor(float r, float g, float b, float a)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
}

// Sets the whole text state: text may follow any other drawing.
static void setTextState()
{
    draw::texture(FontTextureName, draw::TextureMode::Modulate);
    draw::depthTest(false);
    draw::fog(false);
    draw::cullFrontFaces(false);
    draw::blend(true);
}

// One batch holds all the glyphs of a call; the state is set before the first glyph only, so
// a text that draws no glyph changes no state.
void Font::drawText(const char* text)
{
    if (!loaded || text == nullptr)
        return;
    bool drawing = false;
    for (const char* p = text; *p != '\0'; ++p) {
        int c = static_cast<signed char>(*p);
        if (c == LineBreak) {
            penX = lineStartX;
            penY += scale * lineHeight();
            continue;
        }
        if (!hasGlyph(c)) {
            penX += OutsideTableAdvance * scale;
            continue;
        }
        float w = (glyphRight[c] - glyphLeft[c]) * scale;
        float h = (glyphBottom[c] - glyphTop[c]) * scale;
        if (!drawing) {
            setTextState();
            draw::begin(draw::Shape::Quads);
            drawing = true;
        }
        draw::color(color[0], color[1], color[2], color[3]);
        draw::texCoord(texS(glyphLeft[c]), texT(glyphTop[c]));
        draw::vertex2(clipX(penX), clipY(penY));
        draw::texCoord(texS(glyphRight[c]), texT(glyphTop[c]));
        draw::vertex2(clipX(penX + w), clipY(penY));
        draw::texCoord(texS(glyphRight[c]), texT(glyphBottom[c]));
        draw::vertex2(clipX(penX + w), clipY(penY + h));
        draw::texCoord(texS(glyphLeft[c]), texT(glyphBottom[c]));
        draw::vertex2(clipX(penX), clipY(penY + h));
        penX += scale * (glyphRight[c] - glyphLeft[c]);
    }
    if (drawing)
        draw::end();
}

void Font::drawTextAt(float x, float y, const std::string& text)
{
    setPosition(x, y);
    drawText(text.c_str());
}

void Font::drawNumber(float value, int decimals)
{
    std::string text = formatNumber(value, decimals);
    drawText(text.c_str());
}

// A line break restarts the running width at lineStartX, as the pen would; callers measure one line.
float Font::measureText(const char* text) const
{
    float width = 0.0f;
    if (text == nullptr)
        return width;
    for (const char* p = text; *p != '\0'; ++p) {
        int c = static_cast<signed char>(*p);
        if (c == LineBreak) {
            width = lineStartX;
        } else if (!hasGlyph(c)) {
            width += OutsideTableAdvance * scale;
        } else {
            width += scale * (glyphRight[c] - glyphLeft[c]);
        }
    }
    return width;
}

// The arithmetic is single precision throughout, as the clock and tables were tuned to it; the
// integer parts are taken with truncf so no value, however large, overflows an integer conversion.
std::string formatNumber(float value, int decimals)
{
    char text[96];
    if (decimals <= 0) {
        float whole = std::trunc(value) + 0.0f; // adding +0 turns -0 into 0
        std::snprintf(text, sizeof text, "%.0f", whole);
        return text;
    }
    int n = std::min(decimals, MostDecimals);
    bool negative = value < 0.0f;
    float magnitude = negative ? -value : value;
    float p = std::pow(10.0f, static_cast<float>(n));
    float scaled = p * magnitude + 0.5f;
    float whole = std::trunc(magnitude);
    float fraction = 0.0f;
    // A value too large to scale has no fraction digits left in a float: it is a whole number.
    if (std::isfinite(scaled)) {
        float rounded = std::trunc(scaled) / p;
        whole = std::trunc(rounded);
        fraction = std::trunc(p * (rounded - whole) + 0.5f);
        if (fraction >= p) { // a rounding carry into the whole part
            whole += 1.0f;
            fraction -= p;
        }
    }
    const char* sign = negative && (whole != 0.0f || fraction != 0.0f) ? "-" : "";
    std::snprintf(text, sizeof text, "%s%.0f.%0*.0f", sign, whole, n, fraction);
    return text;
}
