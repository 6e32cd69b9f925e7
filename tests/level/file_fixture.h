// SPDX-License-Identifier: MIT
// Test helpers for the file readers: a fresh temporary working folder per test, small file helpers,
// and BMP picture patterns (the files are built by support/bmp_writer, independently of the reader).
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

#include "support/bmp_writer.h"
#include "support/temp_folder.h"

// A fresh temporary working folder per test; the old working directory comes back afterwards.
using TempFolder = testsupport::TempWorkingFolder;
using testsupport::BmpLayout;
using testsupport::makeBmp;

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
