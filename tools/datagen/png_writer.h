// SPDX-License-Identifier: MIT
// Writes 8-bit RGBA pictures as PNG files through libpng (the icons; the game's own pictures are BMP).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgba holds width * height * 4 bytes, rows top-down. False when the file cannot be written.
bool writePngRgba(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
