// SPDX-License-Identifier: MIT
// The BMP writer: a BITMAPFILEHEADER and a BITMAPINFOHEADER, then the pixel rows from the bottom up.
// Mip chains are written level by level from image.h's box filter.
#include "bmp_writer.h"
#include "little_endian.h"

#include <cstdint>
#include <fstream>
#include <vector>

bool writeBmp(const std::string& path, const Image& image)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes); // file size
    put32(out, 0);               // reserved
    put32(out, 54);              // pixel data offset
    put32(out, 40);              // info header size
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height)); // positive: rows bottom-up
    put16(out, 1);                                   // planes
    put16(out, 24);                                  // bits per pixel
    put32(out, 0);                                   // no compression
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dpi, both ways
    put32(out, 2835);
    put32(out, 0); // no colour table
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool writeMipBmps(const std::string& basePath, const Image& level0, int levels)
{
    std::vector<Image> chain = mipChain(level0, levels);
    for (int i = 0; i < levels; ++i) {
        if (!writeBmp(basePath + "_" + std::to_string(i) + ".bmp", chain[static_cast<size_t>(i)])) {
            return false;
        }
    }
    return true;
}
