// SPDX-License-Identifier: MIT
// BMP files for tests, built byte by byte independently of the game's reader: any layout for the
// reader's own tests, and plain 24-bit pictures for the data the other tests need.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testsupport {

// What goes into a hand-made BMP; the defaults make a plain bottom-up 24-bit file with pixels at 54.
struct BmpLayout {
    int width = 1;
    int height = 1;
    bool topDown = false; // store a negative height and the top row first
    uint32_t pixelOffset = 54;
    uint32_t infoSize = 40; // 124 for the larger header that puts pixels at 138
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    bool omitLastRowPadding = false;
};

// Encodes rgb (bottom-up, R, G, B, as patternPixels gives) as a BMP file: B, G, R stored, rows padded to
// four bytes with 0xCC, the gap between headers and pixels filled with 0xEE.
std::vector<uint8_t> makeBmp(const BmpLayout& layout, const std::vector<uint8_t>& rgb);

// Writes a plain bottom-up 24-bit BMP of rgb (R, G, B bytes, rows bottom-up, no padding).
void writeBmp(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgb);

// Writes a plain bottom-up 24-bit BMP of one colour.
void writeBmp(const std::filesystem::path& file, int width, int height, uint8_t r, uint8_t g, uint8_t b);

} // namespace testsupport
