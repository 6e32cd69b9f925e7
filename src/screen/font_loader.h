// SPDX-License-Identifier: MIT
// The font loader: nine font images (GL texture 10, intensity, nine levels) and the glyph table file.
#pragma once

#include <string>

struct Font;

// Reads baseName_0.bmp .. baseName_8.bmp (256 x 256 down to 1 x 1) into font.pixels and uploads them as
// texture 10, then reads the glyph table file metricsName. An image that cannot be read, or has the wrong
// size, shows its file name (caption "error") and fails; a bad glyph table fails silently. font.loaded
// is set only when everything succeeded.
bool loadFont(Font& font, const std::string& baseName, const std::string& metricsName);

// Reads glyph table text into font's rectangles and character range (no GL). The text: firstChar and
// lastChar (0..255, in order), then for each glyph a character 33..126 and four reals left, top, right,
// bottom in texels; a character given twice keeps its later rectangle. The font changes only on success.
bool parseFontMetrics(Font& font, const std::string& text);
