// SPDX-License-Identifier: MIT
// The game's bitmap font: every printable character 33..126 rendered with FreeType into one
// 256 x 256 atlas (white coverage on black), packed in rows, and the glyph table that goes with it.
#pragma once

#include <string>
#include <vector>

#include "image.h"

constexpr int AtlasSize = 256;
constexpr int AtlasMipLevels = 9;
constexpr int FirstGlyph = 33;
constexpr int LastGlyph = 126;

// Line spacing is the height of the rectangle of "!". The best-times screen stacks nine lines at
// scale 13/33 into 74 pixels, so that height may be at most 20 texels.
constexpr int MaxLineHeight = 20;

// Every other glyph's rectangle is 33 texels tall, its ink in the bottom rows, so that at scale 13/33
// text sits 13 pixels below the pen less one line: the best-times screen puts its first level line
// one line below y = -13, and this lowers it onto the screen. The blank top rows overlap the line
// above harmlessly (they are transparent).
constexpr int GlyphHeight = 33;

struct AtlasGlyph {
    char code = 0;
    int left = 0; // texels, x from the left; right - left is the glyph's advance
    int top = 0;  // texels, y from the top; bottom - top is GlyphHeight ("!": the line height)
    int right = 0;
    int bottom = 0;
};

struct FontAtlas {
    Image image;
    std::vector<AtlasGlyph> glyphs; // one per code FirstGlyph..LastGlyph, in order
    int pixelSize = 0;
    int lineHeight = 0; // ink rows of the tallest glyphs plus one blank row
    int ascent = 0;     // rows of ink above the baseline, over all glyphs
};

// Renders the largest size whose line fits maxLineHeight and whose glyphs fit the atlas.
bool buildFontAtlas(const std::string& fontPath, int maxLineHeight, FontAtlas& out);

// The glyph table as the game reads it: "33 126", then per glyph the character and its rectangle,
// with nothing after the last number.
std::string fontMetricsText(const FontAtlas& atlas);

// Writes font_0.bmp .. font_8.bmp and font.dat into the folder.
bool writeFont(const std::string& folder, const std::string& fontPath);
