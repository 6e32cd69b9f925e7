// SPDX-License-Identifier: MIT
// BMP files for tests: whole headers written field by field, rows padded to four bytes.
#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <system_error>

namespace testsupport {

namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

std::vector<uint8_t> makeBmp(const BmpLayout& layout, const std::vector<uint8_t>& rgb)
{
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

void writeBmp(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgb)
{
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    std::vector<uint8_t> bytes = makeBmp(layout, rgb);
    std::error_code ignored;
    std::filesystem::remove(file, ignored); // never write through a link into a shared data set
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << file;
}

void writeBmp(const std::filesystem::path& file, int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        rgb.push_back(r);
        rgb.push_back(g);
        rgb.push_back(b);
    }
    writeBmp(file, width, height, rgb);
}

} // namespace testsupport
