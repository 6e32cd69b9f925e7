// Test helpers for the file readers: a fresh temporary working folder per test, small file helpers,
// and BMP files built byte by byte, independently of the reader under test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

// A fresh temporary working folder per test; the old working directory comes back afterwards.
using TempFolder = testsupport::TempWorkingFolder;

inline void writeFile(const std::string& name, const std::string& content)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    ASSERT_TRUE(out.good()) << "cannot write test file " << name;
}

inline void writeFile(const std::string& name, const std::vector<uint8_t>& content)
{
    writeFile(name, std::string(content.begin(), content.end()));
}

inline std::string readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What goes into a hand-made BMP; the defaults make a plain bottom-up 24-bit file with pixels at 54.
struct BmpLayout {
    int width = 1;
    int height = 1;
    bool topDown = false;         // store a negative height and the top row first
    uint32_t pixelOffset = 54;
    uint32_t infoSize = 40;       // 124 for the larger header that puts pixels at 138
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    bool omitLastRowPadding = false;
};

// A known picture: R, G, B bytes, rows bottom-up (row 0 is the bottom row), no padding.
inline std::vector<uint8_t> patternPixels(int width, int height, int seed)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<uint8_t>(x * 7 + y * 31 + seed));
            rgb.push_back(static_cast<uint8_t>(x * 13 + y * 3 + seed * 5 + 85));
            rgb.push_back(static_cast<uint8_t>(x * 3 + y * 17 + seed * 11 + 170));
        }
    }
    return rgb;
}

// Encodes rgb (bottom-up, R, G, B, as patternPixels gives) as a BMP file: B, G, R stored, rows padded to
// four bytes with 0xCC, the gap between headers and pixels filled with 0xEE.
inline std::vector<uint8_t> makeBmp(const BmpLayout& layout, const std::vector<uint8_t>& rgb)
{
    auto put16 = [](std::vector<uint8_t>& out, size_t at, uint32_t v) {
        out[at] = static_cast<uint8_t>(v);
        out[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [](std::vector<uint8_t>& out, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    size_t rowBytes = static_cast<size_t>(layout.width) * 3;
    size_t stride = (rowBytes + 3) / 4 * 4;
    EXPECT_GE(layout.pixelOffset, 54u) << "makeBmp builds whole headers; patch bytes for broken offsets";
    std::vector<uint8_t> file(std::max<size_t>(layout.pixelOffset, 54), 0xEE);
    std::fill(file.begin(), file.begin() + 54, uint8_t{0});
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 10, layout.pixelOffset);
    put32(file, 14, layout.infoSize);
    put32(file, 18, static_cast<uint32_t>(layout.width));
    put32(file, 22, static_cast<uint32_t>(layout.topDown ? -layout.height : layout.height));
    put16(file, 26, layout.planes);
    put16(file, 28, layout.bitsPerPixel);
    put32(file, 30, layout.compression);
    put32(file, 34, static_cast<uint32_t>(stride * static_cast<size_t>(layout.height)));
    for (int stored = 0; stored < layout.height; ++stored) {
        int row = layout.topDown ? layout.height - 1 - stored : stored;
        for (int x = 0; x < layout.width; ++x) {
            size_t at = (static_cast<size_t>(row) * static_cast<size_t>(layout.width) + static_cast<size_t>(x)) * 3;
            file.push_back(rgb[at + 2]);
            file.push_back(rgb[at + 1]);
            file.push_back(rgb[at]);
        }
        bool last = stored == layout.height - 1;
        if (!(last && layout.omitLastRowPadding))
            file.insert(file.end(), stride - rowBytes, 0xCC);
    }
    put32(file, 2, static_cast<uint32_t>(file.size()));
    return file;
}

// Writes base_0.bmp .. base_(levels-1).bmp, level i a (side >> i) square pattern with seed + i.
inline void writeMipFiles(const std::string& base, int side, int levels, int seed)
{
    for (int i = 0; i < levels; ++i) {
        int s = side >> i;
        BmpLayout layout;
        layout.width = s;
        layout.height = s;
        writeFile(base + "_" + std::to_string(i) + ".bmp", makeBmp(layout, patternPixels(s, s, seed + i)));
    }
}

// Overwrites a little-endian field of a file built by makeBmp.
inline void patch16(std::vector<uint8_t>& file, size_t at, uint16_t value)
{
    file[at] = static_cast<uint8_t>(value);
    file[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void patch32(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
