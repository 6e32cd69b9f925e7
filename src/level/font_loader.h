// The font loader: nine font images (GL texture 10, intensity, nine levels) and the glyph table file.
#pragma once

#include <string>

struct Font;

// Reads baseName_0.bmp .. baseName_8.bmp and metricsName into font and uploads the texture.
bool loadFont(Font& font, const std::string& baseName, const std::string& metricsName);

// Reads glyph metrics text into font's tables (no GL); the fuzz target and loadFont share it.
bool parseFontMetrics(Font& font, const std::string& text);
